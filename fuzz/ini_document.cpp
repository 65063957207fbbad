// Fuzzes the settings file reader: any bytes parse, serialise stably, and take a new value.
#include "core/CodePage.h"
#include "core/IniDocument.h"

#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const std::string text = selvir::toUtf8(bytes);
    selvir::IniDocument doc = selvir::IniDocument::parse(text);
    const std::string once = doc.serialize("\n");
    if (selvir::IniDocument::parse(once).serialize("\n") != once) {
        std::abort();
    }
    for (const std::string& section : doc.sectionNames()) {
        for (const std::string& key : doc.keyNames(section)) {
            if (!doc.value(section, key)) {
                std::abort();
            }
        }
    }
    // The fuzz input as a value must never add sections or lose the key.
    const auto sectionsBefore = doc.sectionNames().size() + (doc.hasSection("FUZZ") ? 0 : 1);
    doc.setValue("FUZZ", "Value", text);
    const selvir::IniDocument back = selvir::IniDocument::parse(doc.serialize("\r\n"));
    if (!back.value("FUZZ", "Value") || back.sectionNames().size() != sectionsBefore) {
        std::abort();
    }
    if (selvir::fromUtf8(selvir::toUtf8(bytes)) != bytes) {
        std::abort();
    }
    return 0;
}
