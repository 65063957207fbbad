#include "processing/SurveyData.h"

#include <unordered_map>

namespace selvir::processing {

std::string_view depthReferenceName(DepthReference reference) {
    return reference == DepthReference::Datum ? "datum" : "water_line";
}

DepthReference chooseDepthReference(std::span<const Sounding> soundings) {
    for (const Sounding& s : soundings) {
        if (std::isfinite(s.depthBelowDatumM)) {
            return DepthReference::Datum;
        }
    }
    return DepthReference::WaterLine;
}

Sounding soundingOf(const SoundingRecord& record, std::uint32_t file) {
    Sounding s;
    s.key.timeMs = millisecondsSinceEpoch(record.time);
    if (record.eastingM && record.northingM) {
        s.eastingM = *record.eastingM;
        s.northingM = *record.northingM;
    }
    s.depthM = record.depthM.value_or(kNoValue);
    s.depthBelowDatumM = record.depthBelowDatumM.value_or(kNoValue);
    s.line = surveyLineOf(record.flags).value_or(0);
    s.file = file;
    return s;
}

bool loadSurveyFile(const std::filesystem::path& record, SurveyData& data, std::string& error) {
    SurveyFileData file;
    file.record = record;
    file.sidecar = flagsSidecarPath(record);
    file.firstSounding = data.soundings.size();
    const auto fileIndex = static_cast<std::uint32_t>(data.files.size());
    // Rows that share a time stamp are told apart by their order (SoundingKey::occurrence).
    std::unordered_map<std::int64_t, int> seen;
    std::vector<Sounding> soundings;
    file.report = readSoundingRecord(record, [&](const SoundingRecord& row, std::size_t) {
        Sounding s = soundingOf(row, fileIndex);
        const auto [it, added] = seen.try_emplace(s.key.timeMs, 0);
        s.key.occurrence = added ? 0 : ++it->second;
        soundings.push_back(s);
    });
    if (!file.report.opened) {
        error = record.string() + ": " + file.report.error;
        return false;
    }
    file.sidecarRead = readFlagsSidecar(file.sidecar);
    if (!file.sidecarRead.error.empty()) {
        error = file.sidecarRead.error;
        return false;
    }
    file.flags.reset(std::move(file.sidecarRead.flags));
    file.sidecarRead.flags.clear();
    file.soundingCount = soundings.size();
    data.soundings.insert(data.soundings.end(), soundings.begin(), soundings.end());
    data.files.push_back(std::move(file));
    return true;
}

std::vector<std::uint8_t> acceptedMask(const SurveyData& data) {
    std::vector<std::uint8_t> accepted(data.soundings.size(), 1);
    for (const SurveyFileData& file : data.files) {
        if (file.flags.size() == 0) {
            continue;
        }
        for (std::size_t i = 0; i < file.soundingCount; ++i) {
            const std::size_t index = file.firstSounding + i;
            accepted[index] = file.flags.isRejected(data.soundings[index].key) ? 0 : 1;
        }
    }
    return accepted;
}

} // namespace selvir::processing
