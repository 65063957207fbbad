#include "navigation/DepthReduction.h"
#include "navigation/EchosounderFormats.h"
#include "navigation/ReceiverCommands.h"

#include <gtest/gtest.h>

namespace selvir {
namespace {

std::string_view tablePattern(std::string_view name) {
    return findEchosounderFormat(name)->pattern;
}

TEST(EchosounderDecoder, DptReducedWithSingleSoundVelocity) {
    EchosounderDecoder decoder;
    const auto raw = decoder.decode("$SDDPT,12.34,0.5*hh", "NMEA DPT", "%*6s,%lf");
    ASSERT_TRUE(raw);
    EXPECT_DOUBLE_EQ(raw->rawHF, 12.34);
    EXPECT_EQ(raw->rawLF, 0);
    const auto at1500 = reduceDepths(raw->rawHF, raw->rawLF, 0.50, 1500);
    EXPECT_NEAR(at1500.depthHF, 12.84, 1e-12);
    EXPECT_NEAR(at1500.depthLF, 0.50, 1e-12); // no low frequency: only the draft
    const auto at1480 = reduceDepths(raw->rawHF, raw->rawLF, 0.50, 1480);
    EXPECT_NEAR(at1480.depthHF, 12.34 * 1480 / 1500 + 0.50, 1e-12);
    EXPECT_NEAR(at1480.depthHF, 12.6755, 1e-4);
    EXPECT_EQ(at1480.soundVelocity, 1480);
}

TEST(EchosounderDecoder, DbtTakesTheMetresField) {
    EchosounderDecoder decoder;
    const auto raw = decoder.decode("$SDDBT,40.5,f,12.3,M,6.7,F", "NMEA DBT", tablePattern("NMEA DBT"));
    ASSERT_TRUE(raw);
    EXPECT_DOUBLE_EQ(raw->rawHF, 12.3);
}

TEST(EchosounderDecoder, DualFrequencyNeedsBothTags) {
    EchosounderDecoder decoder;
    const auto both =
        decoder.decode("$PSXDHI1,12.35,$PSXDLO1,13.10", "Selvir XDR H/L", tablePattern("Selvir XDR H/L"));
    ASSERT_TRUE(both);
    EXPECT_DOUBLE_EQ(both->rawHF, 12.35);
    EXPECT_DOUBLE_EQ(both->rawLF, 13.10);
    EXPECT_FALSE(decoder.decode("$PSXDHI1,12.35", "Selvir XDR H/L", tablePattern("Selvir XDR H/L")));
    const auto low =
        decoder.decode("$PSXDHI1,12.35,$PSXDLO1,13.10", "Selvir XDR LO", tablePattern("Selvir XDR LO"));
    ASSERT_TRUE(low);
    EXPECT_EQ(low->rawHF, 0); // this format writes no survey rows
    EXPECT_DOUBLE_EQ(low->rawLF, 13.10);
}

TEST(EchosounderDecoder, SmtCarriesTheBattery) {
    EchosounderDecoder decoder;
    const auto raw = decoder.decode("$SMT0001,12.34,12.6", "Selvir SMT", tablePattern("Selvir SMT"));
    ASSERT_TRUE(raw && raw->battery);
    EXPECT_DOUBLE_EQ(*raw->battery, 12.6);
    EXPECT_FALSE(decoder.decode("$SMT0001,12.34", "Selvir SMT", tablePattern("Selvir SMT"))); // short
}

TEST(EchosounderDecoder, OtherSentencesAndOtherFormatsAreDropped) {
    EchosounderDecoder decoder;
    EXPECT_FALSE(decoder.decode("$SDDBT,40.5,f,12.3,M,6.7,F", "NMEA DPT", "%*6s,%lf"));
    EXPECT_FALSE(decoder.decode("$SDDPT,12.34,0.5", "No such format", "%*6s,%lf"));
    EXPECT_FALSE(decoder.decode("20260305 ... ,A,12.34", "ODC HI", tablePattern("ODC HI")));
}

TEST(EchosounderDecoder, UserPatternForOther) {
    EchosounderDecoder decoder;
    const auto raw = decoder.decode("DEPTH=7.25m", "OTHER", "DEPTH=%lf");
    ASSERT_TRUE(raw);
    EXPECT_DOUBLE_EQ(raw->rawHF, 7.25);
}

TEST(EchosounderDecoder, InvalidUserPatternReadsNothingAndIsReportedOnce) {
    EchosounderDecoder decoder;
    EXPECT_FALSE(decoder.decode("DEPTH=7.25", "OTHER", "DEPTH=%lf%n"));
    EXPECT_TRUE(decoder.takeNewPatternError());
    EXPECT_FALSE(decoder.patternError().empty());
    EXPECT_FALSE(decoder.decode("DEPTH=7.25", "OTHER", "DEPTH=%lf%n"));
    EXPECT_FALSE(decoder.takeNewPatternError()); // same pattern: already reported
    EXPECT_TRUE(decoder.decode("DEPTH=7.25", "OTHER", "DEPTH=%lf"));
    EXPECT_TRUE(decoder.patternError().empty());
    EXPECT_FALSE(decoder.decode("DEPTH=7.25", "OTHER", "%["));
    EXPECT_TRUE(decoder.takeNewPatternError()); // a new bad pattern is reported again
}

TEST(DepthReduction, ProfileLineByRoundedRawDepth) {
    std::vector<double> byMetre(20, 1500.0);
    byMetre[13] = 1480.0;
    byMetre[3] = 1520.0;
    const SoundVelocityProfile profile(byMetre);
    const auto reduced = reduceDepths(12.6, 2.5, 0.5, profile);
    EXPECT_EQ(reduced.soundVelocity, 1480.0);
    EXPECT_DOUBLE_EQ(reduced.depthHF, 12.6 * 1480.0 / 1500 + 0.5);
    EXPECT_DOUBLE_EQ(reduced.depthLF, 2.5 * 1520.0 / 1500 + 0.5); // 2.5 rounds up to line 3
    EXPECT_FALSE(reduced.profileExtended);
}

TEST(DepthReduction, BeyondTheProfileUsesTheDeepestLine) {
    const SoundVelocityProfile profile({1500.0, 1499.0, 1490.0});
    const auto reduced = reduceDepths(40.0, 0.0, 0.0, profile);
    EXPECT_TRUE(reduced.profileExtended);
    EXPECT_EQ(reduced.soundVelocity, 1490.0);
    EXPECT_EQ(profile.velocityFor(2.4).velocity, 1490.0);
    EXPECT_FALSE(profile.velocityFor(2.4).extended);
    EXPECT_TRUE(profile.velocityFor(2.5).extended);
    EXPECT_EQ(profile.velocityFor(-3).velocity, 1500.0);
}

TEST(DepthReduction, ProfileFromTextLines) {
    const auto profile = SoundVelocityProfile::fromLines({"1500.00", "1499.5", "", " "});
    ASSERT_TRUE(profile);
    EXPECT_EQ(profile->size(), 2);
    int bad = -1;
    EXPECT_FALSE(SoundVelocityProfile::fromLines({"1500", "x", "1499"}, &bad));
    EXPECT_EQ(bad, 1);
}

TEST(ReceiverCommands, BytesOfEachSet) {
    const auto* topcon = findReceiverCommandSet("Topcon GNSS");
    ASSERT_TRUE(topcon);
    ASSERT_EQ(topcon->commands.size(), 4u);
    EXPECT_EQ(topcon->commands[0], "%%dm\n");
    EXPECT_EQ(topcon->commands[3], "%%em,/dev/ser/a,nmea/GGA:0.5\n");
    for (auto command : topcon->commands) {
        EXPECT_EQ(command.back(), '\n');
        EXPECT_EQ(command.find('\r'), std::string_view::npos);
    }
    const auto* hemisphere = findReceiverCommandSet("Hemisphere GNSS");
    ASSERT_TRUE(hemisphere);
    ASSERT_EQ(hemisphere->commands.size(), 3u);
    EXPECT_EQ(hemisphere->commands[1], "$JASC,GPVTG,5\r\n");
    for (auto command : hemisphere->commands) {
        EXPECT_TRUE(command.ends_with("\r\n"));
    }
    EXPECT_TRUE(findReceiverCommandSet("Leica GNSS")->commands.empty());
    EXPECT_TRUE(findReceiverCommandSet("Geosun GNSS")->commands.empty());
}

} // namespace
} // namespace selvir
