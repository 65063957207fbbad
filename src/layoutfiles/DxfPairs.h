#pragma once
// Group-code/value pairs of an ASCII DXF file, read line by line from a byte source.

#include "layoutfiles/DxfImport.h"
#include "layoutfiles/LineReader.h"

#include <cstdint>
#include <string_view>

namespace selvir::dxf {

class PairReader {
public:
    PairReader(ByteSource& source, const DxfProgressCallback& progress);

    // Back to byte 0 for pass `pass` (a byte-order mark there is skipped). False when the source
    // cannot be rewound.
    bool restart(int pass);
    // Reads the next pair; false at the end of the file (a code line without its value included).
    bool next();

    // The code line was exactly "0": a section, entity or table entry starts.
    bool start() const { return start_; }
    // The leading integer of the code line (0 when it has none, which matches no group).
    int code() const { return code_; }
    // The value line, trimmed; valid until the next call of next().
    std::string_view value() const { return value_; }
    bool startOf(std::string_view name) const { return start_ && value_ == name; }

    // Reads pairs until one starts the section `name` ("0", "SECTION", any code, the name); the
    // reader then stands on the name. False at the end of the file.
    bool findSection(std::string_view name);

private:
    bool line(std::string_view& text);

    LineReader lines_;
    const DxfProgressCallback& progress_;
    int pass_ = 1;
    bool firstLine_ = true;
    std::uint64_t nextReport_ = 0;
    bool start_ = false;
    int code_ = 0;
    std::string_view value_;
};

} // namespace selvir::dxf
