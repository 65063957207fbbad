#pragma once
// A safe reader of scanf-style patterns.
//
// Patterns come from the settings and from the user (echosounder formats, sound velocity search strings),
// so they are never handed to the C library. A pattern is compiled once; scanning a text gives the values
// read and the count of assignments, exactly as glibc sscanf would for the same pattern and text
// (including -1 when the text ends before the first assignment). Values are returned in a container the
// caller owns: the reader never writes anywhere else.
//
// Supported: literal characters (must match), white space (skips any white space in the text), "%%",
// and the conversions d (with h, hh, l, ll), f e g a and their capitals (float; with l double, with L
// long double), s, c and [...] / [^...], each with an optional "*" (read, not assigned) and field width.
// Rejected with an error text: every other conversion (n, p, i, u, x, o, ...), positional arguments
// ("%1$d"), the flags ' and I, the m and wide-character modifiers, an unterminated "%[" and a pattern
// that ends inside a conversion.

#include <bitset>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace selvir {

struct ScanValue {
    enum class Kind {
        Integer,    // %d and its size variants; the value is cut to the size as sscanf stores it
        Float,      // %f
        Double,     // %lf
        LongDouble, // %Lf
        Text,       // %s, %c, %[...]: the characters read (no terminator)
    };
    Kind kind = Kind::Integer;
    long long integer = 0;
    long double real = 0;
    std::string text;

    bool isNumber() const { return kind != Kind::Text; }
    // The value as a double: integers and reals converted, texts give 0.
    double toDouble() const;
};

struct ScanResult {
    int count = 0; // assignments made, or -1 when the text ended before the first one
    std::vector<ScanValue> values;

    // The numeric values in order, as doubles.
    std::vector<double> numbers() const;
};

class ScanPattern {
public:
    // Compiles the pattern. Check valid() before use; an invalid pattern reads nothing.
    explicit ScanPattern(std::string_view pattern);

    bool valid() const { return error_.empty(); }
    // Why the pattern was rejected, in a sentence naming the position (empty when valid).
    const std::string& error() const { return error_; }
    const std::string& pattern() const { return pattern_; }
    // Number of assignments the pattern can make.
    int assignmentCount() const { return assignments_; }

    // Scans the text (it ends at its first NUL byte, as a C string would). An invalid pattern gives
    // count 0 and no values.
    ScanResult scan(std::string_view text) const;
    // The same, reusing the caller's result object to avoid allocation in hot paths.
    void scan(std::string_view text, ScanResult& result) const;

    enum class Op { SkipSpace, Literal, Percent, Integer, Real, String, Chars, Set };
    enum class Size { Default, Char, Short, Long, LongLong, LongDouble };
    struct Directive {
        Op op = Op::Literal;
        Size size = Size::Default;
        bool suppress = false;
        bool skipSpaceFirst = false; // a white space directive stands right before this one
        int width = -1;              // -1: no width
        char literal = 0;
        bool negated = false;
        std::bitset<256> set; // members of a %[...] set
    };
    const std::vector<Directive>& directives() const { return directives_; }

private:
    std::string pattern_;
    std::string error_;
    std::vector<Directive> directives_;
    int assignments_ = 0;
};

// Compiles and scans in one call. The last few patterns compiled are kept per thread, so a caller
// that passes the same pattern text every time pays for compiling once. An invalid pattern gives
// count 0.
ScanResult scanText(std::string_view text, std::string_view pattern);

} // namespace selvir
