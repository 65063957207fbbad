// Receivers and echosounders on USB adapters that are pulled out and plugged back in, on real
// pseudo-terminals read through QSerialPort: while realtime runs the ports come back by themselves,
// also when the device returns under another name behind the same stable link (as /dev/serial/by-id
// gives on Linux).
#include "core/AtomicFile.h"
#include "navigation/PortChoices.h"
#include "navigation/SurveySession.h"
#include "serial/IntegrationSupport.h"
#include "serial/SerialPortMapping.h"
#include "support/TempDir.h"
#include "support/TextLines.h"

#include <gtest/gtest.h>
#include <memory>

namespace selvir {
namespace {

constexpr int kWaitMs = 5000;

int countOf(const std::string& text, const std::string& part) {
    int n = 0;
    for (auto at = text.find(part); at != std::string::npos; at = text.find(part, at + part.size())) {
        ++n;
    }
    return n;
}

// A stable name for a device that may come back under another path.
void pointLink(const std::filesystem::path& link, const std::string& device) {
    std::error_code ec;
    std::filesystem::remove(link, ec);
    std::filesystem::create_symlink(device, link);
}

TEST(Reconnect, UnpluggedAdaptersComeBackUnderTheirStableNames) {
    test::TempDir dir;
    const auto settingsFile = dir / "SelvirHS.INI";
    const auto gnssLink = dir / "usb-gnss-if00";
    const auto sbesLink = dir / "usb-sbes-if00";
    {
        ProfileStore settings(settingsFile);
        settings.writeString(kGpsPortSection, "Port No", "COM3");
        settings.writeString(kSensorPortSection, "Port No", "COM4");
        settings.writeString(kGpsPortSection, "Delay", "5");
        settings.writeString(kSensorPortSection, "Delay", "5");
        settings.writeString(kSensorPortSection, "cSBESMessage", "NMEA DPT");
        settings.writeString(kSensorPortSection, "eSBESFormat", "%*6s,%lf");
        settings.writeString(kSerialDevicesSection, "COM3", gnssLink.string());
        settings.writeString(kSerialDevicesSection, "COM4", sbesLink.string());
    }
    auto gnss = std::make_unique<test::PtyPair>();
    auto sbes = std::make_unique<test::PtyPair>();
    ASSERT_TRUE(gnss->ok() && sbes->ok());
    pointLink(gnssLink, gnss->slavePath());
    pointLink(sbesLink, sbes->slavePath());

    SystemClock clock;
    const DataFolders folders(dir / "GVX", clock.now().date);
    ProfileStore settings(settingsFile);
    SurveySessionDevices devices;
    devices.resolver = profilePortResolver(settingsFile);
    SurveySession session(settings, folders, clock, {}, std::move(devices));
    session.setReopenIntervalMs(100);
    session.startRealtime();
    ASSERT_TRUE(session.gnssReader().Active() && session.sensorReader().Active());

    const auto survey = [&](test::PtyPair& receiver, test::PtyPair& sounder, const std::string& minutes,
                            std::uint64_t rows) {
        receiver.write("$GPGGA,120000.00,41" + minutes + ",N,02900.0000,E,4,12,0.8,10.00,M,35.10,M,,\r\n");
        ASSERT_TRUE(test::runEventsUntil([&] { return session.positionNow().reported; }, kWaitMs));
        sounder.write("$SDDPT,12.34,0.5\r\n");
        ASSERT_TRUE(test::runEventsUntil([&] { return session.survey().rowsWritten() == rows; }, kWaitMs));
    };
    survey(*gnss, *sbes, "00.0000", 1);

    // Both adapters pulled out, their links gone with them (a stale link would name whatever terminal
    // takes the number next); they come back as other devices behind the same links.
    std::filesystem::remove(gnssLink);
    std::filesystem::remove(sbesLink);
    gnss.reset();
    sbes.reset();
    ASSERT_TRUE(test::runEventsUntil(
        [&] { return !session.gnssReader().Active() && !session.sensorReader().Active(); }, kWaitMs));
    test::runEventsFor(300); // a few reopen attempts while nothing is there
    gnss = std::make_unique<test::PtyPair>();
    sbes = std::make_unique<test::PtyPair>();
    ASSERT_TRUE(gnss->ok() && sbes->ok());
    pointLink(gnssLink, gnss->slavePath());
    pointLink(sbesLink, sbes->slavePath());
    ASSERT_TRUE(test::runEventsUntil(
        [&] { return session.gnssReader().Active() && session.sensorReader().Active(); }, kWaitMs));
    survey(*gnss, *sbes, "01.0000", 2);

    const auto rows = test::fileLines(folders.surveyFile());
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(test::split(rows[2], ',')[1], "41.0166666666667") << "the row after the replug has its fix";
    std::string events;
    readWholeFile(folders.eventsLog(clock.now().date), events);
    EXPECT_EQ(countOf(events, "\tDisconnected from GPS on COM3"), 1) << events;
    EXPECT_EQ(countOf(events, "\tConnected to GPS on COM3"), 2) << events;
    EXPECT_EQ(countOf(events, "\tDisconnected from echosounder on COM4"), 1) << events;
    EXPECT_EQ(countOf(events, "\tConnected to echosounder on COM4"), 1) << events;
    EXPECT_EQ(countOf(events, "GPS is idle!"), 0) << "a closed port is not reported idle every 5 s";
    EXPECT_TRUE(session.realtimeOn());
    session.stopRealtime();
}

} // namespace
} // namespace selvir
