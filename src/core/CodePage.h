#pragma once
// 8-bit Windows code pages used by files written on the survey workstation.
// The program works in UTF-8; texts are converted on the way in and out.

#include <string>
#include <string_view>

namespace selvir {

enum class CodePage {
    Windows1254, // Turkish, the default "ANSI code page" of the settings file and the Turkish texts
    Windows1252, // Western European
};

// Decodes 8-bit text to UTF-8. Every byte maps to one character; bytes the code page leaves undefined
// become the C1 control of the same number, as Windows does, so a decode/encode round trip is lossless.
std::string toUtf8(std::string_view bytes, CodePage codePage = CodePage::Windows1254);

// Encodes UTF-8 text to 8-bit. Characters the code page cannot hold, and malformed UTF-8 sequences,
// become "?".
std::string fromUtf8(std::string_view utf8, CodePage codePage = CodePage::Windows1254);

// True when the text is well-formed UTF-8.
bool isValidUtf8(std::string_view text);

} // namespace selvir
