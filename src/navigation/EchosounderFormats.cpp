#include "navigation/EchosounderFormats.h"

namespace selvir {

const std::vector<EchosounderFormat>& echosounderFormats() {
    using R = EchosounderFormat::Reads;
    static const std::vector<EchosounderFormat> table = {
        {"Selvir SMT", "%*8s,%lf,%lf", {"SMT"}, 2, R::HighAndBattery},
        {"NMEA DPT", "%*6s,%lf", {"DPT"}, 1, R::High},
        {"NMEA DBT", "%*6s,%*lf,%*1s,%lf", {"DBT"}, 1, R::High},
        {"Selvir XDR HI", "%*8s,%lf", {"XDHI"}, 1, R::High},
        {"Selvir XDR LO", "%*8s,%*lf,%*8s,%lf", {"XDHI", "XDLO"}, 1, R::Low},
        {"Selvir XDR H/L", "%*8s,%lf,%*8s,%lf", {"XDHI", "XDLO"}, 2, R::HighAndLow},
        {"ODC HI", "%*42s,%lf", {",B,"}, 1, R::High},
        {"OTHER", "", {}, 1, R::High},
    };
    return table;
}

const EchosounderFormat* findEchosounderFormat(std::string_view name) {
    for (const EchosounderFormat& format : echosounderFormats()) {
        if (format.name == name) {
            return &format;
        }
    }
    return nullptr;
}

std::string echosounderPatternProblem(std::string_view formatName, std::string_view pattern) {
    const EchosounderFormat* format = findEchosounderFormat(formatName);
    if (!format) {
        return "\"" + std::string(formatName) + "\" is not a message the program knows";
    }
    if (pattern.empty()) {
        return "Type the format of the message";
    }
    const ScanPattern compiled(pattern);
    if (!compiled.valid()) {
        return compiled.error();
    }
    if (compiled.assignmentCount() != format->valueCount) {
        return "The format reads " + std::to_string(compiled.assignmentCount()) + " value(s); \"" +
               std::string(formatName) + "\" needs " + std::to_string(format->valueCount);
    }
    return {};
}

bool EchosounderDecoder::takeNewPatternError() {
    const bool pending = errorPending_;
    errorPending_ = false;
    return pending;
}

std::optional<RawDepths> EchosounderDecoder::decode(std::string_view line, std::string_view formatName,
                                                    std::string_view pattern) {
    const EchosounderFormat* format = findEchosounderFormat(formatName);
    if (!format) {
        return std::nullopt;
    }
    for (std::string_view tag : format->tags) {
        if (line.find(tag) == std::string_view::npos) {
            return std::nullopt;
        }
    }
    if (!compiled_ || compiled_->pattern() != pattern) {
        compiled_.emplace(pattern);
        patternError_ = compiled_->error();
        errorPending_ = !compiled_->valid();
    }
    if (!compiled_->valid()) {
        return std::nullopt;
    }
    compiled_->scan(line, result_);
    if (result_.count != format->valueCount) {
        return std::nullopt;
    }
    auto value = [this](std::size_t i) { return result_.values[i].toDouble(); };
    RawDepths raw;
    switch (format->reads) {
    case EchosounderFormat::Reads::HighAndBattery:
        raw.rawHF = value(0);
        raw.battery = value(1);
        break;
    case EchosounderFormat::Reads::High:
        raw.rawHF = value(0);
        break;
    case EchosounderFormat::Reads::Low:
        raw.rawLF = value(0);
        break;
    case EchosounderFormat::Reads::HighAndLow:
        raw.rawHF = value(0);
        raw.rawLF = value(1);
        break;
    }
    return raw;
}

} // namespace selvir
