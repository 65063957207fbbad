// Fuzzes the pattern reader: the first line is the pattern, the rest the text. Every valid pattern is
// also run through glibc sscanf, and any difference stops the fuzzer.
#include "core/ScanPattern.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

constexpr int kSlots = 20;
constexpr std::size_t kSlotBytes = 2048;
constexpr std::size_t kMaxText = 1000; // keeps every %s / %c / %[ of sscanf inside its slot

struct alignas(16) Slot {
    unsigned char bytes[kSlotBytes];
};

void agreeWithSscanf(const selvir::ScanPattern& pattern, const std::string& patternText,
                     const std::string& text) {
    if (pattern.assignmentCount() > kSlots || text.size() > kMaxText) {
        return;
    }
    // The sanitizer's sscanf check assumes %Nc fills N bytes: keep widths inside a slot.
    for (const auto& d : pattern.directives()) {
        if (d.width >= static_cast<int>(kSlotBytes)) {
            return;
        }
    }
    static Slot slots[kSlots];
    void* p[kSlots];
    for (int i = 0; i < kSlots; ++i) {
        std::memset(slots[i].bytes, 0xA5, kSlotBytes);
        p[i] = slots[i].bytes;
    }
    const int theirs =
        std::sscanf(text.c_str(), patternText.c_str(), p[0], p[1], p[2], p[3], p[4], p[5], p[6], p[7], p[8],
                    p[9], p[10], p[11], p[12], p[13], p[14], p[15], p[16], p[17], p[18], p[19]);
    const selvir::ScanResult ours = pattern.scan(text);
    if (ours.count != theirs) {
        std::fprintf(stderr, "count %d vs sscanf %d\n", ours.count, theirs);
        std::abort();
    }
    for (int i = 0; i < theirs; ++i) {
        const selvir::ScanValue& v = ours.values[static_cast<std::size_t>(i)];
        bool same = true;
        if (v.kind == selvir::ScanValue::Kind::Double) {
            double d;
            std::memcpy(&d, slots[i].bytes, sizeof d);
            same = (std::isnan(d) && std::isnan(static_cast<double>(v.real))) ||
                   d == static_cast<double>(v.real);
        } else if (v.kind == selvir::ScanValue::Kind::Float) {
            float f;
            std::memcpy(&f, slots[i].bytes, sizeof f);
            same =
                (std::isnan(f) && std::isnan(static_cast<float>(v.real))) || f == static_cast<float>(v.real);
        } else if (v.kind == selvir::ScanValue::Kind::Text) {
            same = std::memcmp(v.text.data(), slots[i].bytes, v.text.size()) == 0;
        }
        if (!same) {
            std::fprintf(stderr, "value %d differs\n", i);
            std::abort();
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string input(reinterpret_cast<const char*>(data), size);
    const auto newline = input.find('\n');
    const std::string patternText = input.substr(0, newline);
    const std::string text = newline == std::string::npos ? std::string() : input.substr(newline + 1);
    const selvir::ScanPattern pattern(patternText);
    const selvir::ScanResult result = pattern.scan(text);
    if (!pattern.valid()) {
        if (result.count != 0 || !result.values.empty() || pattern.error().empty()) {
            std::abort();
        }
        return 0;
    }
    if (result.count > pattern.assignmentCount() ||
        result.values.size() != static_cast<std::size_t>(result.count < 0 ? 0 : result.count)) {
        std::abort();
    }
    // sscanf sees the pattern only up to a NUL, as our reader does.
    if (patternText.find('\0') == std::string::npos) {
        agreeWithSscanf(pattern, patternText, text);
    }
    return 0;
}
