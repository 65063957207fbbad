#include "layoutfiles/DxfPairs.h"

#include "layoutfiles/TextNumbers.h"

#include <limits>

namespace selvir::dxf {
namespace {

constexpr std::uint64_t progressStepBytes = std::uint64_t{1} << 20;
constexpr std::string_view byteOrderMark = "\xEF\xBB\xBF";

} // namespace

PairReader::PairReader(ByteSource& source, const DxfProgressCallback& progress)
    : lines_(source), progress_(progress) {}

bool PairReader::restart(int pass) {
    pass_ = pass;
    firstLine_ = true;
    nextReport_ = progressStepBytes;
    if (progress_) {
        progress_(DxfProgress{pass_, 0, lines_.size()});
    }
    return lines_.restart();
}

bool PairReader::line(std::string_view& text) {
    if (!lines_.next(text)) {
        return false;
    }
    if (firstLine_) {
        firstLine_ = false;
        if (text.substr(0, byteOrderMark.size()) == byteOrderMark) {
            text.remove_prefix(byteOrderMark.size());
        }
    }
    if (progress_ && lines_.position() >= nextReport_) {
        nextReport_ = lines_.position() + progressStepBytes;
        progress_(DxfProgress{pass_, lines_.position(), lines_.size()});
    }
    text = textnum::trimmed(text);
    return true;
}

bool PairReader::next() {
    std::string_view codeLine;
    if (!line(codeLine)) {
        return false;
    }
    start_ = codeLine == "0";
    code_ = 0;
    if (!start_) {
        std::int64_t code = 0;
        if (textnum::leadingInteger(codeLine, code) > 0 && code > 0 &&
            code <= std::numeric_limits<int>::max()) {
            code_ = static_cast<int>(code);
        }
    }
    return line(value_);
}

bool PairReader::findSection(std::string_view name) {
    while (next()) {
        while (startOf("SECTION")) {
            if (!next()) {
                return false;
            }
            if (value_ == name) {
                return true;
            }
        }
    }
    return false;
}

} // namespace selvir::dxf
