#include "core/ScanPattern.h"

#include <cerrno>
#include <charconv>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <system_error>
#include <type_traits>
#ifndef _WIN32
#include <locale.h>
#endif

namespace selvir {
namespace {

constexpr int kEof = -1;
constexpr long long kMaxWidth = INT_MAX;

bool isSpace(int c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}
bool isDigit(int c) {
    return c >= '0' && c <= '9';
}
bool isHexDigit(int c) {
    return isDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}
int toLower(int c) {
    return c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c;
}

// The text being read, with the one-character push-back that sscanf uses.
class Input {
public:
    explicit Input(std::string_view text) : pos_(text.data()), end_(text.data() + text.size()) {
        if (const void* nul = std::memchr(text.data(), 0, text.size())) {
            end_ = static_cast<const char*>(nul);
        }
    }
    int get() {
        c = pos_ < end_ ? static_cast<unsigned char>(*pos_++) : kEof;
        return c;
    }
    void unget(int ch) {
        if (ch != kEof) {
            --pos_;
        }
    }
    int c = kEof; // the character read last

private:
    const char* pos_;
    const char* end_;
};

#ifndef _WIN32
locale_t cLocale() {
    static locale_t locale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    return locale;
}
#endif

// Converts the longest prefix of `text` that is a number, as strtof/strtod/strtold do in the C
// locale. Returns the characters used (0 when none).
template <typename Real>
std::size_t convertPrefix(std::string_view text, Real& value) {
    const char* begin = text.data();
    const char* end = begin + text.size();
    const char* p = begin;
    bool negative = false;
    if (p < end && (*p == '+' || *p == '-')) {
        negative = *p == '-';
        ++p;
    }
    Real magnitude = 0;
    const char* stop = p;
    std::errc ec{};
    if (end - p >= 2 && p[0] == '0' && (p[1] == 'x' || p[1] == 'X')) {
        auto result = std::from_chars(p + 2, end, magnitude, std::chars_format::hex);
        if (result.ec == std::errc::invalid_argument) {
            magnitude = 0; // "0x" without hex digits: only the zero is a number
            stop = p + 1;
        } else {
            stop = result.ptr;
            ec = result.ec;
        }
    } else {
        auto result = std::from_chars(p, end, magnitude, std::chars_format::general);
        if (result.ec == std::errc::invalid_argument) {
            return 0;
        }
        stop = result.ptr;
        ec = result.ec;
    }
    if (ec == std::errc::result_out_of_range) {
        // Overflow or total underflow: let the C library give the value it gives sscanf.
        std::string copy(begin, stop);
#ifdef _WIN32
        _locale_t locale = _create_locale(LC_ALL, "C");
        if constexpr (std::is_same_v<Real, float>) {
            value = static_cast<float>(_strtod_l(copy.c_str(), nullptr, locale));
        } else {
            value = static_cast<Real>(_strtold_l(copy.c_str(), nullptr, locale));
        }
        _free_locale(locale);
#else
        if constexpr (std::is_same_v<Real, float>) {
            value = strtof_l(copy.c_str(), nullptr, cLocale());
        } else if constexpr (std::is_same_v<Real, double>) {
            value = strtod_l(copy.c_str(), nullptr, cLocale());
        } else {
            value = strtold_l(copy.c_str(), nullptr, cLocale());
        }
#endif
        return static_cast<std::size_t>(stop - begin);
    }
    value = negative ? -magnitude : magnitude;
    return static_cast<std::size_t>(stop - begin);
}

// Reads "%d" digits as glibc does: optional sign, digits, within the width. Returns false on a
// matching failure (no digits).
bool readInteger(Input& in, int width, long long& value, bool& inputFailure) {
    char buffer[64];
    std::size_t size = 0;
    bool overflow = false;
    auto add = [&](int ch) {
        if (size < sizeof buffer - 1) {
            buffer[size++] = static_cast<char>(ch);
        } else {
            overflow = true;
        }
    };
    int c = in.get();
    if (c == kEof) {
        inputFailure = true;
        return false;
    }
    if (c == '-' || c == '+') {
        add(c);
        if (width > 0) {
            --width;
        }
        c = in.get();
    }
    while (c != kEof && width != 0) {
        if (!isDigit(c)) {
            break;
        }
        add(c);
        if (width > 0) {
            --width;
        }
        c = in.get();
    }
    if (size == 0 || (size == 1 && (buffer[0] == '+' || buffer[0] == '-'))) {
        in.unget(c);
        return false;
    }
    in.unget(c);
    // strtol saturates on overflow; so do we.
    const bool negative = buffer[0] == '-';
    const char* digits = buffer + ((buffer[0] == '+' || buffer[0] == '-') ? 1 : 0);
    unsigned long long magnitude = 0;
    for (const char* d = digits; d < buffer + size; ++d) {
        const unsigned digit = static_cast<unsigned>(*d - '0');
        if (magnitude > (ULLONG_MAX - digit) / 10) {
            overflow = true;
            break;
        }
        magnitude = magnitude * 10 + digit;
    }
    if (negative) {
        value = (overflow || magnitude > static_cast<unsigned long long>(LLONG_MAX) + 1)
                    ? LLONG_MIN
                    : static_cast<long long>(0 - magnitude);
    } else {
        value = (overflow || magnitude > static_cast<unsigned long long>(LLONG_MAX))
                    ? LLONG_MAX
                    : static_cast<long long>(magnitude);
    }
    return true;
}

enum class Step { Ok, MatchFailure, InputFailure };

// Collects the characters of a floating-point number exactly as glibc's scanf does (sign, "nan",
// "inf"/"infinity", hex "0x", digits, one point, one exponent with its sign) into `buffer`.
Step collectReal(Input& in, int width, std::string& buffer) {
    buffer.clear();
    int c = in.get();
    if (width > 0) {
        --width;
    }
    if (c == kEof) {
        return Step::InputFailure;
    }
    bool gotDigit = false, gotDot = false, gotE = false, hex = false;
    std::size_t signSize = 0;
    auto expect = [&](char letter) {
        if (width == 0 || in.get() == kEof || toLower(in.c) != letter) {
            return false;
        }
        if (width > 0) {
            --width;
        }
        buffer += static_cast<char>(in.c);
        return true;
    };
    if (c == '-' || c == '+') {
        signSize = 1;
        buffer += static_cast<char>(c);
        if (width == 0 || in.get() == kEof) {
            return Step::MatchFailure;
        }
        c = in.c;
        if (width > 0) {
            --width;
        }
    }
    if (toLower(c) == 'n') {
        buffer += static_cast<char>(c);
        if (!expect('a') || !expect('n')) {
            return Step::MatchFailure;
        }
        return Step::Ok;
    }
    if (toLower(c) == 'i') {
        buffer += static_cast<char>(c);
        if (!expect('n') || !expect('f')) {
            return Step::MatchFailure;
        }
        if (width != 0 && in.get() != kEof) {
            if (toLower(in.c) == 'i') {
                if (width > 0) {
                    --width;
                }
                buffer += static_cast<char>(in.c);
                if (!expect('n') || !expect('i') || !expect('t') || !expect('y')) {
                    return Step::MatchFailure;
                }
            } else {
                in.unget(in.c);
            }
        }
        return Step::Ok;
    }
    char expChar = 'e';
    if (width != 0 && c == '0') {
        buffer += '0';
        c = in.get();
        if (width > 0) {
            --width;
        }
        if (width != 0 && toLower(c) == 'x') {
            buffer += static_cast<char>(c);
            hex = true;
            expChar = 'p';
            c = in.get();
            if (width > 0) {
                --width;
            }
        } else {
            gotDigit = true;
        }
    }
    while (true) {
        if (isDigit(c)) {
            buffer += static_cast<char>(c);
            gotDigit = true;
        } else if (!gotE && hex && isHexDigit(c)) {
            buffer += static_cast<char>(c);
            gotDigit = true;
        } else if (gotE && buffer.back() == expChar && (c == '-' || c == '+')) {
            buffer += static_cast<char>(c);
        } else if (gotDigit && !gotE && toLower(c) == expChar) {
            buffer += expChar;
            gotE = gotDot = true;
        } else if (!gotE && !gotDot && c == '.') {
            buffer += '.';
            gotDot = true;
        } else {
            in.unget(c);
            break;
        }
        if (width == 0 || in.get() == kEof) {
            break;
        }
        c = in.c;
        if (width > 0) {
            --width;
        }
    }
    if (buffer.size() == signSize || (hex && buffer.size() == 2 + signSize)) {
        return Step::MatchFailure;
    }
    return Step::Ok;
}

long long cutToSize(long long value, ScanPattern::Size size) {
    switch (size) {
    case ScanPattern::Size::Char:
        return static_cast<signed char>(value);
    case ScanPattern::Size::Short:
        return static_cast<short>(value);
    case ScanPattern::Size::Long:
    case ScanPattern::Size::LongLong:
        return static_cast<long>(value);
    default:
        return static_cast<int>(value);
    }
}

std::string positionText(std::size_t index) {
    return " at character " + std::to_string(index + 1);
}

} // namespace

double ScanValue::toDouble() const {
    switch (kind) {
    case Kind::Integer:
        return static_cast<double>(integer);
    case Kind::Text:
        return 0.0;
    default:
        return static_cast<double>(real);
    }
}

std::vector<double> ScanResult::numbers() const {
    std::vector<double> out;
    out.reserve(values.size());
    for (const ScanValue& value : values) {
        if (value.isNumber()) {
            out.push_back(value.toDouble());
        }
    }
    return out;
}

ScanPattern::ScanPattern(std::string_view pattern) : pattern_(pattern) {
    if (const auto nul = pattern.find('\0'); nul != std::string_view::npos) {
        pattern = pattern.substr(0, nul);
    }
    bool pendingSpace = false;
    std::size_t i = 0;
    auto fail = [&](const std::string& message) {
        error_ = message;
        directives_.clear();
        assignments_ = 0;
    };
    while (i < pattern.size()) {
        const char fc = pattern[i];
        if (isSpace(static_cast<unsigned char>(fc))) {
            pendingSpace = true;
            ++i;
            continue;
        }
        Directive d;
        d.skipSpaceFirst = pendingSpace;
        pendingSpace = false;
        if (fc != '%') {
            d.op = Op::Literal;
            d.literal = fc;
            directives_.push_back(d);
            ++i;
            continue;
        }
        const std::size_t start = i++;
        if (i < pattern.size() && pattern[i] == '*') {
            d.suppress = true;
            ++i;
        }
        if (i < pattern.size() && isDigit(static_cast<unsigned char>(pattern[i]))) {
            long long width = 0;
            while (i < pattern.size() && isDigit(static_cast<unsigned char>(pattern[i]))) {
                width = width * 10 + (pattern[i] - '0');
                if (width > kMaxWidth) {
                    {
                        fail("Field width too large" + positionText(start));
                        return;
                    }
                }
                ++i;
            }
            if (i < pattern.size() && pattern[i] == '$') {
                {
                    fail("Positional conversions (%n$) are not allowed" + positionText(start));
                    return;
                }
            }
            d.width = width == 0 ? -1 : static_cast<int>(width);
        }
        if (i < pattern.size() && (pattern[i] == '*' || pattern[i] == '\'' || pattern[i] == 'I')) {
            {
                fail(std::string("The flag '") + pattern[i] + "' is not supported" + positionText(start));
                return;
            }
        }
        if (i < pattern.size()) {
            const char m = pattern[i];
            if (m == 'h') {
                ++i;
                d.size = Size::Short;
                if (i < pattern.size() && pattern[i] == 'h') {
                    ++i;
                    d.size = Size::Char;
                }
            } else if (m == 'l') {
                ++i;
                d.size = Size::Long;
                if (i < pattern.size() && pattern[i] == 'l') {
                    ++i;
                    d.size = Size::LongLong;
                }
            } else if (m == 'L' || m == 'q') {
                ++i;
                d.size = Size::LongDouble;
            } else if (m == 'j' || m == 'z' || m == 't' || m == 'm') {
                {
                    fail(std::string("The modifier '") + m + "' is not supported" + positionText(start));
                    return;
                }
            }
        }
        if (i >= pattern.size()) {
            {
                fail("The pattern ends inside a conversion" + positionText(start));
                return;
            }
        }
        const char conv = pattern[i++];
        const std::string conversion(pattern.substr(start, i - start));
        switch (conv) {
        case '%':
            d.op = Op::Percent;
            break;
        case 'd':
            if (d.size == Size::LongDouble) {
                {
                    fail("Unsupported conversion \"" + conversion + "\"" + positionText(start));
                    return;
                }
            }
            d.op = Op::Integer;
            break;
        case 'f':
        case 'F':
        case 'e':
        case 'E':
        case 'g':
        case 'G':
        case 'a':
        case 'A':
            if (d.size == Size::Short || d.size == Size::Char) {
                {
                    fail("Unsupported conversion \"" + conversion + "\"" + positionText(start));
                    return;
                }
            }
            if (d.size == Size::LongLong) {
                d.size = Size::LongDouble; // "ll" on a real is "L"
            }
            d.op = Op::Real;
            break;
        case 's':
        case 'c':
        case '[':
            if (d.size != Size::Default) {
                {
                    fail("Wide-character conversion \"" + conversion + "\" is not supported" +
                         positionText(start));
                    return;
                }
            }
            d.op = conv == 's' ? Op::String : conv == 'c' ? Op::Chars : Op::Set;
            break;
        case 'n': {
            fail("The conversion \"%n\" is not allowed" + positionText(start));
            return;
        }
        case 'p': {
            fail("The conversion \"%p\" is not allowed" + positionText(start));
            return;
        }
        default: {
            fail("Unsupported conversion \"" + conversion + "\"" + positionText(start));
            return;
        }
        }
        if (d.op == Op::Set) {
            if (i < pattern.size() && pattern[i] == '^') {
                d.negated = true;
                ++i;
            }
            if (i < pattern.size() && (pattern[i] == ']' || pattern[i] == '-')) {
                d.set.set(static_cast<unsigned char>(pattern[i]));
                ++i;
            }
            bool closed = false;
            while (i < pattern.size()) {
                const auto ch = static_cast<unsigned char>(pattern[i++]);
                if (ch == ']') {
                    closed = true;
                    break;
                }
                if (ch == '-' && i < pattern.size() && pattern[i] != ']' &&
                    static_cast<unsigned char>(pattern[i - 2]) <= static_cast<unsigned char>(pattern[i])) {
                    for (unsigned r = static_cast<unsigned char>(pattern[i - 2]);
                         r < static_cast<unsigned char>(pattern[i]); ++r) {
                        d.set.set(r);
                    }
                } else {
                    d.set.set(ch);
                }
            }
            if (!closed) {
                {
                    fail("Unterminated \"%[\"" + positionText(start));
                    return;
                }
            }
        }
        if (d.op == Op::Percent) {
            d.suppress = true;
        }
        if (!d.suppress) {
            ++assignments_;
        }
        directives_.push_back(d);
    }
}

ScanResult ScanPattern::scan(std::string_view text) const {
    ScanResult result;
    scan(text, result);
    return result;
}

void ScanPattern::scan(std::string_view text, ScanResult& result) const {
    result.count = 0;
    result.values.clear();
    if (!valid()) {
        return;
    }
    Input in(text);
    int done = 0;
    std::string realBuffer;
    auto inputFailure = [&] { result.count = done == 0 ? -1 : done; };
    auto push = [&](ScanValue::Kind kind) -> ScanValue& {
        ScanValue& value = result.values.emplace_back();
        value.kind = kind;
        return value;
    };
    for (const Directive& d : directives_) {
        if (d.op == Op::Literal) {
            int c = in.get();
            if (c == kEof) {
                {
                    inputFailure();
                    return;
                }
            }
            if (d.skipSpaceFirst) {
                while (isSpace(c)) {
                    if ((c = in.get()) == kEof) {
                        {
                            inputFailure();
                            return;
                        }
                    }
                }
            }
            if (c != static_cast<unsigned char>(d.literal)) {
                in.unget(c);
                result.count = done;
                return;
            }
            continue;
        }
        if (d.skipSpaceFirst || (d.op != Op::Set && d.op != Op::Chars)) {
            int c;
            do {
                c = in.get();
            } while (isSpace(c));
            in.unget(c);
        }
        switch (d.op) {
        case Op::Percent: {
            const int c = in.get();
            if (c == kEof) {
                {
                    inputFailure();
                    return;
                }
            }
            if (c != '%') {
                in.unget(c);
                result.count = done;
                return;
            }
            break;
        }
        case Op::Integer: {
            long long value = 0;
            bool eof = false;
            if (!readInteger(in, d.width, value, eof)) {
                if (eof) {
                    {
                        inputFailure();
                        return;
                    }
                }
                result.count = done;
                return;
            }
            if (!d.suppress) {
                push(ScanValue::Kind::Integer).integer = cutToSize(value, d.size);
                ++done;
            }
            break;
        }
        case Op::Real: {
            const Step step = collectReal(in, d.width, realBuffer);
            if (step == Step::InputFailure) {
                {
                    inputFailure();
                    return;
                }
            }
            if (step == Step::MatchFailure) {
                result.count = done;
                return;
            }
            std::size_t used = 0;
            long double real = 0;
            ScanValue::Kind kind = ScanValue::Kind::Float;
            if (d.size == Size::LongDouble) {
                used = convertPrefix(realBuffer, real);
                kind = ScanValue::Kind::LongDouble;
            } else if (d.size == Size::Long) {
                double value = 0;
                used = convertPrefix(realBuffer, value);
                real = value;
                kind = ScanValue::Kind::Double;
            } else {
                float value = 0;
                used = convertPrefix(realBuffer, value);
                real = value;
            }
            if (used == 0) {
                result.count = done;
                return;
            }
            if (!d.suppress) {
                push(kind).real = real;
                ++done;
            }
            break;
        }
        case Op::String: {
            int c = in.get();
            if (c == kEof) {
                {
                    inputFailure();
                    return;
                }
            }
            std::string* out = d.suppress ? nullptr : &push(ScanValue::Kind::Text).text;
            int width = d.width;
            do {
                if (isSpace(c)) {
                    in.unget(c);
                    break;
                }
                if (out) {
                    *out += static_cast<char>(c);
                }
            } while ((width <= 0 || --width > 0) && (c = in.get()) != kEof);
            if (out) {
                ++done;
            }
            break;
        }
        case Op::Chars: {
            int width = d.width == -1 ? 1 : d.width;
            int c = in.get();
            if (c == kEof) {
                {
                    inputFailure();
                    return;
                }
            }
            std::string* out = d.suppress ? nullptr : &push(ScanValue::Kind::Text).text;
            do {
                if (out) {
                    *out += static_cast<char>(c);
                }
            } while (--width > 0 && (c = in.get()) != kEof);
            if (out) {
                ++done;
            }
            break;
        }
        case Op::Set: {
            int c = in.get();
            if (c == kEof) {
                {
                    inputFailure();
                    return;
                }
            }
            std::string collected;
            int width = d.width;
            bool any = false;
            do {
                if (d.set.test(static_cast<std::size_t>(c)) == d.negated) {
                    in.unget(c);
                    break;
                }
                any = true;
                if (!d.suppress) {
                    collected += static_cast<char>(c);
                }
            } while ((width <= 0 || --width > 0) && (c = in.get()) != kEof);
            if (!any) {
                result.count = done;
                return;
            }
            if (!d.suppress) {
                push(ScanValue::Kind::Text).text = std::move(collected);
                ++done;
            }
            break;
        }
        default:
            break;
        }
    }
    result.count = done;
}

ScanResult scanText(std::string_view text, std::string_view pattern) {
    constexpr std::size_t kCached = 16;
    thread_local std::vector<ScanPattern> cache;
    thread_local std::size_t next = 0;
    for (const ScanPattern& compiled : cache) {
        if (compiled.pattern() == pattern) {
            return compiled.scan(text);
        }
    }
    if (cache.size() < kCached) {
        cache.emplace_back(pattern);
        return cache.back().scan(text);
    }
    next = (next + 1) % kCached;
    cache[next] = ScanPattern(pattern);
    return cache[next].scan(text);
}

} // namespace selvir
