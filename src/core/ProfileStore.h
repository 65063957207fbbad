#pragma once
// The program's settings file: a Windows-style INI file, 8-bit Windows-1254 on disk and UTF-8 in the
// program. Every call opens the file, reads or writes it, and closes it again, so several windows and
// an editor can share it. A write goes to a temporary file that is renamed over the old one, so a
// crash never leaves a half-written settings file. Lookup rules are those of IniDocument.

#include "core/CodePage.h"
#include "core/IniDocument.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace selvir {

class ProfileStore {
public:
    explicit ProfileStore(std::filesystem::path file, CodePage codePage = CodePage::Windows1254);

    const std::filesystem::path& file() const { return file_; }

    // Readers return the default when the file, the section or the key is missing, or when the stored
    // text is not of the asked type (numbers that are not finite included).
    std::string readString(std::string_view section, std::string_view key,
                           std::string_view defaultValue = {}) const;
    // Decimal, or hexadecimal written "$1F" or "0x1F"; values outside int give the default.
    int readInteger(std::string_view section, std::string_view key, int defaultValue) const;
    double readFloat(std::string_view section, std::string_view key, double defaultValue) const;
    // Stored as an integer: any non-zero integer is true.
    bool readBool(std::string_view section, std::string_view key, bool defaultValue) const;
    // A colour value (red in the low byte) stored as a decimal integer, signed or unsigned.
    std::uint32_t readColor(std::string_view section, std::string_view key, std::uint32_t defaultValue) const;

    // Writers return false when the file could not be written (the old file is then unchanged).
    bool writeString(std::string_view section, std::string_view key, std::string_view value);
    bool writeInteger(std::string_view section, std::string_view key, long long value);
    bool writeFloat(std::string_view section, std::string_view key, double value);        // general format
    bool writeBool(std::string_view section, std::string_view key, bool value);           // "1" / "0"
    bool writeColor(std::string_view section, std::string_view key, std::uint32_t value); // signed decimal

    bool sectionExists(std::string_view section) const;
    bool valueExists(std::string_view section, std::string_view key) const;
    bool eraseSection(std::string_view section);
    bool deleteKey(std::string_view section, std::string_view key);
    std::vector<std::string> sectionNames() const;
    std::vector<std::string> keyNames(std::string_view section) const;

    // The whole document as it stands in the file now (empty when the file is missing or unreadable).
    IniDocument load() const;
    // Reads the file, lets `change` edit it, and writes it back once: for windows that store many keys.
    bool update(const std::function<void(IniDocument&)>& change);

private:
    std::optional<std::string> lookup(std::string_view section, std::string_view key) const;

    std::filesystem::path file_;
    CodePage codePage_;
};

// The same typed reads of a document already loaded, for records that read many keys at once.
int profileInteger(const IniDocument& doc, std::string_view section, std::string_view key, int defaultValue);
double profileFloat(const IniDocument& doc, std::string_view section, std::string_view key,
                    double defaultValue);
bool profileBool(const IniDocument& doc, std::string_view section, std::string_view key, bool defaultValue);
std::uint32_t profileColor(const IniDocument& doc, std::string_view section, std::string_view key,
                           std::uint32_t defaultValue);

} // namespace selvir
