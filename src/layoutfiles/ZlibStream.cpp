#include "layoutfiles/ZlibStream.h"

#include <algorithm>
#include <string>
#include <utility>
#include <zlib.h>

namespace selvir {
namespace {

// zlib counts in uInt; larger pieces go through in slices.
constexpr std::size_t maxSlice = std::size_t{1} << 30;
constexpr std::size_t inputBlockBytes = std::size_t{64} << 10;
constexpr std::size_t minFreeOutputBytes = std::size_t{64} << 10;

unsigned sliceOf(std::size_t n) {
    return static_cast<unsigned>(std::min(n, maxSlice));
}

// zlib's message for a failed call: the stream's own when it left one, else the one of the code.
std::string zlibMessage(const z_stream& zs, int status) {
    return std::string("zlib: ") + (zs.msg != nullptr ? zs.msg : zError(status));
}

} // namespace

ZlibDeflater::ZlibDeflater(int level, std::string& out)
    : zs_(new z_stream{}), out_(out), produced_(out.size()) {
    const int status = deflateInit(zs_, level);
    ok_ = status == Z_OK;
    if (!ok_) {
        error_ = zlibMessage(*zs_, status);
    }
}

ZlibDeflater::~ZlibDeflater() {
    deflateEnd(zs_);
    delete zs_;
}

bool ZlibDeflater::run(int flush) {
    for (;;) {
        if (out_.size() - produced_ < minFreeOutputBytes) {
            out_.resize(std::max(out_.size() * 3 / 2, produced_ + minFreeOutputBytes * 4));
        }
        zs_->next_out = reinterpret_cast<Bytef*>(out_.data() + produced_);
        zs_->avail_out = sliceOf(out_.size() - produced_);
        const unsigned before = zs_->avail_out;
        const int status = deflate(zs_, flush);
        produced_ += before - zs_->avail_out;
        if (status == Z_STREAM_END) {
            return true;
        }
        if (status != Z_OK && status != Z_BUF_ERROR) {
            error_ = zlibMessage(*zs_, status);
            return false;
        }
        // Done with this piece once zlib took all input and left room in the output.
        if (flush == Z_NO_FLUSH && zs_->avail_in == 0 && zs_->avail_out > 0) {
            return true;
        }
    }
}

bool ZlibDeflater::write(std::string_view data) {
    while (ok_ && !data.empty()) {
        const unsigned slice = sliceOf(data.size());
        zs_->next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data()));
        zs_->avail_in = slice;
        ok_ = run(Z_NO_FLUSH);
        data.remove_prefix(slice);
    }
    return ok_;
}

bool ZlibDeflater::finish() {
    if (ok_) {
        zs_->next_in = nullptr;
        zs_->avail_in = 0;
        ok_ = run(Z_FINISH);
    }
    out_.resize(produced_);
    return ok_;
}

InflatingByteSource::InflatingByteSource(ByteSource& compressed, std::uint64_t maxOutputBytes)
    : compressed_(compressed), maxOutputBytes_(maxOutputBytes), zs_(new z_stream{}), input_(inputBlockBytes) {
    if (const int status = inflateInit(zs_); status != Z_OK) {
        fail(zlibMessage(*zs_, status));
    }
}

void InflatingByteSource::fail(std::string reason) {
    state_ = State::Failed;
    error_ = std::move(reason);
}

InflatingByteSource::~InflatingByteSource() {
    inflateEnd(zs_);
    delete zs_;
}

std::size_t InflatingByteSource::read(char* buffer, std::size_t capacity) {
    if (state_ != State::Running || capacity == 0) {
        return 0;
    }
    zs_->next_out = reinterpret_cast<Bytef*>(buffer);
    zs_->avail_out = sliceOf(capacity);
    const unsigned room = zs_->avail_out;
    while (zs_->avail_out == room) {
        if (zs_->avail_in == 0 && !inputEnded_) {
            const std::size_t got = compressed_.read(input_.data(), input_.size());
            inputEnded_ = got == 0;
            zs_->next_in = reinterpret_cast<Bytef*>(input_.data());
            zs_->avail_in = static_cast<unsigned>(got);
        }
        const int status = inflate(zs_, Z_NO_FLUSH);
        if (status == Z_STREAM_END) {
            state_ = State::Ended;
            break;
        }
        if (status == Z_BUF_ERROR && inputEnded_ && zs_->avail_in == 0) {
            fail("compressed data ends early");
            break;
        }
        if (status != Z_OK && status != Z_BUF_ERROR) {
            fail("compressed data corrupt (" + zlibMessage(*zs_, status) + ")");
            break;
        }
    }
    const std::size_t got = room - zs_->avail_out;
    produced_ += got;
    if (produced_ > maxOutputBytes_) {
        fail("text larger than " + std::to_string(maxOutputBytes_) + " bytes");
        return 0;
    }
    return got;
}

bool zlibCompress(std::string_view data, int level, std::string& out) {
    const std::size_t start = out.size();
    ZlibDeflater deflater(level, out);
    if (deflater.write(data) && deflater.finish()) {
        return true;
    }
    out.resize(start);
    return false;
}

bool zlibInflate(std::string_view stream, std::size_t maxBytes, std::string& out) {
    MemoryByteSource input(stream);
    InflatingByteSource inflater(input, maxBytes);
    out.clear();
    std::size_t produced = 0;
    for (;;) {
        if (out.size() - produced < minFreeOutputBytes) {
            out.resize(std::max(out.size() * 2, produced + minFreeOutputBytes * 4));
        }
        const std::size_t got = inflater.read(out.data() + produced, out.size() - produced);
        produced += got;
        if (got == 0) {
            break;
        }
    }
    if (!inflater.complete()) {
        out.clear();
        out.shrink_to_fit();
        return false;
    }
    out.resize(produced);
    return true;
}

} // namespace selvir
