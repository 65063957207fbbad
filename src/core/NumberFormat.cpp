#include "core/NumberFormat.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <system_error>

namespace selvir {
namespace {

constexpr int kGeneralDigits = 15;

std::string specialText(long double value) {
    if (std::isnan(value)) {
        return "NAN";
    }
    return value < 0 ? "-INF" : "INF";
}

template <typename Real>
std::string toChars(Real value, std::chars_format format, int precision) {
    char buffer[512];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, value, format, precision);
    if (result.ec != std::errc()) {
        return specialText(value);
    }
    return std::string(buffer, result.ptr);
}

template <typename Real>
std::string fixedText(Real value, int decimals) {
    if (!std::isfinite(value)) {
        return specialText(value);
    }
    if (decimals < 0) {
        decimals = 0;
    } else if (decimals > 30) {
        decimals = 30;
    }
    std::string text = toChars(value, std::chars_format::fixed, decimals);
    if (!text.empty() && text[0] == '-' && text.find_first_not_of("-0.") == std::string::npos) {
        text.erase(0, 1);
    }
    return text;
}

// Reshapes "%.15g"-style text ("1.5e-07") into the program's general form ("1.5E-7").
std::string tidyExponent(std::string text) {
    const auto e = text.find('e');
    if (e == std::string::npos) {
        return text;
    }
    std::string mantissa = text.substr(0, e);
    char sign = text[e + 1];
    std::string digits = text.substr(e + 2);
    const auto firstNonZero = digits.find_first_not_of('0');
    digits = firstNonZero == std::string::npos ? "0" : digits.substr(firstNonZero);
    return mantissa + "E" + sign + digits;
}

template <typename Real>
std::string generalText(Real value) {
    if (!std::isfinite(value)) {
        return specialText(value);
    }
    if (value == 0) {
        return "0";
    }
    return tidyExponent(toChars(value, std::chars_format::general, kGeneralDigits));
}

template <typename Real>
std::string shortestText(Real value) {
    char buffer[128];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    if (result.ec != std::errc()) {
        return specialText(value);
    }
    return std::string(buffer, result.ptr);
}

std::string_view trimBlanks(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) {
        text.remove_prefix(1);
    }
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) {
        text.remove_suffix(1);
    }
    return text;
}

} // namespace

std::string formatFixed(double value, int decimals) {
    return fixedText(value, decimals);
}
std::string formatFixed(long double value, int decimals) {
    return fixedText(value, decimals);
}
std::string formatGeneral(double value) {
    return generalText(value);
}
std::string formatGeneral(long double value) {
    return generalText(value);
}
std::string formatShortest(double value) {
    return shortestText(value);
}
std::string formatShortest(float value) {
    return shortestText(value);
}
std::string formatShortest(long double value) {
    return shortestText(value);
}

std::optional<double> parseDouble(std::string_view text) {
    text = trimBlanks(text);
    if (!text.empty() && text.front() == '+') {
        text.remove_prefix(1);
        if (!text.empty() && text.front() == '-') {
            return std::nullopt;
        }
    }
    if (text.empty()) {
        return std::nullopt;
    }
    double value = 0;
    auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    if (result.ec != std::errc() || result.ptr != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
}

std::optional<long long> parseInteger(std::string_view text) {
    text = trimBlanks(text);
    if (!text.empty() && text.front() == '+') {
        text.remove_prefix(1);
        if (!text.empty() && text.front() == '-') {
            return std::nullopt;
        }
    }
    if (text.empty()) {
        return std::nullopt;
    }
    long long value = 0;
    auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    if (result.ec != std::errc() || result.ptr != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
}

} // namespace selvir
