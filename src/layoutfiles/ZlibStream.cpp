#include "layoutfiles/ZlibStream.h"

#include <algorithm>
#include <climits>
#include <limits>
#include <zlib.h>

namespace selvir {
namespace {

// zlib counts in uInt; larger buffers go through in slices.
constexpr std::size_t maxSlice = std::size_t{1} << 30;

unsigned sliceOf(std::size_t n) {
    return static_cast<unsigned>(std::min(n, maxSlice));
}

} // namespace

bool zlibCompress(std::string_view data, int level, std::string& out) {
    z_stream zs{};
    if (deflateInit(&zs, level) != Z_OK) {
        return false;
    }
    const std::size_t start = out.size();
    const auto bound = deflateBound(&zs, static_cast<uLong>(std::min<std::size_t>(data.size(), ULONG_MAX)));
    out.resize(start + std::max<std::size_t>(bound, 64));

    auto* in = reinterpret_cast<const Bytef*>(data.data());
    std::size_t inLeft = data.size();
    std::size_t produced = 0;
    int status = Z_OK;
    while (status == Z_OK) {
        if (produced == out.size() - start) {
            out.resize(out.size() + (out.size() - start) / 2 + 4096);
        }
        zs.next_in = const_cast<Bytef*>(in);
        zs.avail_in = sliceOf(inLeft);
        zs.next_out = reinterpret_cast<Bytef*>(out.data() + start + produced);
        zs.avail_out = sliceOf(out.size() - start - produced);
        const unsigned inBefore = zs.avail_in;
        const unsigned outBefore = zs.avail_out;
        status = deflate(&zs, inLeft <= maxSlice ? Z_FINISH : Z_NO_FLUSH);
        in += inBefore - zs.avail_in;
        inLeft -= inBefore - zs.avail_in;
        produced += outBefore - zs.avail_out;
        if (status == Z_BUF_ERROR) {
            status = Z_OK; // needs more room; the loop grows the output
        }
    }
    deflateEnd(&zs);
    if (status != Z_STREAM_END) {
        out.resize(start);
        return false;
    }
    out.resize(start + produced);
    return true;
}

bool zlibInflate(std::string_view stream, std::size_t maxBytes, std::string& out) {
    out.clear();
    z_stream zs{};
    if (inflateInit(&zs) != Z_OK) {
        return false;
    }
    // Layout text shrinks to about a third; start near the final size and double when needed.
    std::size_t capacity = std::min(maxBytes, std::max<std::size_t>(stream.size() * 4, 4096));
    out.resize(capacity);
    auto* in = reinterpret_cast<const Bytef*>(stream.data());
    std::size_t inLeft = stream.size();
    std::size_t produced = 0;
    int status = Z_OK;
    for (;;) {
        if (produced == capacity) {
            if (capacity >= maxBytes) {
                status = Z_MEM_ERROR; // would exceed the limit
                break;
            }
            capacity = std::min(maxBytes, capacity * 2);
            out.resize(capacity);
        }
        zs.next_in = const_cast<Bytef*>(in);
        zs.avail_in = sliceOf(inLeft);
        zs.next_out = reinterpret_cast<Bytef*>(out.data() + produced);
        zs.avail_out = sliceOf(capacity - produced);
        const unsigned inBefore = zs.avail_in;
        const unsigned outBefore = zs.avail_out;
        status = inflate(&zs, Z_NO_FLUSH);
        in += inBefore - zs.avail_in;
        inLeft -= inBefore - zs.avail_in;
        produced += outBefore - zs.avail_out;
        if (status == Z_STREAM_END) {
            break;
        }
        if (status == Z_OK) {
            continue;
        }
        if (status == Z_BUF_ERROR && zs.avail_out == 0) {
            continue; // output full: grow and go on
        }
        break; // data error, dictionary needed, or input ended before the stream did
    }
    inflateEnd(&zs);
    if (status != Z_STREAM_END) {
        out.clear();
        out.shrink_to_fit();
        return false;
    }
    out.resize(produced);
    return true;
}

} // namespace selvir
