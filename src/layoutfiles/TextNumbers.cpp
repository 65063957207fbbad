#include "layoutfiles/TextNumbers.h"

#include "core/NumberFormat.h"
#include "core/TextTrim.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace selvir::textnum {
namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

} // namespace

std::size_t leadingReal(std::string_view text, double& value) {
    std::size_t i = 0;
    while (i < text.size() && isBlank(text[i])) {
        ++i;
    }
    // from_chars takes "-" but not "+"; the C conversion takes both.
    if (i < text.size() && text[i] == '+') {
        ++i;
        if (i < text.size() && text[i] == '-') {
            return 0;
        }
    }
    double parsed = 0.0;
    const auto result = std::from_chars(text.data() + i, text.data() + text.size(), parsed);
    if (result.ec != std::errc() || !std::isfinite(parsed)) {
        return 0;
    }
    value = parsed;
    return static_cast<std::size_t>(result.ptr - text.data());
}

std::size_t leadingInteger(std::string_view text, std::int64_t& value) {
    std::size_t i = 0;
    while (i < text.size() && isBlank(text[i])) {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    const std::size_t digits = i;
    std::uint64_t magnitude = 0;
    bool overflow = false;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
        const auto digit = static_cast<std::uint64_t>(text[i] - '0');
        if (magnitude > (std::numeric_limits<std::uint64_t>::max() - digit) / 10) {
            overflow = true;
        } else {
            magnitude = magnitude * 10 + digit;
        }
        ++i;
    }
    if (i == digits) {
        return 0;
    }
    constexpr auto maxValue = static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max());
    if (negative) {
        value = overflow || magnitude > maxValue ? std::numeric_limits<std::int64_t>::min()
                                                 : -static_cast<std::int64_t>(magnitude);
    } else {
        value = overflow || magnitude > maxValue ? std::numeric_limits<std::int64_t>::max()
                                                 : static_cast<std::int64_t>(magnitude);
    }
    return i;
}

namespace {

constexpr double exactPowersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                                       1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

} // namespace

bool plainDecimalPrefix(const char*& text, const char* end, double& value) {
    const char* p = text;
    bool negative = false;
    if (p < end && (*p == '-' || *p == '+')) {
        negative = *p == '-';
        ++p;
    }
    std::uint64_t digits = 0;
    const char* first = p;
    while (p < end && static_cast<unsigned char>(*p - '0') < 10) {
        digits = digits * 10 + static_cast<std::uint64_t>(*p - '0');
        ++p;
    }
    std::ptrdiff_t count = p - first;
    std::ptrdiff_t decimals = 0;
    if (p < end && *p == '.') {
        const char* fraction = ++p;
        while (p < end && static_cast<unsigned char>(*p - '0') < 10) {
            digits = digits * 10 + static_cast<std::uint64_t>(*p - '0');
            ++p;
        }
        decimals = p - fraction;
        count += decimals;
    }
    // Beyond 15 digits the integer may not be exact; an exponent or other character is the general
    // reader's business.
    if (count == 0 || count > 15 || (p < end && (*p == 'e' || *p == 'E' || *p == '.'))) {
        return false;
    }
    const double magnitude = static_cast<double>(digits) / exactPowersOfTen[decimals];
    value = negative ? -magnitude : magnitude;
    text = p;
    return true;
}

bool wordReal(std::string_view word, double& value) {
    const char* p = word.data();
    if (plainDecimalPrefix(p, word.data() + word.size(), value) && p == word.data() + word.size()) {
        return true;
    }
    const auto parsed = parseDouble(word);
    if (!parsed || !std::isfinite(*parsed)) {
        return false;
    }
    value = *parsed;
    return true;
}

bool wordInteger(std::string_view word, std::int64_t& value) {
    const auto parsed = parseInteger(word);
    if (!parsed) {
        return false;
    }
    value = *parsed;
    return true;
}

std::string_view trimmed(std::string_view text) {
    return selvir::trimmed(text, " \t\r");
}

} // namespace selvir::textnum
