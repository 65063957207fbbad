// selvirhs-sim as a separate process feeding readers through QSerialPort, with the port mapping the
// simulator writes into a settings file, and its truth file as the reference.
#include "IntegrationSupport.h"
#include "core/AtomicFile.h"
#include "core/NumberFormat.h"
#include "core/ScanPattern.h"
#include "serial/SelvirSerialGPS.h"
#include "serial/SerialPortMapping.h"
#include "support/SimulatorProcess.h"
#include "support/TempDir.h"

#include <QProcess>
#include <QStringList>
#include <gtest/gtest.h>
#include <map>
#include <memory>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace selvir {
namespace {

using test::readTruth;
using test::Simulator;
using test::TruthRow;

struct Fix {
    double lat;
    double lon;
    double alt;
};

std::unique_ptr<TSelvirSerialGPS> mappedReader(const std::filesystem::path& settings, int port) {
    auto reader =
        std::make_unique<TSelvirSerialGPS>(nullptr, nullptr, nullptr, profilePortResolver(settings));
    reader->Port = port;
    reader->Delay = 5;
    reader->BaudRate = 115200;
    return reader;
}

// Every position the reader reported must be one the simulator sent, exactly as it encoded it.
void expectFixesInTruth(const std::vector<Fix>& fixes, const std::vector<TruthRow>& truth) {
    std::set<std::pair<double, double>> sent;
    for (const TruthRow& row : truth) {
        if (row.fields.at("message") == "GGA") {
            sent.insert({row.number("lat"), row.number("lon")});
        }
    }
    for (const Fix& fix : fixes) {
        EXPECT_TRUE(sent.count({fix.lat, fix.lon}))
            << "reported a position never sent: " << formatShortest(fix.lat) << ","
            << formatShortest(fix.lon);
    }
}

TEST(SimulatorIntegration, ReadersOnTheMappedPortsReceiveWhatTheTruthFileRecords) {
    test::TempDir dir;
    const auto settings = dir / "SelvirHS.INI";
    const auto truthFile = dir / "truth.csv";
    const auto commandsFile = dir / "commands.txt";
    Simulator sim({"--write-mapping", QString::fromStdString(settings.string()), "--gnss-com", "3",
                   "--sbes-com", "4", "--commands", QString::fromStdString(commandsFile.string()), "--rate",
                   "10", "--sbes-format", "NMEA DBT", "--truth", QString::fromStdString(truthFile.string()),
                   "--duration", "30"});
    ASSERT_TRUE(sim.started());
    EXPECT_EQ(serialDevicePath(ProfileStore(settings), 3), sim.gnssPath());
    EXPECT_EQ(serialDevicePath(ProfileStore(settings), 4), sim.sbesPath());

    auto gnss = mappedReader(settings, 3);
    auto sbes = mappedReader(settings, 4);
    std::vector<Fix> fixes;
    std::vector<std::string> depthLines;
    int connects = 0;
    gnss->OnConnect = [&](TSelvirSerialGPS*, int port) { connects += port == 3 ? 1 : 100; };
    gnss->OnPosition3DChange = [&](TSelvirSerialGPS*, double lat, double lon, double alt) {
        fixes.push_back({lat, lon, alt});
    };
    sbes->OnNewCommand = [&](TSelvirSerialGPS*, const std::string& line) { depthLines.push_back(line); };
    gnss->Open();
    sbes->Open();
    ASSERT_TRUE(gnss->Active());
    ASSERT_TRUE(sbes->Active());
    EXPECT_EQ(connects, 1);
    ASSERT_TRUE(test::runEventsUntil([&] { return fixes.size() >= 12 && depthLines.size() >= 10; }, 8000));
    EXPECT_EQ(gnss->FixQuality(), 4);
    EXPECT_NEAR(gnss->Speed(), 5.0 * 1.852, 1e-9);
    gnss->Send("$JASC,GPGGA,5\r\n");
    gnss->Send("$JASC,GPVTG,5\r\n");
    std::string commands;
    EXPECT_TRUE(test::runEventsUntil(
        [&] { return readWholeFile(commandsFile, commands) && commands.size() >= 30; }, 3000));
    EXPECT_EQ(commands, "$JASC,GPGGA,5\r\n$JASC,GPVTG,5\r\n") << "the receiver got the commands";
    EXPECT_EQ(sim.terminate(), 0) << "SIGTERM ends the simulator cleanly";

    const auto truth = readTruth(truthFile);
    expectFixesInTruth(fixes, truth);
    for (const Fix& fix : fixes) {
        EXPECT_NEAR(fix.lat, 41.0, 0.01);
        EXPECT_NEAR(fix.lon, 29.0, 0.01);
    }
    std::set<double> rawDepths;
    for (const TruthRow& row : truth) {
        if (row.fields.at("stream") == "sbes") {
            EXPECT_EQ(row.fields.at("message"), "NMEA DBT");
            rawDepths.insert(row.number("raw_hf_m"));
        }
    }
    const ScanPattern dbt("%*6s,%*lf,%*1s,%lf");
    for (const std::string& line : depthLines) {
        const ScanResult result = dbt.scan(line);
        ASSERT_EQ(result.count, 1) << line;
        EXPECT_TRUE(rawDepths.count(result.values[0].toDouble())) << line;
    }
    // The simulator is gone: both readers lose their devices and keep running quietly.
    test::runEventsFor(200);
    gnss->Close();
    sbes->Close();
}

TEST(SimulatorIntegration, InjectedFaultsNeverProduceAWrongPosition) {
    test::TempDir dir;
    const auto truthFile = dir / "truth.csv";
    Simulator sim({"--rate", "20", "--garbage", "0.3", "--nul", "0.3", "--split", "0.5", "--bad-checksum",
                   "0.3", "--fix-cycle", "0.5", "--seed", "5", "--truth",
                   QString::fromStdString(truthFile.string()), "--duration", "30"});
    ASSERT_TRUE(sim.started());
    auto gnss = std::make_unique<TSelvirSerialGPS>(nullptr, nullptr, nullptr,
                                                   [path = sim.gnssPath()](int) { return path; });
    gnss->Delay = 5;
    std::vector<Fix> fixes;
    std::set<int> fixQualities;
    gnss->OnPosition3DChange = [&](TSelvirSerialGPS* s, double lat, double lon, double alt) {
        fixes.push_back({lat, lon, alt});
        fixQualities.insert(s->FixQuality());
    };
    gnss->Open();
    ASSERT_TRUE(gnss->Active());
    ASSERT_TRUE(test::runEventsUntil([&] { return fixes.size() >= 30 && fixQualities.size() >= 3; }, 10000));
    EXPECT_EQ(sim.terminate(), 0);
    const auto truth = readTruth(truthFile);
    expectFixesInTruth(fixes, truth);
    std::set<std::string> faults;
    for (const TruthRow& row : truth) {
        std::stringstream list(row.fields.at("faults"));
        for (std::string fault; std::getline(list, fault, ';');) {
            faults.insert(fault);
        }
    }
    EXPECT_EQ(faults, (std::set<std::string>{"bad_checksum", "garbage", "nul", "split"}));
    for (int q : fixQualities) {
        EXPECT_TRUE(q == 4 || q == 5 || q == 2 || q == 1) << q;
    }
}

TEST(SimulatorIntegration, ClosedDeviceAndSilencesAreReportedByTheWatchdog) {
    Simulator sim({"--rate", "10", "--close-after", "0.8", "--duration", "30"});
    ASSERT_TRUE(sim.started());
    auto gnss = std::make_unique<TSelvirSerialGPS>(nullptr, nullptr, nullptr,
                                                   [path = sim.gnssPath()](int) { return path; });
    gnss->Delay = 5;
    gnss->setWatchdogIntervalMs(150);
    int lines = 0;
    int idles = 0;
    gnss->OnNewCommand = [&](TSelvirSerialGPS*, const std::string&) { ++lines; };
    gnss->OnIdle = [&](TSelvirSerialGPS*) { ++idles; };
    gnss->Open();
    ASSERT_TRUE(test::runEventsUntil([&] { return lines > 5; }, 5000));
    EXPECT_EQ(idles, 0);
    const double cpuBefore = test::cpuSeconds();
    ASSERT_TRUE(test::runEventsUntil([&] { return idles >= 3; }, 5000));
    EXPECT_LT(test::cpuSeconds() - cpuBefore, 0.5);
    EXPECT_TRUE(sim.running()) << "the echosounder side keeps going";
    EXPECT_EQ(sim.terminate(), 0);
}

TEST(SimulatorIntegration, ReplayKeepsTheRecordedPaceAndText) {
    test::TempDir dir;
    const auto log = dir / "2026-03-05 SDZ_GNSS_V3.log";
    std::string text;
    for (int i = 0; i < 5; ++i) {
        text += "2026-03-05 2359" + std::to_string(59) + std::to_string(100 + i * 200).substr(0, 3) +
                " $GPGGA,235959,4807.0" + std::to_string(i) + ",N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,\n";
    }
    // ... and across midnight: 00:00:00.300 comes 400 ms after 23:59:59.900.
    text += "2026-03-06 000000300 $GPGGA,000000,4807.09,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,\n";
    ASSERT_TRUE(appendToFile(log, text));
    Simulator sim({"--replay", QString::fromStdString(log.string()), "--duration", "30"});
    ASSERT_TRUE(sim.started());
    auto gnss = std::make_unique<TSelvirSerialGPS>(nullptr, nullptr, nullptr,
                                                   [path = sim.gnssPath()](int) { return path; });
    gnss->Delay = 5;
    QElapsedTimer clock;
    std::vector<std::pair<qint64, std::string>> lines;
    gnss->OnNewCommand = [&](TSelvirSerialGPS*, const std::string& line) {
        if (lines.empty()) {
            clock.start();
        }
        lines.emplace_back(lines.empty() ? 0 : clock.elapsed(), line);
    };
    gnss->Open();
    ASSERT_TRUE(test::runEventsUntil([&] { return lines.size() >= 2; }, 5000));
    // The replay started when the simulator did: lines may have gone before the open. Wait for the rest.
    test::runEventsFor(1500);
    EXPECT_EQ(sim.terminate(), 0);
    ASSERT_GE(lines.size(), 2u);
    for (std::size_t i = 1; i < lines.size(); ++i) {
        EXPECT_GE(lines[i].first - lines[i - 1].first, 100) << "lines recorded 200 ms apart";
        EXPECT_LE(lines[i].first - lines[i - 1].first, 600);
    }
    EXPECT_EQ(lines.back().second, "$GPGGA,000000,4807.09,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,");
}

} // namespace
} // namespace selvir
