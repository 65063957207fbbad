#pragma once
// The text of a Windows-style INI file held in memory, with the lookup rules of the Windows profile
// functions: section and key names match without regard to ASCII case and to blanks around them; a
// value loses the blanks around it and one pair of enclosing quotes. Lines the program does not
// understand (comments, blank lines, keys outside sections) are kept as they were.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace selvir {

class IniDocument {
public:
    IniDocument() = default;
    // Parses UTF-8 text; lines may end with LF or CR LF.
    static IniDocument parse(std::string_view text);
    // The text with every line ended by `lineEnd`.
    std::string serialize(std::string_view lineEnd = "\r\n") const;

    std::optional<std::string> value(std::string_view section, std::string_view key) const;
    // Replaces the key's line in the first section of that name, or adds the key (and the section).
    // Line breaks in the value become blanks, so a value can never break the file.
    void setValue(std::string_view section, std::string_view key, std::string_view value);
    bool removeKey(std::string_view section, std::string_view key);
    // Removes every section of that name with its lines.
    bool removeSection(std::string_view section);

    bool hasSection(std::string_view section) const;
    bool hasValue(std::string_view section, std::string_view key) const {
        return value(section, key).has_value();
    }
    std::vector<std::string> sectionNames() const;
    std::vector<std::string> keyNames(std::string_view section) const;

    bool empty() const { return lines_.empty(); }

private:
    enum class Kind { Other, Section, Key };
    struct Line {
        std::string text; // as in the file
        Kind kind = Kind::Other;
        std::string name;  // section or key name, trimmed
        std::string value; // key value, trimmed and unquoted
    };
    static Line classify(std::string text);
    // Index of the section header, or npos; `from` allows finding later sections of the same name.
    std::size_t findSection(std::string_view section, std::size_t from = 0) const;
    // One past the last line of the section starting at header index `header`.
    std::size_t sectionEnd(std::size_t header) const;

    std::vector<Line> lines_;
};

// Compares names as the profile functions do: blanks around them and ASCII case do not count.
bool sameProfileName(std::string_view a, std::string_view b);
std::string_view trimProfileBlanks(std::string_view text);

} // namespace selvir
