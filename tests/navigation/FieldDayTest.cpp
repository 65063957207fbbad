// A day at sea in miniature: selvirhs-sim feeds a survey session on pseudo-terminals, the receiver's
// USB adapter is pulled out and plugged back again and again (coming back as another terminal behind
// the same stable link), and the disk of the data folder fills and frees again. Every depth the
// echosounder sent must be in the survey file, whole and in order, with positions again after each
// replug, and no user action. SELVIR_FIELD_SECONDS sets the length (scripts/field-day.sh runs a long
// one; the suite a short one).
#include "core/AtomicFile.h"
#include "core/NumberFormat.h"
#include "navigation/PortChoices.h"
#include "navigation/SurveySession.h"
#include "serial/SerialPortMapping.h"
#include "support/EventLoop.h"
#include "support/SimulatorProcess.h"
#include "support/SmallDisk.h"
#include "support/TempDir.h"
#include "support/TextLines.h"

#include <QTimer>
#include <cstdlib>
#include <gtest/gtest.h>

namespace selvir {
namespace {

int countOf(const std::string& text, const std::string& part) {
    int n = 0;
    for (auto at = text.find(part); at != std::string::npos; at = text.find(part, at + part.size())) {
        ++n;
    }
    return n;
}

int fieldSeconds() {
    const char* text = std::getenv("SELVIR_FIELD_SECONDS");
    const auto seconds = text ? parseInt(text) : std::nullopt;
    return seconds && *seconds >= 12 ? *seconds : 12;
}

TEST(FieldDay, UnpluggedReceiverAndFullDiskLoseNoDepth) {
    const int seconds = fieldSeconds();
    std::cerr << "field day of " << seconds << " s\n";
    test::TempDir dir;
    const auto settingsFile = dir / "SelvirHS.INI";
    {
        ProfileStore settings(settingsFile);
        for (const auto section : {kGpsPortSection, kSensorPortSection}) {
            settings.writeString(section, "Delay", "5");
        }
        settings.writeString(kGpsPortSection, "Port No", "COM3");
        settings.writeString(kSensorPortSection, "Port No", "COM4");
        settings.writeString(kSensorPortSection, "cSBESMessage", "NMEA DPT");
        settings.writeString(kSensorPortSection, "eSBESFormat", "%*6s,%lf");
    }
    const auto truthFile = dir / "truth.csv";
    // Out every 4 s for 1.5 s, from the second second on.
    test::Simulator sim({"--write-mapping", QString::fromStdString(settingsFile.string()),
                         "--gnss-com",      "3",
                         "--sbes-com",      "4",
                         "--gnss-link",     QString::fromStdString((dir / "usb-gnss").string()),
                         "--rate",          "5",
                         "--sbes-rate",     "5",
                         "--sbes-format",   "dpt",
                         "--close-after",   "2",
                         "--replug-after",  "1.5",
                         "--close-every",   "4",
                         "--truth",         QString::fromStdString(truthFile.string()),
                         "--duration",      QString::number(seconds + 5)});
    ASSERT_TRUE(sim.started());

    test::SmallDisk disk(dir / "disk");
    SystemClock clock;
    const DataFolders folders(dir / "disk" / "GVX", clock.now().date);
    ASSERT_TRUE(folders.createAll());
    ProfileStore settings(settingsFile);
    SurveySessionDevices devices;
    devices.resolver = profilePortResolver(settingsFile);
    SurveySession session(settings, folders, clock, {}, std::move(devices));
    session.setReopenIntervalMs(200);
    QTimer mapTimer;
    mapTimer.setInterval(500);
    QObject::connect(&mapTimer, &QTimer::timeout, [&] { session.mapTick(); });
    session.startRealtime();
    mapTimer.start();
    ASSERT_TRUE(session.sensorReader().Active());

    // The disk fills a third of the way in and is freed two thirds of the way.
    test::runEventsFor(seconds * 1000 / 3);
    disk.fill(2048);
    test::runEventsFor(seconds * 1000 / 3);
    const std::size_t keptWhileFull = session.survey().keptRows();
    disk.free();
    test::runEventsFor(seconds * 1000 / 3);
    session.stopRealtime();
    mapTimer.stop();
    session.survey().writeKeptRows();
    sim.terminate();

    EXPECT_GT(keptWhileFull, 0u) << "the disk filled while depths came";
    EXPECT_EQ(session.survey().keptRows(), 0u);
    const auto lines = test::fileLines(folders.surveyFile());
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(lines[0], kSurveyFileHeader);
    // The rows are the simulator's soundings one for one, from the first one the port delivered.
    std::vector<std::string> sent;
    for (const auto& row : test::readTruth(truthFile)) {
        if (row.fields.at("stream") == "sbes") {
            sent.push_back(formatGeneral(row.number("raw_hf_m")));
        }
    }
    const auto firstRaw = test::split(lines[1], ',').at(9);
    std::size_t at = 0;
    while (at < sent.size() && sent[at] != firstRaw) {
        ++at;
    }
    int withPosition = 0;
    for (std::size_t i = 1; i < lines.size(); ++i, ++at) {
        const auto fields = test::split(lines[i], ',');
        ASSERT_EQ(fields.size(), 18u) << lines[i];
        ASSERT_LT(at, sent.size());
        EXPECT_EQ(fields[9], sent[at]) << "no depth lost, none repeated, in order (row " << i << ")";
        withPosition += fields[1].empty() ? 0 : 1;
    }
    EXPECT_GT(withPosition, 0);
    EXPECT_FALSE(test::split(lines.back(), ',')[1].empty()) << "positions again after the last replug";
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folders.logFolder()),
                            std::filesystem::directory_iterator()),
              std::count_if(std::filesystem::directory_iterator(folders.logFolder()),
                            std::filesystem::directory_iterator(),
                            [](const auto& e) { return std::filesystem::file_size(e.path()) > 0; }))
        << "no empty file";
    EXPECT_FALSE(std::filesystem::exists(numberedAlternative(folders.surveyFile(), 1)));
    std::string events;
    readWholeFile(folders.eventsLog(clock.now().date), events);
    const int lost = countOf(events, "\tDisconnected from GPS on COM3");
    EXPECT_GE(lost, seconds / 4 - 1) << events;
    EXPECT_GE(countOf(events, "\tConnected to GPS on COM3"), lost) << events;
}

} // namespace
} // namespace selvir
