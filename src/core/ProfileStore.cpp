#include "core/ProfileStore.h"

#include "core/AtomicFile.h"
#include "core/NumberFormat.h"

#include <charconv>
#include <climits>

namespace selvir {
namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

std::optional<long long> parseProfileInteger(std::string_view text) {
    text = trimProfileBlanks(text);
    bool negative = false;
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    int base = 10;
    if (!text.empty() && text.front() == '$') {
        base = 16;
        text.remove_prefix(1);
    } else if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        base = 16;
        text.remove_prefix(2);
    }
    if (text.empty() || text.front() == '-' || text.front() == '+') {
        return std::nullopt;
    }
    unsigned long long magnitude = 0;
    auto result = std::from_chars(text.data(), text.data() + text.size(), magnitude, base);
    if (result.ec != std::errc() || result.ptr != text.data() + text.size() || magnitude > (1ULL << 63)) {
        return std::nullopt;
    }
    if (negative) {
        return magnitude == (1ULL << 63) ? LLONG_MIN : -static_cast<long long>(magnitude);
    }
    if (magnitude == (1ULL << 63)) {
        return std::nullopt;
    }
    return static_cast<long long>(magnitude);
}

} // namespace

ProfileStore::ProfileStore(std::filesystem::path file, CodePage codePage)
    : file_(std::move(file)), codePage_(codePage) {}

IniDocument ProfileStore::load() const {
    std::string bytes;
    if (!readWholeFile(file_, bytes)) {
        return {};
    }
    if (bytes.starts_with(kUtf8Bom)) {
        return IniDocument::parse(std::string_view(bytes).substr(kUtf8Bom.size()));
    }
    return IniDocument::parse(toUtf8(bytes, codePage_));
}

bool ProfileStore::update(const std::function<void(IniDocument&)>& change) {
    std::string bytes;
    const bool existed = readWholeFile(file_, bytes);
    std::string lineEnd = "\r\n";
    if (existed && bytes.find('\n') != std::string::npos && bytes.find("\r\n") == std::string::npos) {
        lineEnd = "\n"; // keep the convention of a file written on this platform by hand
    }
    IniDocument doc;
    if (existed) {
        doc = bytes.starts_with(kUtf8Bom)
                  ? IniDocument::parse(std::string_view(bytes).substr(kUtf8Bom.size()))
                  : IniDocument::parse(toUtf8(bytes, codePage_));
    }
    change(doc);
    return writeFileAtomically(file_, fromUtf8(doc.serialize(lineEnd), codePage_));
}

std::optional<std::string> ProfileStore::lookup(std::string_view section, std::string_view key) const {
    return load().value(section, key);
}

std::string ProfileStore::readString(std::string_view section, std::string_view key,
                                     std::string_view defaultValue) const {
    auto value = lookup(section, key);
    return value ? *value : std::string(defaultValue);
}

int ProfileStore::readInteger(std::string_view section, std::string_view key, int defaultValue) const {
    return profileInteger(load(), section, key, defaultValue);
}

double ProfileStore::readFloat(std::string_view section, std::string_view key, double defaultValue) const {
    return profileFloat(load(), section, key, defaultValue);
}

bool ProfileStore::readBool(std::string_view section, std::string_view key, bool defaultValue) const {
    return profileBool(load(), section, key, defaultValue);
}

std::uint32_t ProfileStore::readColor(std::string_view section, std::string_view key,
                                      std::uint32_t defaultValue) const {
    return profileColor(load(), section, key, defaultValue);
}

int profileInteger(const IniDocument& doc, std::string_view section, std::string_view key, int defaultValue) {
    const auto text = doc.value(section, key);
    const auto value = text ? parseProfileInteger(*text) : std::nullopt;
    if (!value || *value < INT_MIN || *value > INT_MAX) {
        return defaultValue;
    }
    return static_cast<int>(*value);
}

double profileFloat(const IniDocument& doc, std::string_view section, std::string_view key,
                    double defaultValue) {
    const auto text = doc.value(section, key);
    return text ? parseFiniteDouble(*text).value_or(defaultValue) : defaultValue;
}

bool profileBool(const IniDocument& doc, std::string_view section, std::string_view key, bool defaultValue) {
    const auto text = doc.value(section, key);
    const auto value = text ? parseProfileInteger(*text) : std::nullopt;
    return value ? *value != 0 : defaultValue;
}

std::uint32_t profileColor(const IniDocument& doc, std::string_view section, std::string_view key,
                           std::uint32_t defaultValue) {
    const auto text = doc.value(section, key);
    const auto value = text ? parseProfileInteger(*text) : std::nullopt;
    if (!value || *value < INT_MIN || *value > static_cast<long long>(UINT32_MAX)) {
        return defaultValue;
    }
    return static_cast<std::uint32_t>(*value);
}

bool ProfileStore::writeString(std::string_view section, std::string_view key, std::string_view value) {
    return update([&](IniDocument& doc) { doc.setValue(section, key, value); });
}

bool ProfileStore::writeInteger(std::string_view section, std::string_view key, long long value) {
    return writeString(section, key, std::to_string(value));
}

bool ProfileStore::writeFloat(std::string_view section, std::string_view key, double value) {
    return writeString(section, key, formatGeneral(value));
}

bool ProfileStore::writeBool(std::string_view section, std::string_view key, bool value) {
    return writeString(section, key, value ? "1" : "0");
}

bool ProfileStore::writeColor(std::string_view section, std::string_view key, std::uint32_t value) {
    return writeInteger(section, key, static_cast<std::int32_t>(value));
}

bool ProfileStore::sectionExists(std::string_view section) const {
    return load().hasSection(section);
}

bool ProfileStore::valueExists(std::string_view section, std::string_view key) const {
    return load().hasValue(section, key);
}

bool ProfileStore::eraseSection(std::string_view section) {
    if (!sectionExists(section)) {
        return true;
    }
    return update([&](IniDocument& doc) { doc.removeSection(section); });
}

bool ProfileStore::deleteKey(std::string_view section, std::string_view key) {
    if (!valueExists(section, key)) {
        return true;
    }
    return update([&](IniDocument& doc) { doc.removeKey(section, key); });
}

std::vector<std::string> ProfileStore::sectionNames() const {
    return load().sectionNames();
}

std::vector<std::string> ProfileStore::keyNames(std::string_view section) const {
    return load().keyNames(section);
}

} // namespace selvir
