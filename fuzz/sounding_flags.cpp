// Fuzzes the flags sidecar reader: any bytes read without crash, and the flags it gives write out and
// read back the same, with no line refused.
#include "processing/SoundingFlags.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const selvir::processing::FlagsReadResult read = selvir::processing::parseFlagsSidecar(bytes);
    selvir::processing::FlagSet flags;
    flags.reset(read.flags);
    const selvir::processing::FlagsReadResult again =
        selvir::processing::parseFlagsSidecar(selvir::processing::formatFlagsSidecar(flags));
    if (!again.badLines.empty() || again.flags != read.flags) {
        std::abort();
    }
    return 0;
}
