#include "sim/Faults.h"
#include "sim/NmeaSentences.h"
#include "sim/RawLogReplay.h"
#include "sim/SimOptions.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace selvir::sim {
namespace {

const std::string kSentence = finishSentence("GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,");

std::string joined(const MangledMessage& m) {
    std::string all;
    for (const auto& p : m.pieces) {
        all += p;
    }
    return all;
}

TEST(Faults, NoneRequestedLeavesMessagesAlone) {
    FaultInjector faults({}, 1);
    for (int i = 0; i < 100; ++i) {
        const MangledMessage m = faults.apply(kSentence);
        ASSERT_EQ(m.pieces, (std::vector<std::string>{kSentence}));
        ASSERT_EQ(m.faults, "");
    }
    EXPECT_FALSE(faults.silentAt(100.0));
    EXPECT_FALSE(faults.unpluggedAt(1e6));
}

TEST(Faults, EveryFaultAtOnceStillHoldsTheMessageInOrder) {
    FaultSettings settings;
    settings.garbageProbability = 1;
    settings.nulProbability = 1;
    settings.splitProbability = 1;
    settings.badChecksumProbability = 1;
    FaultInjector faults(settings, 42);
    for (int i = 0; i < 200; ++i) {
        const MangledMessage m = faults.apply(kSentence);
        ASSERT_EQ(m.faults, "bad_checksum;nul;garbage;split");
        ASSERT_EQ(m.pieces.size(), 2u);
        std::string all = joined(m);
        const std::size_t nul = all.find('\0', all.size() - kSentence.size() - 1);
        ASSERT_NE(nul, std::string::npos);
        all.erase(nul, 1);
        const std::string garbage = all.substr(0, all.size() - kSentence.size());
        ASSERT_GE(garbage.size(), 1u);
        ASSERT_LE(garbage.size(), 64u);
        ASSERT_EQ(garbage.find('\n'), std::string::npos);
        ASSERT_EQ(all.substr(garbage.size()), withBadChecksum(kSentence));
    }
}

TEST(Faults, BadChecksumIsAlwaysWrongAndStillHexadecimal) {
    for (int c = 32; c < 127; ++c) {
        const std::string message = finishSentence(std::string("SDDPT,") + static_cast<char>(c));
        const std::string bad = withBadChecksum(message);
        ASSERT_NE(bad, message);
        ASSERT_EQ(bad.size(), message.size());
        const std::string digits = bad.substr(bad.size() - 4, 2);
        ASSERT_EQ(digits.find_first_not_of("0123456789ABCDEF"), std::string::npos) << digits;
    }
    EXPECT_EQ(withBadChecksum("no checksum\r\n"), "no checksum\r\n");
}

TEST(Faults, SilencesComeEveryPeriodForTheirLength) {
    FaultSettings settings;
    settings.silenceEveryS = 10;
    settings.silenceForS = 3;
    settings.closeAfterS = 7;
    FaultInjector faults(settings, 1);
    EXPECT_FALSE(faults.silentAt(0.0));
    EXPECT_FALSE(faults.silentAt(9.99));
    EXPECT_TRUE(faults.silentAt(10.0));
    EXPECT_TRUE(faults.silentAt(12.9));
    EXPECT_FALSE(faults.silentAt(13.1));
    EXPECT_TRUE(faults.silentAt(21.0));
    EXPECT_FALSE(faults.unpluggedAt(6.9));
    EXPECT_TRUE(faults.unpluggedAt(7.0));
    EXPECT_TRUE(faults.unpluggedAt(1e6)) << "without a replug the device stays gone";
}

TEST(Faults, AnUnpluggedDeviceComesBackAndGoesAgain) {
    FaultSettings settings;
    settings.closeAfterS = 5;
    settings.replugAfterS = 2;
    settings.closeEveryS = 10;
    const FaultInjector faults(settings, 1);
    const std::pair<double, bool> expected[] = {{4.9, false},  {5, true},  {6.9, true},  {7, false},
                                                {14.9, false}, {15, true}, {16.5, true}, {17.1, false}};
    for (const auto& [at, unplugged] : expected) {
        EXPECT_EQ(faults.unpluggedAt(at), unplugged) << at;
    }
}

TEST(Faults, TheSameSeedRepeatsARun) {
    FaultSettings settings;
    settings.garbageProbability = 0.5;
    settings.splitProbability = 0.5;
    FaultInjector a(settings, 9);
    FaultInjector b(settings, 9);
    for (int i = 0; i < 50; ++i) {
        const auto x = a.apply(kSentence);
        const auto y = b.apply(kSentence);
        ASSERT_EQ(x.pieces, y.pieces);
    }
}

TEST(Replay, LogTimePrefixIsReadStrictly) {
    std::string_view rest;
    const auto time = parseLogTimePrefix("2026-03-05 134502123 $GPGGA,1", &rest);
    ASSERT_TRUE(time.has_value());
    EXPECT_EQ(*time, (LocalDateTime{{2026, 3, 5}, 13, 45, 2, 123}));
    EXPECT_EQ(rest, "$GPGGA,1");
    for (const char* bad :
         {"$GPGGA,1", "2026-03-05 134502123$GPGGA", "2026-13-05 134502123 x", "2026-02-30 134502123 x",
          "2026-03-05 246000000 x", "2026-03-05 13450212 x", "2026/03/05 134502123 x"}) {
        EXPECT_FALSE(parseLogTimePrefix(bad).has_value()) << bad;
    }
}

TEST(Replay, OffsetsFollowTheStampsAcrossMidnightAndNeverGoBack) {
    const std::string log = "2026-03-05 235959800 $A\r\n"
                            "$B without stamp\n"
                            "\n"
                            "2026-03-06 000000300 $C\n"
                            "2026-03-06 000000100 $D clock set back\n"
                            "2026-03-06 000002300 $E";
    const auto lines = replayFromText(log, 1.0);
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines[0].text, "$A\r\n");
    EXPECT_DOUBLE_EQ(lines[0].offsetS, 0.0);
    EXPECT_EQ(lines[1].text, "$B without stamp\r\n");
    EXPECT_DOUBLE_EQ(lines[1].offsetS, 0.0);
    EXPECT_DOUBLE_EQ(lines[2].offsetS, 0.5);
    EXPECT_DOUBLE_EQ(lines[3].offsetS, 0.5);
    EXPECT_DOUBLE_EQ(lines[4].offsetS, 2.5);
    const auto fast = replayFromText(log, 10.0);
    EXPECT_DOUBLE_EQ(fast[4].offsetS, 0.25);
}

TEST(SimOptionsParsing, DefaultsAndValues) {
    std::string error;
    auto o = parseSimOptions({}, error);
    ASSERT_TRUE(o.has_value()) << error;
    EXPECT_EQ(o->trajectory.originLatDeg, 41.0);
    EXPECT_EQ(o->trajectory.originLonDeg, 29.0);
    EXPECT_EQ(o->rateHz, 5.0);
    EXPECT_EQ(o->sbesFormat, EchosounderFormat::SelvirSmt);
    EXPECT_EQ(o->durationS, 0.0);
    o = parseSimOptions({"--origin", "-33.5,151.25", "--rate=10", "--sbes-format", "Selvir XDR H/L",
                         "--fix-cycle", "2", "--write-mapping", "x.ini", "--gnss-com", "3", "--sbes-com", "4",
                         "--seed", "4000000000", "--replay-loop"},
                        error);
    ASSERT_TRUE(o.has_value()) << error;
    EXPECT_EQ(o->trajectory.originLatDeg, -33.5);
    EXPECT_EQ(o->trajectory.originLonDeg, 151.25);
    EXPECT_EQ(o->rateHz, 10.0);
    EXPECT_EQ(o->sbesFormat, EchosounderFormat::SelvirXdrHl);
    EXPECT_EQ(o->gnssCom, 3);
    EXPECT_EQ(o->seed, 4000000000u);
    EXPECT_TRUE(o->replayLoop);
}

TEST(SimOptionsParsing, BadInputIsRejectedNamingTheOption) {
    const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
        {{"--rate", "0"}, "--rate"},
        {{"--rate", "fast"}, "--rate"},
        {{"--origin", "41"}, "--origin"},
        {{"--origin", "95,29"}, "--origin"},
        {{"--sbes-format", "XYZ"}, "--sbes-format"},
        {{"--garbage", "1.5"}, "--garbage"},
        {{"--speed"}, "--speed"},
        {{"--bogus"}, "--bogus"},
        {{"--write-mapping", "x.ini"}, "--gnss-com"},
        {{"--gnss-com", "3"}, "--write-mapping"},
        {{"--write-mapping", "x", "--gnss-com", "3", "--sbes-com", "3"}, "differ"},
        {{"--silence-every", "5"}, "--silence-for"},
        {{"--silence-every", "5", "--silence-for", "6"}, "shorter"},
    };
    for (const auto& [args, mention] : cases) {
        std::string error;
        EXPECT_FALSE(parseSimOptions(args, error).has_value()) << args[0];
        EXPECT_NE(error.find(mention), std::string::npos) << error;
    }
}

} // namespace
} // namespace selvir::sim
