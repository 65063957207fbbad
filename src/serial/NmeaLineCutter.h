#pragma once
// Cuts a received byte stream into text lines. A line ends at a line feed (a carriage return alone
// never ends one); it is trimmed of every character with a code <= 32 at both ends, so CR, LF, blanks
// and other control characters go. Bytes without a line feed wait in the buffer; when it passes
// 4096 characters without one, only its last 2048 are kept, so garbage cannot grow memory.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace selvir {

class NmeaLineCutter {
public:
    static constexpr std::size_t kOverflowChars = 4096;
    static constexpr std::size_t kKeptChars = 2048;

    // Appends received bytes. NUL bytes are dropped: line noise must not cost the bytes after it.
    void append(std::string_view bytes);

    // Takes the next line up to its line feed and trims it. Returns false when no line feed remains
    // (the overflow rule is then applied). The line may be empty after trimming.
    bool nextLine(std::string& line);

    // Characters received and not yet cut into lines.
    std::string_view buffer() const { return std::string_view(buffer_).substr(start_); }
    void clear();
    // Times the overflow rule dropped characters.
    std::uint64_t overflowCount() const { return overflows_; }

private:
    void compact();

    std::string buffer_;
    std::size_t start_ = 0;   // first character not yet taken
    std::size_t scanned_ = 0; // characters from start_ known to hold no line feed
    std::uint64_t overflows_ = 0;
};

} // namespace selvir
