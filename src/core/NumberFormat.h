#pragma once
// Number formatting for files and texts. Every function writes "." as decimal point and no thousands
// separator, whatever the process locale.

#include <optional>
#include <string>
#include <string_view>

namespace selvir {

// Fixed notation with `decimals` digits after the point (0..30), correctly rounded from the binary
// value (an exact tie such as 0.125 rounds to even). A result that rounds to zero is written without sign
// ("0.00", never "-0.00"). NaN and infinities are written "NAN", "INF" and "-INF".
std::string formatFixed(double value, int decimals);
std::string formatFixed(long double value, int decimals);

// General notation with up to 15 significant digits and no trailing zeros: plain decimals for decimal
// exponents from -4 to 14, otherwise scientific ("1.5E-7", "2.5E+20"); 0 is "0".
std::string formatGeneral(double value);
std::string formatGeneral(long double value);

// Shortest text that reads back to the same value.
std::string formatShortest(double value);
std::string formatShortest(float value);
std::string formatShortest(long double value);

// Reads a whole text (blanks around it allowed) as a number with "." as decimal point. Returns nothing
// when the text is not entirely a number.
std::optional<double> parseDouble(std::string_view text);
// Reads a whole text as a decimal integer (optional sign); nothing on failure or overflow.
std::optional<long long> parseInteger(std::string_view text);

// The same for numbers that come from devices and files: NaN, infinities ("nan", "inf") and values
// beyond the range of the type give nothing, so line noise never becomes a number.
std::optional<double> parseFiniteDouble(std::string_view text);
std::optional<int> parseInt(std::string_view text);

} // namespace selvir
