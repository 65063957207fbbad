#pragma once
// zlib streams (RFC 1950: header, deflate data, Adler-32 trailer), called on zlib directly.

#include <cstddef>
#include <string>
#include <string_view>

namespace selvir {

// Compresses `data` into one zlib stream at `level` (0..9; 6 is zlib's default) and appends it to
// `out`. False on a zlib error (then `out` is as it was).
bool zlibCompress(std::string_view data, int level, std::string& out);

// Inflates the zlib stream at the start of `stream` into `out` (replaced). Bytes after the end of the
// stream are ignored. False when the stream is corrupt or truncated, or would inflate to more than
// `maxBytes` (so a small hostile file cannot take the memory).
bool zlibInflate(std::string_view stream, std::size_t maxBytes, std::string& out);

} // namespace selvir
