#include "navigation/SurveyFile.h"

#include "core/AtomicFile.h"
#include "core/NumberFormat.h"
#include "core/WholeAppend.h"

#include <cstdio>
#include <system_error>

namespace selvir {
namespace {

constexpr int kAlternatives = 99;
constexpr std::int64_t kReportIntervalMs = 60'000;

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
    const bool grid = row.positionKnown && row.gridKnown;
    field(row.positionKnown ? formatGeneral(row.gpsLatitude) : std::string());
    field(row.positionKnown ? formatGeneral(row.gpsLongitude) : std::string());
    field(grid ? formatFixed(row.easting, 2) : std::string());
    field(grid ? formatFixed(row.northing, 2) : std::string());
    field(formatFixed(row.manualTide - row.depthHF, 2));
    field(formatFixed(row.manualTide - row.depthLF, 2));
    field(formatFixed(row.depthHF, 2));
    field(formatFixed(row.depthLF, 2));
    field(formatGeneral(row.rawHF));
    field(formatGeneral(row.rawLF));
    field(row.messageFormat);
    field(formatFixed(row.soundVelocity, 2));
    field(formatFixed(row.offsetA, 2));
    field(std::to_string(row.positionKnown ? row.fixQuality : 0));
    field(formatFixed(row.rtkHeight, 2));
    field(formatFixed(row.manualTide, 2));
    field(formatFixed(row.rtkTide, 2));
    return out;
}

SurveyFile::SurveyFile(DataFolders folders, const Clock& clock, ProblemReporter report,
                       std::filesystem::path file)
    : folders_(std::move(folders)), file_(file.empty() ? folders_.surveyFile() : std::move(file)),
      clock_(clock), report_(std::move(report)), lastFile_(file_) {
    state_.file = lastFile_;
}

bool SurveyFile::write(const std::string& text, std::string& reason) {
    const std::filesystem::path& main = file_;
    std::error_code ec;
    if (!std::filesystem::is_directory(main.parent_path(), ec)) {
        std::string why;
        if (!folders_.createAll(&why)) {
            reportThrottled(std::string(kCannotCreateLogFolder));
            reason = why;
            return false;
        }
    }
    std::string header(kSurveyFileHeader);
    header += kLineBreak;
    for (int n = 0; n <= kAlternatives; ++n) {
        const std::filesystem::path candidate = n == 0 ? main : numberedAlternative(main, n);
        const WholeAppendResult result = appendWhole(candidate, text, header, kLineBreak);
        if (result.written()) {
            lastFile_ = candidate;
            return true;
        }
        reason = result.reason;
        // Numbered files are for a file that cannot be opened, not for a disk that is full or a file
        // that could not take the text: there every other file would fail alike, and stay empty.
        if (result.outOfSpace || result.kind == WholeAppendResult::Kind::WriteFailed) {
            return false;
        }
    }
    reason += " (and its alternatives _1 to _99)";
    return false;
}

void SurveyFile::publish() {
    state_.writing = kept_.empty();
    state_.keptRows = kept_.size();
    state_.file = lastFile_;
    if (listener_) {
        listener_(state_);
    }
}

void SurveyFile::keep(std::string line, const std::string& reason) {
    const bool first = kept_.empty();
    kept_.push_back(std::move(line));
    if (kept_.size() > kMaxKeptRows) {
        kept_.pop_front();
        ++state_.droppedRows;
    }
    state_.reason = reason;
    if (first) {
        reportThrottled("Survey file cannot be written: " + file_.string() + " (" + reason +
                        "). Depths are kept in memory and written as soon as the file can be written.");
    }
    publish();
}

bool SurveyFile::writeKeptRows() {
    if (kept_.empty()) {
        return true;
    }
    std::string text;
    for (const std::string& line : kept_) {
        text += line;
    }
    std::string reason;
    if (!write(text, reason)) {
        state_.reason = reason;
        return false;
    }
    const std::size_t count = kept_.size();
    rowsWritten_ += count;
    kept_.clear();
    reported_ = false;
    if (report_) {
        report_("Survey file written again: " + std::to_string(count) +
                " row(s) kept in memory are saved in " + lastFile_.string() + ".");
    }
    publish();
    return true;
}

SurveyFile::Outcome SurveyFile::append(const SurveyRow* row) {
    std::string line;
    if (row) {
        line = formatSurveyRow(*row);
        line += kLineBreak;
    }
    // Rows kept from earlier go first, so the file stays in time order.
    if (!kept_.empty() && !writeKeptRows()) {
        if (!row) {
            return Outcome::Failed;
        }
        keep(std::move(line), state_.reason);
        return Outcome::RowKept;
    }
    std::string reason;
    if (!write(line, reason)) {
        if (!row) {
            return Outcome::Failed;
        }
        keep(std::move(line), reason);
        return Outcome::RowKept;
    }
    reported_ = false;
    if (!row) {
        return Outcome::HeaderOnly;
    }
    ++rowsWritten_;
    return Outcome::RowWritten;
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
