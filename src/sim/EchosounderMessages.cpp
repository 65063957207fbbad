#include "sim/EchosounderMessages.h"

#include "core/NumberFormat.h"
#include "sim/NmeaSentences.h"

#include <algorithm>
#include <cctype>
#include <stdexcept>

namespace selvir::sim {
namespace {

bool sameIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

std::string padded(long long value, int width) {
    std::string text = std::to_string(value);
    if (static_cast<int>(text.size()) < width) {
        text.insert(0, static_cast<std::size_t>(width) - text.size(), '0');
    }
    return text;
}

std::string depthText(double metres) {
    return formatFixed(std::max(0.0, metres), 2);
}

// The fixed-width head of the ODC record: exactly 42 characters without blanks.
std::string odcHead(const DepthSounding& sounding) {
    const double soundVelocity = std::clamp(sounding.soundVelocity, 1000.0, 9999.9);
    return "$PODC," + padded(sounding.utc.date.year, 4) + padded(sounding.utc.date.month, 2) +
           padded(sounding.utc.date.day, 2) + "," + nmeaTime(sounding.utc) + "," +
           padded(sounding.sequence % 100000, 5) + ",B," + formatFixed(soundVelocity, 1) + ",12";
}

} // namespace

const std::vector<EchosounderFormatInfo>& echosounderFormats() {
    static const std::vector<EchosounderFormatInfo> formats = {
        {EchosounderFormat::SelvirSmt, "Selvir SMT", "smt", "%*8s,%lf,%lf"},
        {EchosounderFormat::NmeaDpt, "NMEA DPT", "dpt", "%*6s,%lf"},
        {EchosounderFormat::NmeaDbt, "NMEA DBT", "dbt", "%*6s,%*lf,%*1s,%lf"},
        {EchosounderFormat::SelvirXdrHi, "Selvir XDR HI", "xdr-hi", "%*8s,%lf"},
        {EchosounderFormat::SelvirXdrLo, "Selvir XDR LO", "xdr-lo", "%*8s,%*lf,%*8s,%lf"},
        {EchosounderFormat::SelvirXdrHl, "Selvir XDR H/L", "xdr-hl", "%*8s,%lf,%*8s,%lf"},
        {EchosounderFormat::OdcHi, "ODC HI", "odc", "%*42s,%lf"},
    };
    return formats;
}

std::optional<EchosounderFormat> echosounderFormatFromName(std::string_view name) {
    for (const EchosounderFormatInfo& info : echosounderFormats()) {
        if (sameIgnoringCase(name, info.name) || sameIgnoringCase(name, info.alias)) {
            return info.format;
        }
    }
    return std::nullopt;
}

const EchosounderFormatInfo& echosounderFormatInfo(EchosounderFormat format) {
    for (const EchosounderFormatInfo& info : echosounderFormats()) {
        if (info.format == format) {
            return info;
        }
    }
    throw std::invalid_argument("unknown echosounder format");
}

std::string echosounderLine(EchosounderFormat format, const DepthSounding& sounding) {
    const std::string high = depthText(sounding.rawHighM);
    const std::string low = depthText(sounding.rawLowM);
    switch (format) {
    case EchosounderFormat::SelvirSmt:
        return finishSentence("PSLVSMT," + high + "," + formatFixed(sounding.batteryV, 2));
    case EchosounderFormat::NmeaDpt:
        return finishSentence("SDDPT," + high + ",0.0");
    case EchosounderFormat::NmeaDbt: {
        const double metres = std::max(0.0, sounding.rawHighM);
        return finishSentence("SDDBT," + formatFixed(metres / 0.3048, 2) + ",f," + high + ",M," +
                              formatFixed(metres / 1.8288, 2) + ",F");
    }
    case EchosounderFormat::SelvirXdrHi:
        return finishSentence("SDXDR,D," + high + ",M,XDHI");
    case EchosounderFormat::SelvirXdrLo:
    case EchosounderFormat::SelvirXdrHl:
        return finishSentence("SDXDR,D," + high + ",M,XDHI,D," + low + ",M,XDLO");
    case EchosounderFormat::OdcHi:
        return odcHead(sounding) + "," + high + ",M\r\n";
    }
    return {};
}

} // namespace selvir::sim
