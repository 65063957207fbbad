#include "core/IniDocument.h"

#include "core/TextTrim.h"

namespace selvir {
namespace {

constexpr std::size_t kNone = static_cast<std::size_t>(-1);

char asciiLower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

std::string withoutLineBreaks(std::string_view text) {
    std::string out(text);
    for (char& c : out) {
        if (c == '\r' || c == '\n') {
            c = ' ';
        }
    }
    return out;
}

} // namespace

std::string_view trimProfileBlanks(std::string_view text) {
    return trimmed(text, kWhiteSpace);
}

bool sameProfileName(std::string_view a, std::string_view b) {
    a = trimProfileBlanks(a);
    b = trimProfileBlanks(b);
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (asciiLower(a[i]) != asciiLower(b[i])) {
            return false;
        }
    }
    return true;
}

IniDocument::Line IniDocument::classify(std::string text) {
    Line line;
    line.text = std::move(text);
    const std::string_view trimmed = trimProfileBlanks(line.text);
    if (trimmed.empty() || trimmed.front() == ';' || trimmed.front() == '#') {
        return line;
    }
    if (trimmed.front() == '[') {
        std::string_view name = trimmed.substr(1);
        if (const auto close = name.rfind(']'); close != std::string_view::npos) {
            name = name.substr(0, close);
        }
        line.kind = Kind::Section;
        line.name = std::string(trimProfileBlanks(name));
        return line;
    }
    const auto equals = trimmed.find('=');
    if (equals == std::string_view::npos) {
        return line;
    }
    const std::string_view key = trimProfileBlanks(trimmed.substr(0, equals));
    if (key.empty()) {
        return line;
    }
    std::string_view value = trimProfileBlanks(trimmed.substr(equals + 1));
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front()) {
        value = value.substr(1, value.size() - 2);
    }
    line.kind = Kind::Key;
    line.name = std::string(key);
    line.value = std::string(value);
    return line;
}

IniDocument IniDocument::parse(std::string_view text) {
    IniDocument doc;
    std::size_t start = 0;
    while (start < text.size()) {
        auto end = text.find('\n', start);
        const bool last = end == std::string_view::npos;
        std::string_view line = text.substr(start, last ? std::string_view::npos : end - start);
        while (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1); // stray carriage returns would not survive a rewrite
        }
        doc.lines_.push_back(classify(std::string(line)));
        if (last) {
            break;
        }
        start = end + 1;
    }
    return doc;
}

std::string IniDocument::serialize(std::string_view lineEnd) const {
    std::string out;
    for (const Line& line : lines_) {
        out += line.text;
        out += lineEnd;
    }
    return out;
}

std::size_t IniDocument::findSection(std::string_view section, std::size_t from) const {
    for (std::size_t i = from; i < lines_.size(); ++i) {
        if (lines_[i].kind == Kind::Section && sameProfileName(lines_[i].name, section)) {
            return i;
        }
    }
    return kNone;
}

std::size_t IniDocument::sectionEnd(std::size_t header) const {
    std::size_t i = header + 1;
    while (i < lines_.size() && lines_[i].kind != Kind::Section) {
        ++i;
    }
    return i;
}

std::optional<std::string> IniDocument::value(std::string_view section, std::string_view key) const {
    for (std::size_t header = findSection(section); header != kNone;
         header = findSection(section, header + 1)) {
        const std::size_t end = sectionEnd(header);
        for (std::size_t i = header + 1; i < end; ++i) {
            if (lines_[i].kind == Kind::Key && sameProfileName(lines_[i].name, key)) {
                return lines_[i].value;
            }
        }
    }
    return std::nullopt;
}

void IniDocument::setValue(std::string_view section, std::string_view key, std::string_view value) {
    const std::string keyName = withoutLineBreaks(trimProfileBlanks(key));
    const std::string text = keyName + "=" + withoutLineBreaks(value);
    std::size_t header = findSection(section);
    if (header == kNone) {
        if (!lines_.empty() && !trimProfileBlanks(lines_.back().text).empty()) {
            lines_.push_back(classify(""));
        }
        lines_.push_back(classify("[" + withoutLineBreaks(trimProfileBlanks(section)) + "]"));
        lines_.push_back(classify(text));
        return;
    }
    const std::size_t end = sectionEnd(header);
    std::size_t insertAt = header + 1;
    for (std::size_t i = header + 1; i < end; ++i) {
        if (lines_[i].kind == Kind::Key) {
            if (sameProfileName(lines_[i].name, keyName)) {
                lines_[i] = classify(text);
                return;
            }
            insertAt = i + 1;
        }
    }
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(insertAt), classify(text));
}

bool IniDocument::removeKey(std::string_view section, std::string_view key) {
    bool removed = false;
    for (std::size_t header = findSection(section); header != kNone;
         header = findSection(section, header + 1)) {
        for (std::size_t i = header + 1; i < sectionEnd(header);) {
            if (lines_[i].kind == Kind::Key && sameProfileName(lines_[i].name, key)) {
                lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(i));
                removed = true;
            } else {
                ++i;
            }
        }
    }
    return removed;
}

bool IniDocument::removeSection(std::string_view section) {
    bool removed = false;
    for (std::size_t header = findSection(section); header != kNone; header = findSection(section, header)) {
        lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(header),
                     lines_.begin() + static_cast<std::ptrdiff_t>(sectionEnd(header)));
        removed = true;
    }
    return removed;
}

bool IniDocument::hasSection(std::string_view section) const {
    return findSection(section) != kNone;
}

std::vector<std::string> IniDocument::sectionNames() const {
    std::vector<std::string> names;
    for (const Line& line : lines_) {
        if (line.kind != Kind::Section) {
            continue;
        }
        bool seen = false;
        for (const std::string& name : names) {
            seen = seen || sameProfileName(name, line.name);
        }
        if (!seen) {
            names.push_back(line.name);
        }
    }
    return names;
}

std::vector<std::string> IniDocument::keyNames(std::string_view section) const {
    std::vector<std::string> names;
    for (std::size_t header = findSection(section); header != kNone;
         header = findSection(section, header + 1)) {
        const std::size_t end = sectionEnd(header);
        for (std::size_t i = header + 1; i < end; ++i) {
            if (lines_[i].kind != Kind::Key) {
                continue;
            }
            bool seen = false;
            for (const std::string& name : names) {
                seen = seen || sameProfileName(name, lines_[i].name);
            }
            if (!seen) {
                names.push_back(lines_[i].name);
            }
        }
    }
    return names;
}

} // namespace selvir
