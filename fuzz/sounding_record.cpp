// Fuzzes the reduction record reader: any bytes read without crash; every row handed on is whole (its
// text written again reads back to the same row), and the rows and bad rows add up to the data lines.
#include "navigation/SoundingRecord.h"

#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    std::istringstream in(bytes);
    std::size_t handed = 0;
    const selvir::SoundingFileReport report =
        selvir::readSoundingRecord(in, [&](const selvir::SoundingRecord& record, std::size_t) {
            ++handed;
            const std::string row = selvir::formatSoundingRow(record);
            selvir::SoundingRecord again;
            selvir::SoundingRowError error;
            if (!selvir::parseSoundingRow(row, selvir::SoundingColumns::standard(), again, error) ||
                selvir::formatSoundingRow(again) != row) {
                std::abort();
            }
        });
    if (handed != report.rows || report.errors.size() > report.badRows ||
        report.errors.size() > selvir::SoundingFileReport::kMaxListedErrors) {
        std::abort();
    }
    return 0;
}
