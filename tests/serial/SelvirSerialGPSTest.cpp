#include "serial/SelvirSerialGPS.h"

#include "core/AtomicFile.h"
#include "core/NumberFormat.h"
#include "serial/MemorySerialDevice.h"
#include "support/TempDir.h"

#include <QThread>
#include <cmath>
#include <gtest/gtest.h>
#include <memory>
#include <random>
#include <string>
#include <vector>

namespace selvir {
namespace {

constexpr const char* kGgaLine = "$GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,*47\r\n";

class SerialReader : public ::testing::Test {
protected:
    void SetUp() override {
        auto owned = std::make_unique<MemorySerialDevice>();
        device = owned.get();
        reader = std::make_unique<TSelvirSerialGPS>(
            nullptr, std::move(owned), &clock, [](int port) { return "/dev/test" + std::to_string(port); });
        readerAddress = reader.get();
        reader->OnConnect = [this](TSelvirSerialGPS* s, int port) {
            record(s, "connect:" + std::to_string(port));
        };
        reader->OnDisconnect = [this](TSelvirSerialGPS* s, int port) {
            record(s, "disconnect:" + std::to_string(port));
        };
        reader->OnIdle = [this](TSelvirSerialGPS* s) { record(s, "idle"); };
        reader->OnTimeout = [this](TSelvirSerialGPS* s) { record(s, "timeout"); };
        reader->OnNewCommand = [this](TSelvirSerialGPS* s, const std::string& line) {
            record(s, "line:" + line);
        };
        reader->OnSend = [this](TSelvirSerialGPS* s, const std::string& text) { record(s, "send:" + text); };
        reader->OnPosition3DChange = [this](TSelvirSerialGPS* s, double lat, double lon, double alt) {
            record(s, "pos:" + formatShortest(lat) + "," + formatShortest(lon) + "," + formatShortest(alt));
        };
        reader->OnSpeedChange = [this](TSelvirSerialGPS* s, double kmh) {
            record(s, "speed:" + formatShortest(kmh));
        };
    }

    // The reader goes first: its destruction raises OnDisconnect into `events`.
    void TearDown() override { reader.reset(); }

    void record(TSelvirSerialGPS* sender, std::string event) {
        EXPECT_EQ(sender, readerAddress);
        events.push_back(std::move(event));
    }

    // Delivers bytes and polls until the device has handed over everything.
    void deliver(const std::string& bytes) {
        device->feed(bytes);
        for (int guard = 0; device->pending() > 0 && guard < 100000; ++guard) {
            reader->PollTick();
        }
    }

    void openReader() {
        reader->Open();
        ASSERT_TRUE(reader->Active());
        events.clear();
    }

    ManualClock clock{LocalDateTime{{2026, 3, 5}, 13, 45, 2, 123}};
    MemorySerialDevice* device = nullptr;
    std::unique_ptr<TSelvirSerialGPS> reader;
    TSelvirSerialGPS* readerAddress = nullptr;
    std::vector<std::string> events;
};

using Events = std::vector<std::string>;

TEST_F(SerialReader, DefaultsAreThoseOfANewReader) {
    EXPECT_EQ(reader->Port, 1);
    EXPECT_EQ(reader->BaudRate, 9600);
    EXPECT_EQ(reader->DataWidth, 4);
    EXPECT_EQ(reader->StopBits, 1);
    EXPECT_EQ(reader->Parity, 0);
    EXPECT_EQ(reader->Priority, 3);
    EXPECT_EQ(reader->Delay, 50);
    EXPECT_FALSE(reader->NMEALog || reader->LogTime || reader->EnableDTR || reader->EnableRTS);
    EXPECT_EQ(reader->LogFileName, "");
    EXPECT_EQ(reader->PollTimer().interval(), 50);
    EXPECT_EQ(reader->WatchdogTimer().interval(), 5000);
    EXPECT_FALSE(reader->PollTimer().isActive());
    EXPECT_FALSE(reader->WatchdogTimer().isActive());
    EXPECT_FALSE(reader->Active());
}

TEST_F(SerialReader, OpenAppliesTheLineSettingsAndRaisesConnect) {
    reader->Port = 7;
    reader->BaudRate = 115200;
    reader->DataWidth = 3;
    reader->StopBits = 3;
    reader->Parity = 2;
    reader->EnableDTR = true;
    reader->Delay = 5;
    reader->Open();
    EXPECT_TRUE(reader->Active());
    EXPECT_EQ(events, (Events{"connect:7"}));
    EXPECT_EQ(device->lastPath(), "/dev/test7");
    const SerialLineSettings& s = device->lastSettings();
    EXPECT_EQ(s.baudRate, 115200);
    EXPECT_EQ(s.dataBits, 7);
    EXPECT_EQ(s.stopBits, SerialStopBits::Two);
    EXPECT_EQ(s.parity, SerialParity::Even);
    EXPECT_TRUE(s.dtrOn);
    EXPECT_FALSE(s.rtsOn);
    EXPECT_EQ(device->purgeCount(), 1) << "everything queued before the open is discarded";
    EXPECT_EQ(reader->PollTimer().interval(), 5);
    EXPECT_TRUE(reader->PollTimer().isActive());
    EXPECT_TRUE(reader->WatchdogTimer().isActive());
    EXPECT_EQ(reader->WatchdogTimer().interval(), 5000);
}

TEST_F(SerialReader, StopBitAndParityCodesMapAsTheSettingsWindowMeansThem) {
    const std::pair<int, SerialStopBits> stopBits[] = {{0, SerialStopBits::One},
                                                       {1, SerialStopBits::One},
                                                       {2, SerialStopBits::OneAndHalf},
                                                       {3, SerialStopBits::Two},
                                                       {9, SerialStopBits::One}};
    for (const auto& [code, expected] : stopBits) {
        reader->StopBits = code;
        reader->Open();
        EXPECT_EQ(device->lastSettings().stopBits, expected) << code;
        reader->Close();
    }
    for (int parity = 0; parity <= 4; ++parity) {
        reader->Parity = parity;
        reader->Open();
        EXPECT_EQ(static_cast<int>(device->lastSettings().parity), parity);
        reader->Close();
    }
    events.clear();
    reader->Parity = 5;
    reader->Open();
    EXPECT_FALSE(reader->Active()) << "a parity code the port cannot take";
    reader->Parity = 0;
    reader->DataWidth = 0;
    reader->Open();
    EXPECT_FALSE(reader->Active());
    EXPECT_TRUE(events.empty());
}

TEST_F(SerialReader, DelayBelowOneMeansFifty) {
    reader->Delay = 0;
    reader->Open();
    EXPECT_EQ(reader->PollTimer().interval(), 50);
    reader->Close();
    reader->Delay = -3;
    reader->Open();
    EXPECT_EQ(reader->PollTimer().interval(), 50);
}

TEST_F(SerialReader, FailedOpenLeavesTheReaderInactiveAndSilent) {
    device->setOpenFails(true);
    reader->Open();
    EXPECT_FALSE(reader->Active());
    EXPECT_TRUE(events.empty());
    EXPECT_NE(reader->OpenError().find("COM1"), std::string::npos) << reader->OpenError();
    EXPECT_NE(reader->OpenError().find("refused"), std::string::npos) << reader->OpenError();
    EXPECT_FALSE(reader->PollTimer().isActive());
    reader->Close();
    reader->Send("$JASC,GPGGA,5\r\n");
    EXPECT_TRUE(events.empty()) << "close and send on an inactive reader raise nothing";
    EXPECT_EQ(device->writeCount(), 0);
}

TEST_F(SerialReader, OpenWhileActiveAndCloseWhileClosedAreNoOps) {
    reader->Open();
    reader->Open();
    EXPECT_EQ(device->openCount(), 1);
    reader->Close();
    reader->Close();
    EXPECT_EQ(events, (Events{"connect:1", "disconnect:1"}));
}

TEST_F(SerialReader, CloseStopsTimersZeroesValuesAndReportsTheOpenedPort) {
    reader->Port = 4;
    openReader();
    deliver(kGgaLine);
    deliver("$GPVTG,054.7,T,034.4,M,005.5,N,010.2,K\r\n$GPGGA,12");
    ASSERT_NE(reader->Latitude(), 0.0);
    reader->Port = 9; // applies at the next open only
    events.clear();
    reader->Close();
    EXPECT_EQ(events, (Events{"disconnect:4"}));
    EXPECT_FALSE(reader->Active());
    EXPECT_FALSE(device->isOpen());
    EXPECT_FALSE(reader->PollTimer().isActive());
    EXPECT_FALSE(reader->WatchdogTimer().isActive());
    EXPECT_EQ(reader->Latitude(), 0.0);
    EXPECT_EQ(reader->Longitude(), 0.0);
    EXPECT_EQ(reader->Altitude(), 0.0);
    EXPECT_EQ(reader->Speed(), 0.0);
    EXPECT_EQ(reader->Course(), 0.0);
    EXPECT_EQ(reader->FixQuality(), 0);
    EXPECT_EQ(reader->Satellites(), 0);
    EXPECT_EQ(reader->Buffer(), "$GPGGA,12") << "kept across close";
    reader->Open();
    EXPECT_EQ(reader->Buffer(), "") << "cleared at the next open";
    EXPECT_EQ(device->lastPath(), "/dev/test9");
}

TEST_F(SerialReader, DestructionClosesWithItsEvent) {
    reader->Open();
    events.clear();
    auto* raw = reader.get();
    std::vector<std::string> seen;
    raw->OnDisconnect = [&seen](TSelvirSerialGPS*, int port) {
        seen.push_back("disconnect:" + std::to_string(port));
    };
    reader.reset();
    EXPECT_EQ(seen, (std::vector<std::string>{"disconnect:1"}));
}

TEST_F(SerialReader, SendWritesTheTextAsItIsInOneWrite) {
    openReader();
    const std::string command = "%%em,/dev/ser/a,nmea/GGA:0.5\n";
    reader->Send(command);
    EXPECT_EQ(device->written(), command);
    EXPECT_EQ(device->writeCount(), 1);
    EXPECT_EQ(device->lastWriteTimeoutMs(), 1000);
    EXPECT_EQ(events, (Events{"send:" + command}));
    const std::string withNul("A\0B", 3);
    reader->Send(withNul);
    EXPECT_EQ(device->written(), command + withNul) << "the whole length goes out";
}

TEST_F(SerialReader, SentenceSplitOverReadsIsDeliveredOnceAfterItsLineFeed) {
    openReader();
    deliver("$GPGGA,123519,4807.038,N,0113");
    EXPECT_TRUE(events.empty());
    EXPECT_EQ(reader->Buffer(), "$GPGGA,123519,4807.038,N,0113");
    deliver("1.000,E,1,08,0.9,545.4,M,46.9,M,,*47\r");
    EXPECT_TRUE(events.empty());
    deliver("\n");
    ASSERT_EQ(events.size(), 2u);
    EXPECT_EQ(events[0], "line:$GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,*47");
    EXPECT_EQ(events[1].rfind("pos:48.1173", 0), 0u) << events[1];
}

TEST_F(SerialReader, EachLineIsPassedOnBeforeItIsDecoded) {
    openReader();
    deliver(std::string(kGgaLine) +
            "$SDDPT,12.34,0.5*hh\r\n  "
            "\r\n$GPRMC,123519,A,4807.038,N,01131.000,E,022.4,084.4,230394,003.1,W*6A\r\n"
            "$GPGGA\r\n");
    EXPECT_EQ(events, (Events{"line:$GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,*47",
                              "pos:48.1173,11.516666666666667,545.4", "line:$SDDPT,12.34,0.5*hh",
                              "line:$GPRMC,123519,A,4807.038,N,01131.000,E,022.4,084.4,230394,003.1,W*6A",
                              "speed:41.4848", "line:$GPGGA"}));
    EXPECT_EQ(reader->FixQuality(), 1);
    EXPECT_EQ(reader->Satellites(), 8);
    EXPECT_DOUBLE_EQ(reader->Course(), 84.4);
    EXPECT_EQ(reader->counters().lines, 4u);
    EXPECT_EQ(reader->counters().ggaDecoded, 1u);
    EXPECT_EQ(reader->counters().rejected, 1u) << "the lone $GPGGA";
}

TEST_F(SerialReader, LinesNotStartingWithDollarArePassedOnButNotDecoded) {
    openReader();
    deliver("GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,*47\r\n");
    deliver("x$GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,*47\r\n");
    EXPECT_EQ(events.size(), 2u);
    EXPECT_EQ(reader->Latitude(), 0.0);
}

// A checksum that does not match is line noise: logged raw and counted, never handed on or decoded. No
// checksum, or a placeholder like "*hh", is taken as before.
TEST_F(SerialReader, SentencesWithAWrongChecksumAreDroppedAndCounted) {
    test::TempDir dir;
    reader->NMEALog = true;
    reader->LogFileName = (dir / "raw.log").string();
    std::vector<std::string> noise;
    reader->OnBadChecksum = [&](TSelvirSerialGPS*, const std::string& line) { noise.push_back(line); };
    openReader();
    const std::string garbled = "$GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,*46";
    deliver(garbled + "\r\n");
    deliver("$SDDPT,12.34,0.5*hh\r\n$SDDPT,12.34,0.5\r\n");
    deliver(std::string(kGgaLine));
    EXPECT_EQ(noise, std::vector<std::string>{garbled});
    EXPECT_EQ(reader->counters().badChecksums, 1u);
    EXPECT_EQ(events.front(), "line:$SDDPT,12.34,0.5*hh");
    EXPECT_EQ(reader->counters().lines, 3u);
    EXPECT_EQ(reader->counters().ggaDecoded, 1u) << "only the good GGA";
    std::string log;
    ASSERT_TRUE(readWholeFile(dir / "raw.log", log));
    EXPECT_EQ(log.find(garbled), 0u) << "the raw log keeps what came";
}

TEST_F(SerialReader, ATickTakesAtMost1023Bytes) {
    openReader();
    device->feed(std::string(3000, 'x'));
    reader->PollTick();
    EXPECT_EQ(device->pending(), 3000u - 1023u);
    EXPECT_EQ(reader->Buffer().size(), 1023u);
    reader->PollTick();
    reader->PollTick();
    EXPECT_EQ(device->pending(), 0u);
    EXPECT_EQ(reader->Buffer().size(), 3000u);
}

TEST_F(SerialReader, GarbageWithoutLineFeedsKeepsTheBufferBounded) {
    openReader();
    for (int i = 0; i < 10; ++i) {
        deliver(std::string(1000, 'g'));
        ASSERT_LE(reader->Buffer().size(), 4096u);
    }
    EXPECT_GE(reader->counters().bufferOverflows, 1u);
    deliver(kGgaLine);
    ASSERT_EQ(events.size(), 1u) << "the sentence after the garbage arrives, its line starting with garbage";
    EXPECT_EQ(events[0].substr(events[0].size() - 11), "46.9,M,,*47");
    EXPECT_EQ(reader->Latitude(), 0.0);
}

TEST_F(SerialReader, TenMegabytesOfRandomBytesNeverGiveAnImpossiblePosition) {
    openReader();
    std::mt19937 random(11);
    std::uniform_int_distribution<int> byte(0, 255);
    // Random bytes mixed with sentence fragments, so the decoder sees many near-sentences.
    const std::string fragments[] = {"$GPGGA,", "$GPRMC,", "$GPVTG,",  ",N,",  ",E,",
                                     ",S,",     ",W,",     "4807.038", "\r\n", "99999.9"};
    std::size_t total = 0;
    std::string chunk;
    while (total < 10u * 1024 * 1024) {
        chunk.clear();
        while (chunk.size() < 4000) {
            if (byte(random) < 40) {
                chunk += fragments[static_cast<std::size_t>(byte(random)) % std::size(fragments)];
            } else {
                chunk += static_cast<char>(byte(random));
            }
        }
        total += chunk.size();
        deliver(chunk);
        ASSERT_LE(reader->Buffer().size(), 4096u);
        ASSERT_LE(std::abs(reader->Latitude()), 90.0);
        ASSERT_LE(std::abs(reader->Longitude()), 180.0);
        ASSERT_TRUE(std::isfinite(reader->Altitude()) && std::isfinite(reader->Speed()) &&
                    std::isfinite(reader->Course()));
    }
    EXPECT_EQ(reader->counters().bytesRead, total);
}

TEST_F(SerialReader, CloseInsideALineHandlerStopsTheCutting) {
    openReader();
    reader->OnNewCommand = [this](TSelvirSerialGPS* s, const std::string& line) {
        events.push_back("line:" + line);
        s->Close();
    };
    deliver("$A,1\r\n$B,2\r\n");
    EXPECT_EQ(events, (Events{"line:$A,1", "disconnect:1"}));
}

TEST_F(SerialReader, RawLogWithTimeWritesDateTimeAndLineFlushedPerLine) {
    test::TempDir dir;
    const auto file = dir / "2026-03-05 SDZ_GNSS_V3.log";
    reader->NMEALog = true;
    reader->LogTime = true;
    reader->LogFileName = file.string();
    openReader();
    EXPECT_TRUE(reader->LogFileOpen());
    deliver(kGgaLine);
    std::string text;
    ASSERT_TRUE(readWholeFile(file, text)) << "flushed: readable while the port is open";
    EXPECT_EQ(text,
              "2026-03-05 134502123 $GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,*47\n");
    clock.advanceMs(1001);
    deliver("\r\n@SMT,12.3\r\n");
    ASSERT_TRUE(readWholeFile(file, text));
    EXPECT_EQ(text.substr(text.find('\n') + 1), "2026-03-05 134503124 @SMT,12.3\n")
        << "empty lines are not logged";
    reader->Close();
    EXPECT_FALSE(reader->LogFileOpen());
}

TEST_F(SerialReader, RawLogAppendsAndHonoursItsLayoutsAndSwitches) {
    test::TempDir dir;
    const auto file = dir / "raw.log";
    ASSERT_TRUE(appendToFile(file, "earlier\n"));
    reader->NMEALog = true;
    reader->LogFileName = file.string();
    openReader();
    deliver("$SDDPT,1.0\r\n");
    reader->Close();
    reader->LogTime = true;
    reader->DateFormat = "dd.mm.yy";
    reader->TimeFormat = "hh:nn:ss";
    reader->Open();
    deliver("$SDDPT,2.0\r\n");
    reader->Close();
    reader->NMEALog = false;
    reader->Open();
    deliver("$SDDPT,3.0\r\n");
    reader->Close();
    std::string text;
    ASSERT_TRUE(readWholeFile(file, text));
    EXPECT_EQ(text, "earlier\n$SDDPT,1.0\n05.03.26 13:45:02 $SDDPT,2.0\n");
}

TEST_F(SerialReader, RawLogThatCannotBeOpenedLeavesThePortRunning) {
    test::TempDir dir;
    reader->NMEALog = true;
    reader->LogFileName = (dir / "missing-folder" / "raw.log").string();
    openReader();
    EXPECT_FALSE(reader->LogFileOpen());
    deliver(kGgaLine);
    EXPECT_EQ(events.size(), 2u);
}

TEST_F(SerialReader, WatchdogFirstClearsThenReportsIdleAndTimeoutEveryPeriod) {
    openReader();
    // Data arrives: the 5 s watchdog starts its period again.
    QThread::msleep(40);
    const int before = reader->WatchdogTimer().remainingTime();
    deliver(kGgaLine);
    const int after = reader->WatchdogTimer().remainingTime();
    EXPECT_TRUE(reader->Received());
    EXPECT_GT(after, before) << "the read restarted the watchdog";
    EXPECT_GT(after, 4900);
    events.clear();

    reader->WatchdogTick(); // 5 s after the last read: only clears the flag
    EXPECT_TRUE(events.empty());
    EXPECT_FALSE(reader->Received());
    reader->WatchdogTick(); // 10 s: the first pair
    EXPECT_EQ(events, (Events{"idle", "timeout"}));
    reader->WatchdogTick(); // 15 s: and one pair every period while silent
    EXPECT_EQ(events, (Events{"idle", "timeout", "idle", "timeout"}));
    deliver(kGgaLine); // data again (no change: the same GGA)
    events.clear();
    reader->WatchdogTick();
    EXPECT_TRUE(events.empty());
}

TEST_F(SerialReader, WatchdogOfAPortThatNeverDeliversReportsAtItsFirstTick) {
    openReader();
    reader->WatchdogTick();
    EXPECT_EQ(events, (Events{"idle", "timeout"}));
}

TEST_F(SerialReader, UnassignedEventsAreSkipped) {
    reader->OnIdle = nullptr;
    reader->OnNewCommand = nullptr;
    reader->OnPosition3DChange = nullptr;
    openReader();
    reader->WatchdogTick();
    deliver(kGgaLine);
    EXPECT_EQ(events, (Events{"timeout"}));
    EXPECT_NEAR(reader->Latitude(), 48.1173, 1e-12);
}

TEST_F(SerialReader, UnpluggedDeviceSkipsTicksAndTheWatchdogReports) {
    openReader();
    deliver(kGgaLine);
    events.clear();
    device->unplug();
    device->feed("$GPGGA,never,read\r\n");
    for (int i = 0; i < 100; ++i) {
        reader->PollTick();
    }
    EXPECT_TRUE(events.empty());
    EXPECT_EQ(reader->counters().readFailures, 100u);
    reader->WatchdogTick();
    reader->WatchdogTick();
    EXPECT_EQ(events, (Events{"idle", "timeout"}));
    EXPECT_TRUE(reader->Active()) << "nothing is closed behind the owner's back";
    reader->Close();
    EXPECT_EQ(events.back(), "disconnect:1");
}

// With reopening on, a lost device is closed at once and tried again every period until it answers;
// a Close() of the owner ends the trying.
TEST_F(SerialReader, LostDeviceIsClosedAndReopenedUntilItAnswers) {
    reader->ReopenIntervalMs = 250;
    openReader();
    events.clear();
    device->unplug();
    reader->PollTick();
    EXPECT_EQ(events, (Events{"disconnect:1"}));
    EXPECT_FALSE(reader->Active());
    EXPECT_TRUE(reader->Reopening());
    EXPECT_EQ(reader->ReopenTimer().interval(), 250);
    device->setOpenFails(true); // still unplugged
    reader->ReopenTick();
    reader->WatchdogTick();
    EXPECT_EQ(events.size(), 1u) << "no connect, and a closed port reports no silence";
    device->setOpenFails(false);
    reader->ReopenTick();
    EXPECT_EQ(events.back(), "connect:1");
    EXPECT_TRUE(reader->Active());
    EXPECT_FALSE(reader->Reopening());
    deliver(kGgaLine);
    EXPECT_EQ(reader->FixQuality(), 1) << "data flows again";

    reader->ReopenIntervalMs = 250;
    device->unplug();
    reader->PollTick();
    reader->Close(); // the surveyor stops realtime while the device is away
    EXPECT_FALSE(reader->Reopening());
    reader->ReopenTick();
    EXPECT_FALSE(reader->Active());
    EXPECT_EQ(device->openCount(), 2);
}

TEST_F(SerialReader, TimersOffLeavesTheStepsToTheCaller) {
    reader->setTimersEnabled(false);
    reader->setWatchdogIntervalMs(200);
    openReader();
    EXPECT_FALSE(reader->PollTimer().isActive());
    EXPECT_FALSE(reader->WatchdogTimer().isActive());
    EXPECT_EQ(reader->WatchdogTimer().interval(), 200);
    deliver(kGgaLine);
    EXPECT_EQ(events.size(), 2u);
}

TEST(SerialReaderNames, PortFromName) {
    const std::pair<const char*, int> cases[] = {
        {"com7", 7}, {"COM7", 7},  {"COM", 1},    {"COM35", 20}, {"0", 1},   {"3", 3},     {"COMx", 1},
        {"", 1},     {"COM-2", 1}, {"cOm20", 20}, {"COM 5", 5},  {"21", 20}, {"COM1.5", 1}};
    for (const auto& [name, port] : cases) {
        EXPECT_EQ(TSelvirSerialGPS::PortFromName(name), port) << name;
    }
}

TEST(SerialReaderNames, PortNameAndValidBaudRate) {
    EXPECT_EQ(TSelvirSerialGPS::PortName(3), "COM3");
    EXPECT_EQ(TSelvirSerialGPS::PortName(12), "COM12");
    for (int rate : {110, 300, 600, 1200, 2400, 4800, 9600, 14400, 19200, 38400, 57600, 115200, 230400}) {
        EXPECT_EQ(TSelvirSerialGPS::ValidBaudRate(rate), rate);
    }
    for (int rate : {0, -9600, 56000, 128000, 460800, 9601}) {
        EXPECT_EQ(TSelvirSerialGPS::ValidBaudRate(rate), 9600) << rate;
    }
}

} // namespace
} // namespace selvir
