#include "core/NumberFormat.h"

#include "core/TextTrim.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <limits>
#include <system_error>
#include <type_traits>

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

__extension__ using Wide = unsigned __int128;

constexpr int kExactDecimals = 18;

constexpr std::uint64_t powerOfTen(int n) {
    std::uint64_t result = 1;
    for (int i = 0; i < n; ++i) {
        result *= 10;
    }
    return result;
}

// Fixed notation of a long double below 2^63 with at most 18 decimals, exactly: the binary value times
// 10^decimals, rounded to nearest with ties to even, in 128-bit integers. The library's own long double
// formatting (printf underneath) gives the same digits ten times slower, which a command converting
// half a million positions notices. False when the value is out of that range.
bool exactFixed(long double value, int decimals, std::string& text) {
    if (!(std::fabs(value) < 0x1p63L) || decimals > kExactDecimals) {
        return false;
    }
    int exponent = 0;
    const long double fraction = std::frexp(std::fabs(value), &exponent);       // 0.5 <= fraction < 1
    const auto mantissa = static_cast<std::uint64_t>(std::ldexp(fraction, 64)); // all 64 bits, exact
    // |value| = mantissa * 2^(exponent - 64), and exponent <= 63.
    const int shift = 64 - exponent;
    const Wide scaled = Wide{mantissa} * powerOfTen(decimals);
    Wide rounded = 0;
    if (shift < 128) {
        rounded = scaled >> shift;
        const Wide remainder = scaled - (rounded << shift);
        const Wide half = Wide{1} << (shift - 1);
        if (remainder > half || (remainder == half && (rounded & 1) != 0)) {
            ++rounded;
        }
    }
    const Wide unit = powerOfTen(decimals);
    const auto whole = static_cast<std::uint64_t>(rounded / unit);
    const auto part = static_cast<std::uint64_t>(rounded % unit);
    char buffer[48];
    char* end = buffer;
    if (std::signbit(value) && rounded != 0) {
        *end++ = '-';
    }
    end = std::to_chars(end, buffer + sizeof buffer, whole).ptr;
    if (decimals > 0) {
        *end++ = '.';
        char digits[24];
        char* last = std::to_chars(digits, digits + sizeof digits, part).ptr;
        const auto length = static_cast<int>(last - digits);
        for (int i = length; i < decimals; ++i) {
            *end++ = '0';
        }
        end = std::copy(digits, last, end);
    }
    text.assign(buffer, end);
    return true;
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
    if constexpr (std::is_same_v<Real, long double>) {
        std::string exact;
        if (exactFixed(value, decimals, exact)) {
            return exact;
        }
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

// A whole text (blanks and tabs around it allowed, one "+" but not "+-") as a number of type T.
template <typename T>
std::optional<T> parseWhole(std::string_view text) {
    text = trimmed(text);
    if (!text.empty() && text.front() == '+') {
        text.remove_prefix(1);
        if (!text.empty() && text.front() == '-') {
            return std::nullopt;
        }
    }
    if (text.empty()) {
        return std::nullopt;
    }
    T value = 0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    if (result.ec != std::errc() || result.ptr != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
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
    return parseWhole<double>(text);
}

std::optional<long long> parseInteger(std::string_view text) {
    return parseWhole<long long>(text);
}

std::optional<double> parseFiniteDouble(std::string_view text) {
    const auto value = parseDouble(text);
    return value && std::isfinite(*value) ? value : std::nullopt;
}

std::optional<int> parseInt(std::string_view text) {
    const auto value = parseInteger(text);
    if (!value || *value < std::numeric_limits<int>::min() || *value > std::numeric_limits<int>::max()) {
        return std::nullopt;
    }
    return static_cast<int>(*value);
}

} // namespace selvir
