#include "processing/Filters.h"

#include "processing/TrackBuilder.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <random>
#include <set>

namespace selvir::processing {
namespace {

// A rolling seabed with 3 cm of echo noise, sounded along one 1 km line (0.4 m apart).
std::vector<Sounding> smoothProfile(std::uint32_t seed) {
    std::mt19937 random(seed);
    std::uniform_real_distribution<double> noise(-0.03, 0.03);
    test::TrackBuilder track(
        [&](double e, double) { return 15.0 + 2.0 * std::sin(e / 50.0) + noise(random); });
    track.startAt(0, 0, 0).sailTo(1000, 0);
    return track.soundings();
}

// Fish, weed and second echoes: single and double spikes, deep and shallow, from 1.5 to 8 m.
std::set<std::size_t> injectSpikes(std::vector<Sounding>& soundings, std::uint32_t seed) {
    std::mt19937 random(seed);
    std::uniform_real_distribution<double> size(1.5, 8.0);
    std::set<std::size_t> spiked;
    for (std::size_t i = 20; i + 20 < soundings.size(); i += 55 + random() % 20) {
        const double offset = (random() % 2 ? 1 : -1) * size(random);
        const std::size_t length = random() % 3 == 0 ? 2 : 1;
        for (std::size_t k = i; k < i + length; ++k) {
            soundings[k].depthBelowDatumM += offset;
            soundings[k].depthM += offset;
            spiked.insert(k);
        }
    }
    return spiked;
}

std::set<std::size_t> rejectedOf(const CleaningPreview& preview) {
    std::set<std::size_t> out;
    for (const auto& [index, reason] : preview.rejections) {
        out.insert(index);
    }
    return out;
}

TEST(Filters, SpikesInASmoothProfileAreAllRejectedWithFewGoodSoundingsLost) {
    const struct {
        const char* name;
        CleaningSettings settings;
    } cases[] = {
        {"median", {std::nullopt, MedianFilterSettings{7, 0.5}, std::nullopt}},
        {"slope", {std::nullopt, std::nullopt, 0.5}},
        {"gate, median and slope", {DepthGate{1, 40}, MedianFilterSettings{7, 0.5}, 0.5}},
    };
    for (std::uint32_t seed = 1; seed <= 3; ++seed) {
        std::vector<Sounding> soundings = smoothProfile(seed);
        const std::set<std::size_t> spikes = injectSpikes(soundings, seed);
        ASSERT_GT(spikes.size(), 35u);
        for (const auto& c : cases) {
            const CleaningPreview preview = previewCleaning(soundings, FlagSet(), c.settings);
            EXPECT_EQ(preview.reference, DepthReference::Datum);
            const std::set<std::size_t> rejected = rejectedOf(preview);
            std::vector<std::size_t> missed;
            std::set_difference(spikes.begin(), spikes.end(), rejected.begin(), rejected.end(),
                                std::back_inserter(missed));
            EXPECT_TRUE(missed.empty())
                << c.name << ", seed " << seed << ": " << missed.size() << " spikes kept";
            const std::size_t lost = rejected.size() - (spikes.size() - missed.size());
            EXPECT_LE(lost, soundings.size() / 200) << c.name << ", seed " << seed << ": good soundings lost";
        }
    }
}

TEST(Filters, PreviewCountsEachFilterOnWhatTheOnesBeforeItKept) {
    std::vector<Sounding> soundings = smoothProfile(7);
    soundings[100].depthBelowDatumM = 0.0; // echo lost: the sounder reports 0
    soundings[200].depthBelowDatumM = 95.0;
    soundings[300].depthBelowDatumM += 3.0; // a fish: only the median sees it
    soundings[400].depthBelowDatumM = kNoValue;
    const CleaningSettings settings{DepthGate{2, 60}, MedianFilterSettings{5, 0.5}, 0.5};
    const CleaningPreview preview = previewCleaning(soundings, FlagSet(), settings);
    ASSERT_EQ(preview.filters.size(), 3u);
    EXPECT_EQ(preview.withoutDepth, 1u);
    EXPECT_EQ(preview.filters[0].reason, FlagReason::Gate);
    EXPECT_EQ(preview.filters[0].assessed, soundings.size() - 1);
    EXPECT_EQ(preview.filters[0].rejected, 2u);
    EXPECT_EQ(preview.filters[1].assessed, soundings.size() - 3);
    EXPECT_EQ(preview.filters[1].rejected, 1u);
    EXPECT_EQ(preview.filters[2].rejected, 0u);
    const std::vector<std::pair<std::size_t, FlagReason>> expected = {
        {100, FlagReason::Gate}, {200, FlagReason::Gate}, {300, FlagReason::Median}};
    EXPECT_EQ(preview.rejections, expected);
}

TEST(Filters, SlopeGateKeepsARealStepOnceItIsFarEnoughAndCatchesASpikeAtTheStart) {
    // A 2 m step (a dredged channel's edge) at 500 m; the first sounding of the line a spike.
    test::TrackBuilder track([](double e, double) { return e < 500 ? 10.0 : 12.0; });
    track.startAt(0, 0, 0).sailTo(1000, 0);
    std::vector<Sounding>& soundings = track.soundings();
    soundings[0].depthBelowDatumM = 4.0;
    const std::vector<std::size_t> rejected = slopeRejections(
        soundings,
        [&] {
            std::vector<double> d;
            for (const Sounding& s : soundings) {
                d.push_back(s.depthBelowDatumM);
            }
            return d;
        }(),
        std::vector<std::uint8_t>(soundings.size(), 1), 0.5);
    ASSERT_FALSE(rejected.empty());
    EXPECT_EQ(rejected.front(), 0u);
    // Past the step, depths are lost only until 2 m / 0.5 = 4 m of track lies between them.
    for (std::size_t k = 1; k < rejected.size(); ++k) {
        EXPECT_GE(soundings[rejected[k]].eastingM, 500.0);
        EXPECT_LT(soundings[rejected[k]].eastingM, 504.0);
    }
    EXPECT_GE(rejected.size(), 5u);
}

TEST(Filters, HandDecisionsStandAndOldAutomaticFlagsGo) {
    std::vector<Sounding> soundings = smoothProfile(3);
    soundings[50].depthBelowDatumM += 4.0; // a spike the surveyor has accepted (a wreck's mast)
    soundings[60].depthBelowDatumM += 4.0; // a spike
    FlagSet flags;
    const SoundingKey keep[] = {soundings[50].key};
    const SoundingKey manualReject[] = {soundings[70].key};
    const SoundingKey oldAutomatic[] = {soundings[80].key};
    flags.apply(acceptEdit(keep, "accept"));
    flags.apply(rejectEdit(manualReject, FlagReason::Manual, "reject"));
    flags.apply(rejectEdit(oldAutomatic, FlagReason::Slope, "earlier run"));
    const CleaningSettings settings{std::nullopt, MedianFilterSettings{7, 0.5}, std::nullopt};
    const CleaningPreview preview = previewCleaning(soundings, flags, settings);
    EXPECT_EQ(preview.manualDecisions, 2u);
    EXPECT_EQ(rejectedOf(preview), (std::set<std::size_t>{60}));

    const std::size_t before = flags.size();
    flags.apply(cleaningEdit(soundings, flags, preview));
    EXPECT_EQ(flags.find(soundings[50].key)->state, FlagState::Accepted);
    EXPECT_EQ(flags.find(soundings[60].key)->reason, FlagReason::Median);
    EXPECT_TRUE(flags.isRejected(soundings[70].key));
    EXPECT_EQ(flags.find(soundings[80].key), nullptr);
    ASSERT_TRUE(flags.undo());
    EXPECT_EQ(flags.size(), before);
    EXPECT_EQ(flags.find(soundings[80].key)->reason, FlagReason::Slope);
}

TEST(Filters, WaterLineWhenTheRecordHasNoWaterLevelAtAll) {
    std::vector<Sounding> soundings = smoothProfile(5);
    for (Sounding& s : soundings) {
        s.depthBelowDatumM = kNoValue;
    }
    soundings[500].depthM = 50.0;
    const CleaningPreview preview = previewCleaning(soundings, FlagSet(), {DepthGate{1, 30}, {}, {}});
    EXPECT_EQ(preview.reference, DepthReference::WaterLine);
    EXPECT_EQ(preview.withoutDepth, 0u);
    EXPECT_EQ(rejectedOf(preview), (std::set<std::size_t>{500}));
}

TEST(Filters, SettingsThatCannotWorkAreRefusedByName) {
    EXPECT_EQ(checkCleaningSettings({DepthGate{1, 30}, MedianFilterSettings{5, 0.5}, 0.3}), "");
    EXPECT_NE(checkCleaningSettings({DepthGate{30, 1}, {}, {}}).find("gate"), std::string::npos);
    EXPECT_NE(checkCleaningSettings({{}, MedianFilterSettings{2, 0.5}, {}}).find("window"),
              std::string::npos);
    EXPECT_NE(checkCleaningSettings({{}, MedianFilterSettings{5, 0}, {}}).find("threshold"),
              std::string::npos);
    EXPECT_NE(checkCleaningSettings({{}, {}, -1.0}).find("slope"), std::string::npos);
}

} // namespace
} // namespace selvir::processing
