#include "navigation/SurveyFile.h"

#include "core/AtomicFile.h"
#include "core/NumberFormat.h"

#include <cstdio>
#include <system_error>

namespace selvir {
namespace {

constexpr int kAlternatives = 99;
constexpr std::int64_t kReportIntervalMs = 60'000;

std::FILE* openForAppend(const std::filesystem::path& file) {
#ifdef _WIN32
    return _wfopen(file.c_str(), L"a+b");
#else
    return std::fopen(file.c_str(), "a+b");
#endif
}

} // namespace

std::string formatSurveyRow(const SurveyRow& row) {
    std::string out;
    out.reserve(200);
    auto field = [&out](const std::string& text) {
        if (!out.empty()) {
            out += ',';
        }
        out += text;
    };
    out = formatDateTime(row.time);
    field(formatGeneral(row.gpsLatitude));
    field(formatGeneral(row.gpsLongitude));
    field(formatFixed(row.easting, 2));
    field(formatFixed(row.northing, 2));
    field(formatFixed(row.manualTide - row.depthHF, 2));
    field(formatFixed(row.manualTide - row.depthLF, 2));
    field(formatFixed(row.depthHF, 2));
    field(formatFixed(row.depthLF, 2));
    field(formatGeneral(row.rawHF));
    field(formatGeneral(row.rawLF));
    field(row.messageFormat);
    field(formatFixed(row.soundVelocity, 2));
    field(formatFixed(row.offsetA, 2));
    field(std::to_string(row.fixQuality));
    field(formatFixed(row.rtkHeight, 2));
    field(formatFixed(row.manualTide, 2));
    field(formatFixed(row.rtkTide, 2));
    return out;
}

SurveyFile::SurveyFile(DataFolders folders, const Clock& clock, ProblemReporter report)
    : folders_(std::move(folders)), clock_(clock), report_(std::move(report)),
      lastFile_(folders_.surveyFile()) {}

bool SurveyFile::writeTo(const std::filesystem::path& file, const SurveyRow* row) {
    std::FILE* out = openForAppend(file);
    if (!out) {
        return false;
    }
    std::string text;
    if (std::fseek(out, 0, SEEK_END) == 0) {
        const long size = std::ftell(out);
        if (size == 0) {
            text += kSurveyFileHeader;
            text += kLineBreak;
        } else if (size > 0 && std::fseek(out, -1, SEEK_END) == 0 && std::fgetc(out) != '\n') {
            // The last row was cut (power loss): start on a line of its own.
            text += kLineBreak;
        }
        std::fseek(out, 0, SEEK_END);
    }
    if (row) {
        text += formatSurveyRow(*row);
        text += kLineBreak;
    }
    const bool written = text.empty() || std::fwrite(text.data(), 1, text.size(), out) == text.size();
    const bool flushed = std::fflush(out) == 0;
    const bool closed = std::fclose(out) == 0;
    return written && flushed && closed;
}

SurveyFile::Outcome SurveyFile::append(const SurveyRow* row) {
    const std::filesystem::path main = folders_.surveyFile();
    std::error_code ec;
    if (!std::filesystem::is_directory(main.parent_path(), ec)) {
        std::string why;
        if (!folders_.createAll(&why)) {
            reportThrottled(std::string(kCannotCreateLogFolder));
            return Outcome::Failed;
        }
    }
    for (int n = 0; n <= kAlternatives; ++n) {
        const std::filesystem::path candidate = n == 0 ? main : numberedAlternative(main, n);
        if (writeTo(candidate, row)) {
            lastFile_ = candidate;
            reported_ = false;
            if (row) {
                ++rowsWritten_;
                return Outcome::RowWritten;
            }
            return Outcome::HeaderOnly;
        }
    }
    reportThrottled("Survey file cannot be written: " + main.string() +
                    " (and its alternatives _1 to _99). " + "Depths are NOT being saved!");
    return Outcome::Failed;
}

void SurveyFile::reportThrottled(const std::string& text) {
    const std::int64_t now = clock_.monotonicMs();
    if (reported_ && now - lastReportMs_ < kReportIntervalMs) {
        return;
    }
    reported_ = true;
    lastReportMs_ = now;
    if (report_) {
        report_(text);
    }
}

} // namespace selvir
