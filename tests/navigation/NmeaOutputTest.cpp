// The NMEA output as other equipment receives it: datagrams on a UDP port and bytes on a serial port,
// read back by an independent parser written from the NMEA 0183 field layout (nmea_check.py).
#include "navigation/NmeaOutput.h"

#include "core/AtomicFile.h"
#include "serial/IntegrationSupport.h"
#include "support/MissingOracle.h"
#include "support/TempDir.h"

#include <QThread>
#include <QUdpSocket>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <future>
#include <gtest/gtest.h>
#include <map>
#include <mutex>
#include <numbers>
#include <sstream>
#include <thread>

namespace selvir {
namespace {

// The parser's reading of each sentence: its type and its key=value fields.
struct Parsed {
    std::string type;
    std::map<std::string, std::string> fields;
    double number(const std::string& key) const { return std::stod(fields.at(key)); }
};

std::vector<Parsed> parseWithOracle(const std::filesystem::path& file) {
    const std::string command = "python3 " + std::string(SELVIR_SOURCE_DIR) +
                                "/tests/navigation/nmea_check.py '" + file.string() + "'";
    std::vector<Parsed> out;
    FILE* pipe = ::popen(command.c_str(), "r");
    if (pipe == nullptr) {
        return out;
    }
    char line[1024];
    while (std::fgets(line, sizeof line, pipe)) {
        std::istringstream words(line);
        Parsed parsed;
        words >> parsed.type;
        for (std::string word; words >> word;) {
            const auto eq = word.find('=');
            parsed.fields[word.substr(0, eq)] = eq == std::string::npos ? "" : word.substr(eq + 1);
        }
        out.push_back(parsed);
    }
    ::pclose(pipe);
    return out;
}

double bearingDeg(double dx, double dy) {
    const double deg = std::atan2(dx, dy) * 180 / std::numbers::pi;
    return deg < 0 ? deg + 360 : deg;
}

// A tick on line 1 running north from (1000, 1000) to (1000, 1200): the boat 3 m east of it at 50 m.
GuidanceReading readingOnLine(GridLine& travel) {
    travel = {{1000, 1000}, {1000, 1200}};
    GuidanceReading r;
    r.active = true;
    r.positionKnown = true;
    r.lineNumber = 1;
    r.lineName = "1";
    r.toleranceM = 2;
    r.fix = fixOnLine(travel, {1003, 1050});
    return r;
}

TEST(NmeaOutput, SentencesReadBackByAnIndependentParser) {
    if (std::system("python3 -c 'import sys' >/dev/null 2>&1") != 0) {
        SELVIR_ORACLE_MISSING("python3 is not installed");
    }
    test::TempDir dir;
    QUdpSocket receiver;
    ASSERT_TRUE(receiver.bind(QHostAddress::LocalHost, 0));
    test::PtyPair serial;
    ASSERT_TRUE(serial.ok());
    NmeaOutputSettings settings;
    settings.enabled = true;
    settings.port = receiver.localPort();
    settings.serialPort = 7;
    std::vector<std::string> problems;
    NmeaOutput output([&] { return settings; },
                      [&serial](int port) { return port == 7 ? serial.slavePath() : std::string(); },
                      [&](const std::string& text) { problems.push_back(text); });

    GridLine travel;
    const GuidanceReading reading = readingOnLine(travel);
    constexpr double convergenceDeg = 1.5; // grid bearing = true bearing + convergence
    output.guidance(reading, travel, {1003, 1050}, convergenceDeg);
    output.depth(12.84, 0.5);
    EXPECT_TRUE(problems.empty()) << problems.front();
    EXPECT_EQ(output.sentencesSent(), 6u) << "three sentences to each of two places";

    std::string datagrams;
    for (int waited = 0; waited < 2000 && datagrams.size() < 3; waited += 10) {
        receiver.waitForReadyRead(10);
        while (receiver.hasPendingDatagrams()) {
            QByteArray bytes(static_cast<int>(receiver.pendingDatagramSize()), '\0');
            receiver.readDatagram(bytes.data(), bytes.size());
            datagrams += bytes.toStdString();
        }
    }
    ASSERT_TRUE(writeFileAtomically(dir / "udp.nmea", datagrams));
    const std::vector<Parsed> udp = parseWithOracle(dir / "udp.nmea");
    ASSERT_EQ(udp.size(), 3u) << datagrams;
    const Parsed& xte = udp[0];
    const Parsed& apb = udp[1];
    const Parsed& dpt = udp[2];
    ASSERT_EQ(xte.type, "XTE");
    EXPECT_EQ(xte.fields.at("status"), "A");
    EXPECT_NEAR(xte.number("xte_m"), 3.0, 0.02) << "3 m to starboard: steer left";
    ASSERT_EQ(apb.type, "APB");
    EXPECT_NEAR(apb.number("xte_m"), 3.0, 0.02);
    EXPECT_EQ(apb.fields.at("arrived"), "V");
    EXPECT_EQ(apb.fields.at("passed"), "V");
    EXPECT_EQ(apb.fields.at("waypoint"), "L1");
    EXPECT_NEAR(apb.number("line_true"), 360 - convergenceDeg, 0.05);
    EXPECT_NEAR(apb.number("to_end_true"), bearingDeg(-3, 150) - convergenceDeg, 0.05);
    EXPECT_NEAR(apb.number("steer_true"), bearingDeg(-3, 50) - convergenceDeg, 0.05)
        << "50 m ahead on the line";
    ASSERT_EQ(dpt.type, "DPT");
    EXPECT_NEAR(dpt.number("below_water_line_m"), 12.84, 1e-9);
    EXPECT_NEAR(dpt.number("offset_m"), 0.5, 1e-9);

    std::string bytes;
    for (int waited = 0; waited < 2000 && bytes.size() < datagrams.size(); waited += 10) {
        QThread::msleep(10);
        bytes += serial.read();
    }
    EXPECT_EQ(bytes, datagrams) << "the serial port gets the same sentences";
}

TEST(NmeaOutput, OffSentencesChosenAndProblemsSaidOnce) {
    NmeaOutputSettings settings; // off by default
    std::vector<std::string> problems;
    NmeaOutput output([&] { return settings; }, {},
                      [&](const std::string& text) { problems.push_back(text); });
    GridLine travel;
    GuidanceReading reading = readingOnLine(travel);
    output.guidance(reading, travel, {1003, 1050}, 0);
    output.depth(10, 0.5);
    EXPECT_EQ(output.sentencesSent(), 0u);

    settings.enabled = true;
    settings.apb = false;
    settings.dpt = false;
    output.guidance(reading, travel, {1003, 1050}, 0);
    output.depth(10, 0.5);
    EXPECT_EQ(output.sentencesSent(), 1u) << "XTE only";
    reading.positionKnown = false;
    output.guidance(reading, travel, {1003, 1050}, 0);
    EXPECT_EQ(output.sentencesSent(), 1u) << "nothing without a position";

    settings.host = "no.such.host.invalid";
    output.depth(10, 0.5);
    for (int waited = 0; waited < 10000 && output.lookingUpHost(); waited += 10) {
        QThread::msleep(10);
        output.depth(10, 0.5);
    }
    output.depth(10, 0.5);
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_EQ(problems[0], "NMEA output: udp no.such.host.invalid:10110: the host is not known");
}

// A host given by name is looked up on a thread of its own: the map tick that sends the sentences never
// waits for a name server (without a network that is seconds per settings change).
TEST(NmeaOutput, AHostNameIsLookedUpAwayFromTheCallersThread) {
    QUdpSocket receiver;
    ASSERT_TRUE(receiver.bind(QHostAddress::LocalHost, 0));
    NmeaOutputSettings settings;
    settings.enabled = true;
    settings.host = "plotter.on.board";
    settings.port = receiver.localPort();
    std::promise<void> answer;
    const std::shared_future<void> answered = answer.get_future().share();
    std::mutex seen;
    std::thread::id lookedUpOn;
    std::string lookedUp;
    NmeaOutput output([&] { return settings; }, {}, {},
                      [&, answered](const std::string& host, std::string&) -> std::optional<std::string> {
                          {
                              const std::lock_guard<std::mutex> lock(seen);
                              lookedUpOn = std::this_thread::get_id();
                              lookedUp = host;
                          }
                          answered.wait_for(std::chrono::seconds(10));
                          return "127.0.0.1";
                      });
    output.depth(9.5, 0.5);
    output.depth(9.5, 0.5);
    EXPECT_TRUE(output.lookingUpHost());
    EXPECT_EQ(output.sentencesSent(), 0u) << "nothing goes out while the name is looked up";
    answer.set_value();
    for (int waited = 0; waited < 10000 && output.lookingUpHost(); waited += 10) {
        QThread::msleep(10);
        output.depth(9.5, 0.5);
    }
    ASSERT_FALSE(output.lookingUpHost());
    {
        const std::lock_guard<std::mutex> lock(seen);
        EXPECT_EQ(lookedUp, "plotter.on.board");
        EXPECT_NE(lookedUpOn, std::this_thread::get_id());
    }
    output.depth(9.5, 0.5);
    ASSERT_TRUE(receiver.waitForReadyRead(2000));
    QByteArray bytes(static_cast<int>(receiver.pendingDatagramSize()), '\0');
    receiver.readDatagram(bytes.data(), bytes.size());
    EXPECT_TRUE(bytes.startsWith("$SDDPT,9.00,0.50*")) << bytes.toStdString();
}

// Bearings are written within [0, 360): a rounding up to 360.0 is 0.0, as a turn full circle is.
TEST(NmeaOutput, BearingsNeverReadThreeHundredSixty) {
    struct Case {
        double bearingDeg;
        const char* written;
    };
    const Case cases[] = {{359.96, "0.0"}, {359.94, "359.9"}, {360, "0.0"},  {-0.01, "0.0"},
                          {-1e-17, "0.0"}, {719.99, "0.0"},   {0.04, "0.0"}, {181.26, "181.3"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.bearingDeg);
        SteeringValues steering;
        steering.lineBearingTrueDeg = c.bearingDeg;
        steering.bearingToEndTrueDeg = c.bearingDeg;
        steering.headingToSteerTrueDeg = c.bearingDeg;
        steering.waypoint = "L1";
        const std::string apb = apbSentence(steering);
        std::vector<std::string> fields;
        std::stringstream in(apb.substr(0, apb.find('*')));
        for (std::string field; std::getline(in, field, ',');) {
            fields.push_back(field);
        }
        ASSERT_EQ(fields.size(), 16u) << apb;
        for (const std::size_t bearingField : {8u, 11u, 13u}) {
            EXPECT_EQ(fields[bearingField], c.written) << apb;
        }
    }
}

// A line whose end the boat has passed steers nothing: the autopilot is not sent back to it.
TEST(NmeaOutput, APassedLineSendsNoSteering) {
    NmeaOutputSettings settings;
    settings.enabled = true;
    NmeaOutput output([&] { return settings; }, {}, {});
    GridLine travel;
    GuidanceReading reading = readingOnLine(travel);
    output.guidance(reading, travel, {1003, 1050}, 0);
    ASSERT_EQ(output.sentencesSent(), 2u) << "XTE and APB on the line";
    reading.phase = LinePhase::Ended;
    reading.fix = fixOnLine(travel, {1000, 1210});
    output.guidance(reading, travel, {1000, 1210}, 0);
    EXPECT_EQ(output.sentencesSent(), 2u);
}

TEST(NmeaOutput, FieldsOfTheWindowAreCheckedNamingTheField) {
    GuidanceSettings guidance;
    NmeaOutputSettings nmea;
    struct Case {
        GuidanceFieldTexts texts;
        const char* problemStart;
    };
    const Case cases[] = {
        {{"0.05", "127.0.0.1", "10110"}, "Off-line tolerance"},
        {{"abc", "127.0.0.1", "10110"}, "Off-line tolerance"},
        {{"2", " ", "10110"}, "Address"},
        {{"2", "10.0.0.5", "70000"}, "UDP port"},
        {{"2", "10.0.0.5", "x"}, "UDP port"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(readGuidanceFields(c.texts, guidance, nmea).rfind(c.problemStart, 0), 0u) << c.problemStart;
    }
    EXPECT_EQ(guidance.toleranceM, 2) << "a wrong field changes nothing";
    EXPECT_EQ(readGuidanceFields({" 1.5 ", "10.0.0.5", "2000"}, guidance, nmea), "");
    EXPECT_EQ(guidance.toleranceM, 1.5);
    EXPECT_EQ(nmea.host, "10.0.0.5");
    EXPECT_EQ(nmea.port, 2000);
}

} // namespace
} // namespace selvir
