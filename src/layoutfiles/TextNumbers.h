#pragma once
// Number reading shared by the layout-file readers. Decimal point "." whatever the locale; values
// that are not finite (NaN, infinities, overflow) never count as read: a file cannot bring them into
// the drawing.

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace selvir::textnum {

// The leading real of `text` as the C conversion reads it: leading blanks and tabs skipped, an
// optional sign, digits with an optional "." and exponent; what follows the number is left. Returns
// the number of characters used (0 when there is no finite number there).
std::size_t leadingReal(std::string_view text, double& value);

// The leading decimal integer (optional sign) after blanks and tabs. Returns the characters used, 0
// when there is none. Values beyond 64 bits are held at the 64-bit limits.
std::size_t leadingInteger(std::string_view text, std::int64_t& value);

// Plain decimals ("-452317.250000", at most 15 digits, no exponent) at `text`, the fast common case
// of the readers: the digits as an integer and the power of ten are both exact doubles, so one
// division gives the correctly rounded value, the same as from_chars. On success `text` moves past
// the number. False, with `text` unchanged, for anything else.
bool plainDecimalPrefix(const char*& text, const char* end, double& value);

// A whole word as a real or an integer; false when the word is anything else (or not finite).
bool wordReal(std::string_view word, double& value);
bool wordInteger(std::string_view word, std::int64_t& value);

// Blanks, tabs and CR removed at both ends.
std::string_view trimmed(std::string_view text);

} // namespace selvir::textnum
