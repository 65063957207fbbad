// The reader on real pseudo-terminals through QSerialPort, with Qt's timers running.
#include "IntegrationSupport.h"
#include "serial/QtSerialDevice.h"
#include "serial/SelvirSerialGPS.h"
#include "support/TempDir.h"

#include <QElapsedTimer>
#include <gtest/gtest.h>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace selvir {
namespace {

constexpr const char* kGga = "$GPGGA,123519,4807.038,N,01131.000,E,4,08,0.9,545.4,M,46.9,M,,*42\r\n";

struct Recorded {
    std::vector<std::string> events;
    std::vector<qint64> idleAtMs;
    std::vector<std::string> lines;
};

std::unique_ptr<TSelvirSerialGPS> readerOn(const std::string& path, Recorded& r, const QElapsedTimer& clock) {
    auto reader = std::make_unique<TSelvirSerialGPS>(nullptr, nullptr, nullptr, [path](int) { return path; });
    reader->OnConnect = [&r](TSelvirSerialGPS*, int port) {
        r.events.push_back("connect:" + std::to_string(port));
    };
    reader->OnDisconnect = [&r](TSelvirSerialGPS*, int) { r.events.push_back("disconnect"); };
    reader->OnIdle = [&r, &clock](TSelvirSerialGPS*) {
        r.events.push_back("idle");
        r.idleAtMs.push_back(clock.elapsed());
    };
    reader->OnTimeout = [&r](TSelvirSerialGPS*) { r.events.push_back("timeout"); };
    reader->OnNewCommand = [&r](TSelvirSerialGPS*, const std::string& line) { r.lines.push_back(line); };
    reader->OnPosition3DChange = [&r](TSelvirSerialGPS*, double, double, double) {
        r.events.push_back("pos");
    };
    reader->Delay = 5;
    return reader;
}

class PtyReader : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(pty.ok());
        clock.start();
        reader = readerOn(pty.slavePath(), recorded, clock);
    }
    test::PtyPair pty;
    QElapsedTimer clock;
    Recorded recorded;
    std::unique_ptr<TSelvirSerialGPS> reader;
};

TEST_F(PtyReader, OpensWithParityAndModemLinesAsBestEffortAndDeliversData) {
    reader->Port = 6;
    reader->BaudRate = 115200;
    reader->Parity = 1;
    reader->StopBits = 2;
    reader->EnableDTR = true;
    reader->EnableRTS = true;
    reader->Open();
    ASSERT_TRUE(reader->Active()) << "a pseudo-terminal refuses parity and DTR/RTS: that is not a failure";
    EXPECT_EQ(recorded.events, (std::vector<std::string>{"connect:6"}));

    pty.write(std::string(kGga) + "$SDDPT,12.3,0.5\r\n$GPVTG,054.7,T,034.4,");
    ASSERT_TRUE(test::runEventsUntil([&] { return recorded.lines.size() >= 2; }, 3000));
    pty.write("M,005.5,N,010.2,K\r\n");
    ASSERT_TRUE(test::runEventsUntil([&] { return recorded.lines.size() >= 3; }, 3000));
    EXPECT_EQ(recorded.lines[1], "$SDDPT,12.3,0.5");
    EXPECT_EQ(recorded.lines[2], "$GPVTG,054.7,T,034.4,M,005.5,N,010.2,K");
    EXPECT_NEAR(reader->Latitude(), 48.1173, 1e-12);
    EXPECT_EQ(reader->FixQuality(), 4);
    EXPECT_DOUBLE_EQ(reader->Speed(), 10.2);
    reader->Close();
    EXPECT_EQ(recorded.events.back(), "disconnect");
}

TEST_F(PtyReader, LineSettingsReachTheKernel) {
    reader->BaudRate = 4800;
    reader->DataWidth = 3;
    reader->StopBits = 3;
    reader->Open();
    ASSERT_TRUE(reader->Active());
    termios t = pty.settings();
    EXPECT_EQ(cfgetospeed(&t), static_cast<speed_t>(B4800));
    // Data bits: the kernel keeps a pseudo-terminal at 8 bits without parity whatever is asked.
    EXPECT_TRUE(t.c_cflag & CSTOPB) << "stop-bit code 3: two stop bits";
    EXPECT_FALSE(t.c_lflag & (ICANON | ECHO)) << "raw: no line editing, no echo";
    reader->Close();
    reader->BaudRate = 115200;
    reader->DataWidth = 4;
    reader->StopBits = 0;
    reader->Open();
    ASSERT_TRUE(reader->Active());
    t = pty.settings();
    EXPECT_EQ(cfgetospeed(&t), static_cast<speed_t>(B115200));
    EXPECT_EQ(t.c_cflag & CSIZE, static_cast<tcflag_t>(CS8));
    EXPECT_FALSE(t.c_cflag & CSTOPB) << "stop-bit code 0: one stop bit";
}

TEST_F(PtyReader, BytesQueuedBeforeTheOpenAreDiscarded) {
    const std::string stale = "$GPGGA,stale,line\r\n";
    pty.write(stale);
    ASSERT_TRUE(pty.waitQueuedOnSlave(static_cast<int>(stale.size()), 3000));
    reader->Open();
    ASSERT_TRUE(reader->Active());
    pty.write("$SDDPT,1.0\r\n");
    ASSERT_TRUE(test::runEventsUntil([&] { return !recorded.lines.empty(); }, 3000));
    test::runEventsFor(50);
    EXPECT_EQ(recorded.lines, (std::vector<std::string>{"$SDDPT,1.0"}));
}

TEST_F(PtyReader, SendReachesTheDevice) {
    reader->Open();
    ASSERT_TRUE(reader->Active());
    const std::string commands[] = {"$JASC,GPGGA,5\r\n", "$JASC,GPVTG,5\r\n", "%%dm\n"};
    for (const auto& command : commands) {
        reader->Send(command);
    }
    std::string received;
    test::runEventsUntil(
        [&] {
            received += pty.read();
            return received.size() >= 34;
        },
        3000);
    EXPECT_EQ(received, "$JASC,GPGGA,5\r\n$JASC,GPVTG,5\r\n%%dm\n");
}

TEST_F(PtyReader, WatchdogReportsIdleThenTimeoutTwoPeriodsAfterDataStopsThenEveryPeriod) {
    constexpr int kPeriodMs = 200;
    reader->setWatchdogIntervalMs(kPeriodMs);
    reader->Open();
    ASSERT_TRUE(reader->Active());
    // Data every 50 ms keeps the watchdog quiet.
    for (int i = 0; i < 12; ++i) {
        pty.write("$SDDPT,1.0\r\n");
        test::runEventsFor(50);
    }
    EXPECT_TRUE(recorded.idleAtMs.empty()) << "no idle while data flows";
    const qint64 lastDataMs = clock.elapsed();
    ASSERT_TRUE(test::runEventsUntil([&] { return recorded.idleAtMs.size() >= 3; }, 5000));
    const qint64 firstGap = recorded.idleAtMs[0] - lastDataMs;
    EXPECT_GE(firstGap, kPeriodMs + kPeriodMs / 2) << "the first tick after data only clears the flag";
    EXPECT_LE(firstGap, 6 * kPeriodMs);
    EXPECT_GE(recorded.idleAtMs[2] - recorded.idleAtMs[1], kPeriodMs / 2);
    std::vector<std::string> watchdog;
    for (const auto& e : recorded.events) {
        if (e == "idle" || e == "timeout") {
            watchdog.push_back(e);
        }
    }
    ASSERT_GE(watchdog.size(), 6u);
    for (std::size_t i = 0; i + 1 < watchdog.size(); i += 2) {
        EXPECT_EQ(watchdog[i], "idle");
        EXPECT_EQ(watchdog[i + 1], "timeout");
    }
}

TEST_F(PtyReader, DeviceVanishingWhileOpenNeitherCrashesNorSpins) {
    // Through a link that goes with the device, as by-id links do: the freed terminal number may be
    // taken by another program before the reopen below.
    test::TempDir dir;
    const auto link = dir / "usb-gnss";
    std::filesystem::create_symlink(pty.slavePath(), link);
    reader = readerOn(link.string(), recorded, clock);
    reader->setWatchdogIntervalMs(150);
    reader->Open();
    ASSERT_TRUE(reader->Active());
    pty.write(kGga);
    ASSERT_TRUE(test::runEventsUntil([&] { return !recorded.lines.empty(); }, 3000));
    std::filesystem::remove(link);
    pty.closeAll(); // the receiver is unplugged
    const double cpuBefore = test::cpuSeconds();
    test::runEventsFor(1000);
    const double cpuUsed = test::cpuSeconds() - cpuBefore;
    EXPECT_LT(cpuUsed, 0.3) << "a hung-up device must not keep the event loop busy";
    EXPECT_FALSE(recorded.idleAtMs.empty()) << "the watchdog reports the silence";
    EXPECT_TRUE(reader->Active());
    auto* device = dynamic_cast<QtSerialDevice*>(&reader->device());
    ASSERT_NE(device, nullptr);
    EXPECT_TRUE(device->failed());
    reader->Send("$JASC,GPGGA,5\r\n"); // a write to a vanished device is ignored
    reader->Close();
    EXPECT_EQ(recorded.events.back(), "disconnect");
    recorded.events.clear();
    reader->Open();
    EXPECT_FALSE(reader->Active()) << "the device is gone";
    EXPECT_TRUE(recorded.events.empty());
}

TEST_F(PtyReader, AHandlerThatThrowsLosesItsLineNotThePort) {
    int calls = 0;
    reader->OnNewCommand = [&](TSelvirSerialGPS*, const std::string& line) {
        recorded.lines.push_back(line);
        if (++calls == 1) {
            throw std::runtime_error("handler failure");
        }
    };
    reader->Open();
    ASSERT_TRUE(reader->Active());
    pty.write("$SDDPT,1.0\r\n");
    ASSERT_TRUE(test::runEventsUntil([&] { return calls == 1; }, 3000));
    pty.write("$SDDPT,2.0\r\n");
    ASSERT_TRUE(test::runEventsUntil([&] { return calls == 2; }, 3000));
    EXPECT_EQ(recorded.lines, (std::vector<std::string>{"$SDDPT,1.0", "$SDDPT,2.0"}));
    EXPECT_TRUE(reader->PollTimer().isActive());
}

TEST(PtyReaderOpen, MissingDeviceLeavesTheReaderInactiveAndSilent) {
    QElapsedTimer clock;
    clock.start();
    Recorded recorded;
    auto reader = readerOn("/dev/pts/999999", recorded, clock);
    reader->Open();
    EXPECT_FALSE(reader->Active());
    test::runEventsFor(50);
    EXPECT_TRUE(recorded.events.empty());
    // The reason names the port, its device and what the system said.
    EXPECT_NE(reader->OpenError().find("/dev/pts/999999"), std::string::npos) << reader->OpenError();
    EXPECT_NE(reader->OpenError().find("No such file or directory"), std::string::npos)
        << reader->OpenError();
}

TEST(PtyReaderOpen, PortBusyWithAnotherReaderFailsTheSecondOpen) {
    test::PtyPair pty;
    ASSERT_TRUE(pty.ok());
    QElapsedTimer clock;
    clock.start();
    Recorded first;
    Recorded second;
    auto a = readerOn(pty.slavePath(), first, clock);
    auto b = readerOn(pty.slavePath(), second, clock);
    a->Open();
    ASSERT_TRUE(a->Active());
    b->Open();
    EXPECT_FALSE(b->Active()) << "the port is not shared";
    EXPECT_TRUE(second.events.empty());
    EXPECT_FALSE(b->OpenError().empty());
    EXPECT_TRUE(a->OpenError().empty());
}

} // namespace
} // namespace selvir
