#pragma once
// Trimming of texts read from files, ports and settings: one helper, with the set of characters each
// caller drops.

#include <string_view>

namespace selvir {

// Blanks and tabs, the characters around numbers and fields.
inline constexpr std::string_view kBlanks = " \t";
// White space as the settings file treats it around names and values.
inline constexpr std::string_view kWhiteSpace = " \t\r\n\v\f";

// The text without the characters of `chars` at either end.
constexpr std::string_view trimmed(std::string_view text, std::string_view chars = kBlanks) {
    const std::size_t first = text.find_first_not_of(chars);
    if (first == std::string_view::npos) {
        return text.substr(text.size());
    }
    return text.substr(first, text.find_last_not_of(chars) - first + 1);
}

// The text without control characters and blanks (bytes 0 to 32) at either end: what a serial line
// carries around a sentence.
constexpr std::string_view trimmedControl(std::string_view text) {
    const auto isControl = [](char c) { return static_cast<unsigned char>(c) <= 32; };
    while (!text.empty() && isControl(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && isControl(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

} // namespace selvir
