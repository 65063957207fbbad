// Our pattern reader against glibc sscanf: same count, same values, same characters, over the patterns
// the program uses with real lines cut at every length, and over generated patterns and texts.
#include "core/ScanPattern.h"

#include <array>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <gtest/gtest.h>
#include <random>
#include <string>
#include <vector>

namespace selvir {
namespace {

constexpr int kSlots = 20;
constexpr std::size_t kSlotBytes = 1024;
constexpr unsigned char kFill = 0xA5;

struct alignas(16) Slot {
    unsigned char bytes[kSlotBytes];
};

// Calls glibc sscanf with kSlots output slots; conversions the pattern does not make leave slots alone.
int callSscanf(const std::string& text, const std::string& pattern, std::array<Slot, kSlots>& slots) {
    for (Slot& slot : slots) {
        std::memset(slot.bytes, kFill, sizeof slot.bytes);
    }
    void* p[kSlots];
    for (int i = 0; i < kSlots; ++i) {
        p[i] = slots[i].bytes;
    }
    return std::sscanf(text.c_str(), pattern.c_str(), p[0], p[1], p[2], p[3], p[4], p[5], p[6], p[7], p[8],
                       p[9], p[10], p[11], p[12], p[13], p[14], p[15], p[16], p[17], p[18], p[19]);
}

// The conversions that assign, in order, as compiled by our reader.
std::vector<ScanPattern::Directive> assigning(const ScanPattern& pattern) {
    std::vector<ScanPattern::Directive> out;
    for (const auto& d : pattern.directives()) {
        if (!d.suppress && d.op != ScanPattern::Op::Literal && d.op != ScanPattern::Op::SkipSpace) {
            out.push_back(d);
        }
    }
    return out;
}

template <typename Real>
bool sameReal(Real ours, const unsigned char* slot) {
    Real theirs;
    std::memcpy(&theirs, slot, sizeof theirs);
    if (std::isnan(ours) || std::isnan(theirs)) {
        return std::isnan(ours) && std::isnan(theirs) && std::signbit(ours) == std::signbit(theirs);
    }
    return ours == theirs && std::signbit(ours) == std::signbit(theirs);
}

// Returns an empty string when both agree, otherwise what differs.
std::string compare(const std::string& text, const std::string& patternText) {
    const ScanPattern pattern(patternText);
    if (!pattern.valid()) {
        return "pattern rejected: " + pattern.error();
    }
    std::array<Slot, kSlots> slots;
    const int theirs = callSscanf(text, patternText, slots);
    const ScanResult ours = pattern.scan(text);
    if (ours.count != theirs) {
        return "count " + std::to_string(ours.count) + " vs sscanf " + std::to_string(theirs);
    }
    const auto conversions = assigning(pattern);
    if (theirs > 0 && static_cast<std::size_t>(theirs) != ours.values.size()) {
        return "values " + std::to_string(ours.values.size()) + " for count " + std::to_string(theirs);
    }
    for (int i = 0; i < theirs; ++i) {
        const ScanValue& value = ours.values[i];
        const unsigned char* slot = slots[i].bytes;
        const auto& d = conversions[i];
        bool same = true;
        switch (value.kind) {
        case ScanValue::Kind::Integer: {
            long long stored = 0;
            if (d.size == ScanPattern::Size::Char) {
                stored = static_cast<signed char>(slot[0]);
            } else if (d.size == ScanPattern::Size::Short) {
                short s;
                std::memcpy(&s, slot, sizeof s);
                stored = s;
            } else if (d.size == ScanPattern::Size::Long || d.size == ScanPattern::Size::LongLong) {
                long l;
                std::memcpy(&l, slot, sizeof l);
                stored = l;
            } else {
                int n;
                std::memcpy(&n, slot, sizeof n);
                stored = n;
            }
            same = stored == value.integer;
            break;
        }
        case ScanValue::Kind::Float:
            same = sameReal(static_cast<float>(value.real), slot);
            break;
        case ScanValue::Kind::Double:
            same = sameReal(static_cast<double>(value.real), slot);
            break;
        case ScanValue::Kind::LongDouble:
            same = sameReal(value.real, slot);
            break;
        case ScanValue::Kind::Text:
            if (d.op == ScanPattern::Op::Chars) {
                same = value.text.size() < kSlotBytes &&
                       std::memcmp(value.text.data(), slot, value.text.size()) == 0 &&
                       slot[value.text.size()] == kFill;
            } else {
                same = value.text.size() < kSlotBytes &&
                       std::strcmp(value.text.c_str(), reinterpret_cast<const char*>(slot)) == 0;
            }
            break;
        }
        if (!same) {
            return "value " + std::to_string(i) + " differs";
        }
    }
    return {};
}

void expectSameOnEveryPrefix(const std::string& patternText, const std::vector<std::string>& lines,
                             int& cases) {
    for (const std::string& line : lines) {
        for (std::size_t n = 0; n <= line.size(); ++n) {
            const std::string text = line.substr(0, n);
            const std::string why = compare(text, patternText);
            EXPECT_TRUE(why.empty()) << "pattern \"" << patternText << "\" text \"" << text << "\": " << why;
            ++cases;
        }
    }
}

TEST(ScanPatternAgainstSscanf, ProgramPatternsOnRealLinesCutAtEveryLength) {
    const std::vector<std::pair<std::string, std::vector<std::string>>> table = {
        // GNSS sentences
        {"%*7s %lf", {"$HEHDT,123.4,T*2B", "$GPHDT,274.07,T", "$HEHDT,,T", "$GNHDT, 12.5,T"}},
        {"%*6s,%*lf,%*1s,%*lf,%*1s,%*lf,%*1s,%lf",
         {"$GPRMC,123519,A,4807.038,N,01131.000,E,022.4,084.4,230394,003.1,W*6A",
          "$GNRMC,001031.00,A,4404.13993,N,12118.86023,W,0.146,,100117,,,A*7B", "$GPRMC,,V,,,,,,,,,,N*53"}},
        {"%*6s,%*lf,%*1s,%*lf,%*1s,%lf",
         {"$GPVTG,054.7,T,034.4,M,005.5,N,010.2,K*48", "$GPVTG,054.7,T,,M,005.5,N,010.2,K",
          "$GPVTG,,T,,M,,N,,K"}},
        {"%*6s,%lf,%*lf,%*1s,%*lf,%*1s,%d,%*d,%*lf,%lf,%*1s,%lf",
         {"$GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,*47",
          "$GNGGA,134502.00,4100.12345678,N,02900.98765432,E,4,12,0.7,35.123,M,38.456,M,1.0,0001*6C",
          "$GPGGA,134502.00,4100.1,N,02900.9,E,4,12,0.7,35.123,M,,M,,*6C",
          "$GPGGA,,,,,,0,00,99.99,,,,,,*48"}},
        // Echosounder formats
        {"%*8s,%lf,%lf", {"$SMT0001,12.34,12.6", "$SMTXXXX,0.00,11.95"}},
        {"%*6s,%lf", {"$SDDPT,12.34,0.5*hh", "$INDPT,2.2,0.0*46", "$SDDPT,,0.5"}},
        {"%*6s,%*lf,%*1s,%lf", {"$SDDBT,40.5,f,12.3,M,6.7,F", "$SDDBT,0040.5,f,0012.3,M,0006.7,F*3B"}},
        {"%*8s,%lf", {"$PSXDHI1,12.35,M", "$XDHI0001,7.5"}},
        {"%*8s,%*lf,%*8s,%lf", {"$PSXDHI1,12.35,$PSXDLO1,13.10", "$PSXDHI1,12.35"}},
        {"%*8s,%lf,%*8s,%lf", {"$PSXDHI1,12.35,$PSXDLO1,13.10"}},
        {"%*42s,%lf",
         {"20260305 134502 000123 SV1500 DFT0.50 DHI,B,12.34,M",
          "AAAAAAAAAABBBBBBBBBBCCCCCCCCCCDDDDDDDDDDEE,B,3.25"}},
        // Geodesy parameter lines
        {"%*20s %*20s %Lf%Lf", {"6378137.0 0.0033528106647474 6378388 0.003367003367003"}},
        {"%lf%lf%lf%lf%lf%lf%lf%lf%lf%lf",
         {"4208830.01\t2334850.02\t4171267.03\t-1.25\t0.1\t-0.2\t0.3\t-84.1\t-96.2\t-120.3"}},
        {"%lf%lf%lf", {"41.0 29.0 35.5", "41.0\t29.0"}},
        {"%Lf %Lf", {"40.99876543210987 28.99812345678901"}},
        {"%Lf%Lf%Lf%Lf%Lf", {"30 0 1 500000 0", "27.0 0.0 0.9996 500000.0 0.0"}},
        {"%lf %lf", {"456789.1234 4539123.5678", "0"}},
        {"%lf %lf %lf", {"40.998 28.998 12.5", "1.5E-7 2.5E+20 -0"}},
        // Sound velocity tables and search strings
        {"%*23s %lf,%lf",
         {"2019-03-12 15:58:25.000 1.234,1503.21", "   2019-03-12T15:58:25.000Z 3.5,1500.0"}},
        {"%d,%lf", {"12,1501.25", "0,1500", "-1,1499.5"}},
        {"%d,%lf,%d", {"12,1501.25,3", "12,1501.25"}},
        {"%*d,%lf", {"199,1490.00,1"}},
        {"%lf;%*[^;];%lf", {"12.5;18.3;1503.7", "12.5;;1503.7"}},
        {"%*[^,],%*[^,],%lf,%lf", {"2019,12:00,10.5,1501.2", "a,b,c,d"}},
        {"%lf", {"0.50", "-1.2e3", "abc", "  7"}},
    };
    int cases = 0;
    for (const auto& [pattern, lines] : table) {
        expectSameOnEveryPrefix(pattern, lines, cases);
    }
    EXPECT_GT(cases, 1000);
}

// Directives the generator combines; each is valid for both readers.
const std::vector<std::string> kPieces = {
    "%d",  "%hd",    "%hhd",  "%ld",     "%3d",   "%*d",       "%f",     "%lf", "%Lf", "%e",
    "%lg", "%5lf",   "%2f",   "%*lf",    "%La",   "%s",        "%3s",    "%*s", "%c",  "%4c",
    "%*c", "%[a-z]", "%[^,]", "%2[0-9]", "%[]a]", "%[-+.0-9]", "%*[^;]", "%%",  ",",   ";",
    " ",   "\t",     "$",     "x",       "e",     "A",         "-",
};

const std::vector<std::string> kTokens = {
    "12",      "-3.5",   "+0.25",       "1e5",    "1e",    "1e+",   "2E-3",  ".5",
    "5.",      ".",      "+",           "-",      "nan",   "NaN",   "inf",   "infinity",
    "infinit", "INF",    "0x1p3",       "0x",     "0X1.8", "0x.p1", "00012", "99999999999999999999",
    "1e400",   "1e-400", "-2147483649", "65537",  ",",     ";",     " ",     "  ",
    "\t",      "\n",     "abc",         "$GPGGA", "x",     "%",     "]",     "a-z",
    "e",       "E5",     "0",
};

TEST(ScanPatternAgainstSscanf, GeneratedPatternsAndTexts) {
    std::mt19937 random(20261208);
    auto pick = [&](const std::vector<std::string>& from) { return from[random() % from.size()]; };
    int cases = 0;
    for (int p = 0; p < 600; ++p) {
        std::string pattern;
        const int pieces = 1 + static_cast<int>(random() % 6);
        for (int i = 0; i < pieces; ++i) {
            pattern += pick(kPieces);
        }
        for (int t = 0; t < 12; ++t) {
            std::string text;
            const int tokens = static_cast<int>(random() % 7);
            for (int i = 0; i < tokens; ++i) {
                text += pick(kTokens);
            }
            const std::string why = compare(text, pattern);
            EXPECT_TRUE(why.empty()) << "pattern \"" << pattern << "\" text \"" << text << "\": " << why;
            ++cases;
        }
    }
    EXPECT_GE(cases, 7000);
}

} // namespace
} // namespace selvir
