#include "layoutfiles/LineReader.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace selvir {

FileByteSource::FileByteSource(const std::filesystem::path& file) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(std::filesystem::status(file, ec))) {
        openError_ = ec ? ec.message() : "not a regular file";
        return;
    }
#ifdef _WIN32
    file_ = _wfopen(file.c_str(), L"rb");
#else
    file_ = std::fopen(file.c_str(), "rb");
#endif
    if (file_ == nullptr) {
        openError_ = std::strerror(errno);
    } else {
        const auto bytes = std::filesystem::file_size(file, ec);
        size_ = ec ? 0 : bytes;
    }
}

FileByteSource::~FileByteSource() {
    if (file_ != nullptr) {
        std::fclose(file_);
    }
}

std::size_t FileByteSource::read(char* buffer, std::size_t capacity) {
    return file_ == nullptr ? 0 : std::fread(buffer, 1, capacity, file_);
}

bool FileByteSource::rewind() {
    if (file_ == nullptr) {
        return false;
    }
    std::clearerr(file_);
    return std::fseek(file_, 0, SEEK_SET) == 0;
}

std::size_t MemoryByteSource::read(char* buffer, std::size_t capacity) {
    const std::size_t n = std::min(capacity, bytes_.size() - position_);
    std::memcpy(buffer, bytes_.data() + position_, n);
    position_ += n;
    return n;
}

LineReader::LineReader(ByteSource& source, bool crEndsLine, std::size_t maxLineBytes, std::size_t bufferBytes)
    : source_(source), crEndsLine_(crEndsLine), maxLineBytes_(std::max<std::size_t>(maxLineBytes, 64)),
      buffer_(std::clamp<std::size_t>(bufferBytes, 64, maxLineBytes_)) {}

bool LineReader::restart() {
    begin_ = end_ = 0;
    eof_ = false;
    skipLeadingLf_ = false;
    inLongLine_ = false;
    consumed_ = 0;
    return source_.rewind();
}

bool LineReader::fill() {
    if (eof_) {
        return false;
    }
    if (begin_ > 0) {
        std::memmove(buffer_.data(), buffer_.data() + begin_, end_ - begin_);
        end_ -= begin_;
        begin_ = 0;
    }
    if (end_ == buffer_.size()) {
        if (buffer_.size() >= maxLineBytes_) {
            return false;
        }
        // A line longer than the buffer: grow it, up to the longest line kept.
        buffer_.resize(std::min(maxLineBytes_, buffer_.size() * 2));
    }
    const std::size_t got = source_.read(buffer_.data() + end_, buffer_.size() - end_);
    if (got == 0) {
        eof_ = true;
        return false;
    }
    end_ += got;
    return true;
}

const char* LineReader::findLineEnd(const char* from, const char* to) const {
    if (!crEndsLine_) {
        return static_cast<const char*>(std::memchr(from, '\n', static_cast<std::size_t>(to - from)));
    }
    const char* hit = std::find_if(from, to, [](char c) { return c == '\n' || c == '\r'; });
    return hit == to ? nullptr : hit;
}

void LineReader::skipRestOfLongLine() {
    for (;;) {
        const char* data = buffer_.data();
        const char* hit = findLineEnd(data + begin_, data + end_);
        if (hit != nullptr) {
            const auto skipped = static_cast<std::size_t>(hit - (data + begin_)) + 1;
            consumed_ += skipped;
            skipLeadingLf_ = *hit == '\r';
            begin_ += skipped;
            inLongLine_ = false;
            return;
        }
        consumed_ += end_ - begin_;
        begin_ = end_ = 0;
        if (!fill()) {
            inLongLine_ = false;
            return;
        }
    }
}

bool LineReader::next(std::string_view& line) {
    if (inLongLine_) {
        skipRestOfLongLine();
    }
    std::size_t searched = 0; // bytes after begin_ already known to hold no line end
    for (;;) {
        if (skipLeadingLf_ && begin_ < end_) {
            skipLeadingLf_ = false;
            if (buffer_[begin_] == '\n') {
                ++begin_;
                ++consumed_;
            }
        }
        const char* data = buffer_.data();
        const char* hit = skipLeadingLf_ ? nullptr : findLineEnd(data + begin_ + searched, data + end_);
        if (hit != nullptr) {
            const auto length = static_cast<std::size_t>(hit - (data + begin_));
            line = std::string_view(data + begin_, length);
            begin_ += length + 1;
            consumed_ += length + 1;
            skipLeadingLf_ = *hit == '\r';
            return true;
        }
        searched = skipLeadingLf_ ? 0 : end_ - begin_;
        if (!fill()) {
            if (end_ - begin_ == maxLineBytes_) {
                // An overlong line: hand out what fits, skip the rest on the next call.
                line = std::string_view(buffer_.data(), buffer_.size());
                consumed_ += buffer_.size();
                begin_ = end_ = 0;
                inLongLine_ = true;
                return true;
            }
            if (begin_ < end_) {
                line = std::string_view(buffer_.data() + begin_, end_ - begin_);
                consumed_ += end_ - begin_;
                begin_ = end_;
                return true;
            }
            return false;
        }
    }
}

} // namespace selvir
