#pragma once
// zlib streams (RFC 1950: header, deflate data, Adler-32 trailer), called on zlib directly.

#include "layoutfiles/LineReader.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

struct z_stream_s;

namespace selvir {

// Compresses data given in any number of pieces into one zlib stream appended to `out`.
class ZlibDeflater {
public:
    // `level` 0..9; 6 is zlib's default.
    ZlibDeflater(int level, std::string& out);
    ~ZlibDeflater();
    ZlibDeflater(const ZlibDeflater&) = delete;
    ZlibDeflater& operator=(const ZlibDeflater&) = delete;

    bool write(std::string_view data);
    // Ends the stream (the trailer is written). False when any step failed.
    bool finish();
    // zlib's words for the first failure; empty while none.
    const std::string& error() const { return error_; }

private:
    bool run(int flush);

    z_stream_s* zs_;
    std::string& out_;
    std::size_t produced_ = 0; // bytes of out_ in use
    bool ok_ = true;
    std::string error_;
};

// Inflates a zlib stream read from another source, block by block, so the whole text never has to be
// held. Bytes after the end of the stream are ignored. Cannot be rewound.
class InflatingByteSource final : public ByteSource {
public:
    // Stops with failed() once more than `maxOutputBytes` came out (a small hostile file cannot take
    // the memory of what is built from it).
    InflatingByteSource(ByteSource& compressed, std::uint64_t maxOutputBytes);
    ~InflatingByteSource() override;
    InflatingByteSource(const InflatingByteSource&) = delete;
    InflatingByteSource& operator=(const InflatingByteSource&) = delete;

    std::size_t read(char* buffer, std::size_t capacity) override;
    bool rewind() override { return false; }
    std::uint64_t size() const override { return 0; }

    // The stream ended with a correct trailer.
    bool complete() const { return state_ == State::Ended; }
    // The stream is corrupt or truncated, or inflated beyond the limit.
    bool failed() const { return state_ == State::Failed; }
    // Why it failed, with zlib's words for corrupt data; empty while it has not.
    const std::string& error() const { return error_; }

private:
    enum class State { Running, Ended, Failed };
    ByteSource& compressed_;
    std::uint64_t maxOutputBytes_;
    std::uint64_t produced_ = 0;
    z_stream_s* zs_;
    std::vector<char> input_;
    bool inputEnded_ = false;
    State state_ = State::Running;
    std::string error_;
    void fail(std::string reason);
};

// One zlib stream of `data` at `level` appended to `out`. False on a zlib error (`out` as it was).
bool zlibCompress(std::string_view data, int level, std::string& out);

// Inflates the zlib stream at the start of `stream` into `out` (replaced). False when the stream is
// corrupt or truncated, or would inflate to more than `maxBytes`.
bool zlibInflate(std::string_view stream, std::size_t maxBytes, std::string& out);

} // namespace selvir
