#pragma once
// Sequential line reading of a byte source through one fixed buffer, for the readers that never hold
// a whole file in memory (DXF, XYZ). A source can be rewound, so a reader can make several passes.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace selvir {

class ByteSource {
public:
    virtual ~ByteSource() = default;
    // Reads up to `capacity` bytes; 0 at the end (or on a read error).
    virtual std::size_t read(char* buffer, std::size_t capacity) = 0;
    // Back to byte 0. False when the source cannot be rewound.
    virtual bool rewind() = 0;
    // Total size in bytes, when known (0 otherwise); for progress reports.
    virtual std::uint64_t size() const = 0;
};

// A file opened for binary reading. Check isOpen() before use; openError() says why it is not.
class FileByteSource final : public ByteSource {
public:
    explicit FileByteSource(const std::filesystem::path& file);
    ~FileByteSource() override;
    FileByteSource(const FileByteSource&) = delete;
    FileByteSource& operator=(const FileByteSource&) = delete;

    bool isOpen() const { return file_ != nullptr; }
    // The system's words for why the file could not be opened ("not a regular file" for a folder).
    const std::string& openError() const { return openError_; }
    // A read error happened (read() then returned 0 as at the end).
    bool failed() const { return file_ != nullptr && std::ferror(file_) != 0; }
    std::size_t read(char* buffer, std::size_t capacity) override;
    bool rewind() override;
    std::uint64_t size() const override { return size_; }

private:
    std::FILE* file_ = nullptr;
    std::uint64_t size_ = 0;
    std::string openError_;
};

// Bytes held by the caller (tests, fuzzing); they must outlive the source.
class MemoryByteSource final : public ByteSource {
public:
    explicit MemoryByteSource(std::string_view bytes) : bytes_(bytes) {}
    std::size_t read(char* buffer, std::size_t capacity) override;
    bool rewind() override {
        position_ = 0;
        return true;
    }
    std::uint64_t size() const override { return bytes_.size(); }

private:
    std::string_view bytes_;
    std::size_t position_ = 0;
};

class LineReader {
public:
    // Lines end at LF; with `crEndsLine` also at a lone CR (a CR LF pair is one line end). A line longer
    // than `maxLineBytes` keeps its first `maxLineBytes` bytes and the rest of it is skipped, so the
    // memory used is bounded whatever the input.
    static constexpr std::size_t defaultMaxLineBytes = std::size_t{1} << 20;
    // `bufferBytes` is the buffer to start with (reads fill it); it grows only for longer lines.
    explicit LineReader(ByteSource& source, bool crEndsLine = false,
                        std::size_t maxLineBytes = defaultMaxLineBytes,
                        std::size_t bufferBytes = std::size_t{64} << 10);

    // The next line without its line end; the view stays valid until the next call. False at the end.
    bool next(std::string_view& line);
    // Rewinds the source and starts again at byte 0.
    bool restart();
    // Bytes of the source consumed so far (lines returned and their line ends).
    std::uint64_t position() const { return consumed_; }
    std::uint64_t size() const { return source_.size(); }

private:
    bool fill();
    const char* findLineEnd(const char* from, const char* to) const;
    void skipRestOfLongLine();

    ByteSource& source_;
    bool crEndsLine_;
    std::size_t maxLineBytes_;
    std::vector<char> buffer_; // grows up to maxLineBytes_ for long lines
    std::size_t begin_ = 0;    // first unread byte
    std::size_t end_ = 0;      // one past the last byte in the buffer
    bool eof_ = false;
    bool skipLeadingLf_ = false; // the previous line ended with a CR that may pair with an LF
    bool inLongLine_ = false;    // the rest of an overlong line is still to be skipped
    std::uint64_t consumed_ = 0;
};

} // namespace selvir
