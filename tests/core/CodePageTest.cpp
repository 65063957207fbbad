#include "core/CodePage.h"

#include <gtest/gtest.h>
#include <iconv.h>
#include <string>

namespace selvir {
namespace {

// glibc's iconv is an independent table of the same code pages.
std::string iconvToUtf8(const char* codePage, unsigned char byte) {
    iconv_t cd = iconv_open("UTF-8", codePage);
    if (cd == reinterpret_cast<iconv_t>(-1)) {
        return "<no iconv>";
    }
    char in[1] = {static_cast<char>(byte)};
    char out[8] = {};
    char* inPtr = in;
    char* outPtr = out;
    size_t inLeft = 1, outLeft = sizeof out;
    const size_t rc = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
    iconv_close(cd);
    if (rc == static_cast<size_t>(-1)) {
        return {}; // undefined in that code page
    }
    return std::string(out, outPtr);
}

TEST(CodePage, EveryDefinedByteMatchesIconv) {
    const std::pair<CodePage, const char*> pages[] = {{CodePage::Windows1254, "WINDOWS-1254"},
                                                      {CodePage::Windows1252, "WINDOWS-1252"}};
    for (const auto& [page, name] : pages) {
        int checked = 0;
        for (int b = 1; b < 256; ++b) {
            const std::string expected = iconvToUtf8(name, static_cast<unsigned char>(b));
            if (expected.empty()) {
                continue;
            }
            ASSERT_NE(expected, "<no iconv>");
            EXPECT_EQ(toUtf8(std::string(1, static_cast<char>(b)), page), expected) << name << " byte " << b;
            EXPECT_EQ(fromUtf8(expected, page), std::string(1, static_cast<char>(b)))
                << name << " byte " << b;
            ++checked;
        }
        EXPECT_GE(checked, 248);
    }
}

TEST(CodePage, TurkishLettersRoundTrip) {
    const std::string turkish = "Ses hızı profilinin başlangıcı olan 0 derinlik; İĞŞÜÖÇ ğşüöç";
    const std::string bytes = fromUtf8(turkish);
    std::size_t letters = 0;
    for (char c : turkish) {
        letters += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    }
    EXPECT_EQ(bytes.size(), letters); // one byte per letter
    EXPECT_EQ(bytes.find('?'), std::string::npos);
    EXPECT_EQ(toUtf8(bytes), turkish);
}

TEST(CodePage, EveryByteSurvivesDecodeAndEncode) {
    std::string all;
    for (int b = 0; b < 256; ++b) {
        all += static_cast<char>(b);
    }
    EXPECT_EQ(fromUtf8(toUtf8(all, CodePage::Windows1254), CodePage::Windows1254), all);
    EXPECT_EQ(fromUtf8(toUtf8(all, CodePage::Windows1252), CodePage::Windows1252), all);
    EXPECT_TRUE(isValidUtf8(toUtf8(all)));
}

TEST(CodePage, UnmappableAndMalformedBecomeQuestionMarks) {
    EXPECT_EQ(fromUtf8("a\xE2\x82\xAC"
                       "b"),
              "a\x80"
              "b");                                              // euro sign exists
    EXPECT_EQ(fromUtf8("\xE6\x97\xA5"), "?");                    // a CJK character does not
    EXPECT_EQ(fromUtf8("\xC5\xBD", CodePage::Windows1254), "?"); // Ž is only in 1252
    EXPECT_EQ(fromUtf8("\xC5\xBD", CodePage::Windows1252), "\x8E");
    EXPECT_EQ(fromUtf8("x\xC3"), "x?");        // cut sequence
    EXPECT_EQ(fromUtf8("\xC0\xAF"), "??");     // overlong
    EXPECT_FALSE(isValidUtf8("\xED\xA0\x80")); // surrogate
}

} // namespace
} // namespace selvir
