#include "serial/NmeaLineCutter.h"

#include "core/TextTrim.h"

#include <algorithm>
#include <cstring>

namespace selvir {

void NmeaLineCutter::append(std::string_view bytes) {
    if (std::memchr(bytes.data(), '\0', bytes.size()) == nullptr) {
        buffer_.append(bytes);
        return;
    }
    buffer_.reserve(buffer_.size() + bytes.size());
    for (char c : bytes) {
        if (c != '\0') {
            buffer_.push_back(c);
        }
    }
}

bool NmeaLineCutter::nextLine(std::string& line) {
    const std::size_t from = start_ + scanned_;
    const void* found =
        from < buffer_.size() ? std::memchr(buffer_.data() + from, '\n', buffer_.size() - from) : nullptr;
    if (found == nullptr) {
        scanned_ = buffer_.size() - start_;
        compact();
        return false;
    }
    const std::size_t end = static_cast<std::size_t>(static_cast<const char*>(found) - buffer_.data());
    const std::string_view raw(buffer_.data() + start_, end + 1 - start_);
    const std::string_view trimmed = trimmedControl(raw);
    line.assign(trimmed.data(), trimmed.size());
    start_ = end + 1;
    scanned_ = 0;
    return true;
}

void NmeaLineCutter::compact() {
    if (start_ > 0) {
        buffer_.erase(0, start_);
        start_ = 0;
    }
    if (buffer_.size() > kOverflowChars) {
        buffer_.erase(0, buffer_.size() - kKeptChars);
        scanned_ = buffer_.size();
        ++overflows_;
    }
}

void NmeaLineCutter::clear() {
    buffer_.clear();
    start_ = 0;
    scanned_ = 0;
}

} // namespace selvir
