// selvirhs-tool settings: read or write one value of a settings file the way the program does (keys
// matched without regard to case and blanks around them, atomic writes, Windows-1254 on disk).
#include "cli/Commands.h"
#include "core/ProfileStore.h"

#include <ostream>

namespace selvir::cli {

int runSettingsCommand(CommandArgs args, CommandStreams streams) {
    bool onlyIfMissing = false;
    std::vector<std::string> rest;
    for (const std::string& arg : args) {
        if (arg == "--if-missing") {
            onlyIfMissing = true;
        } else {
            rest.push_back(arg);
        }
    }
    if (rest.size() != 3 && rest.size() != 4) {
        streams.err << "usage: selvirhs-tool settings [--if-missing] FILE SECTION KEY [VALUE]\n";
        return 2;
    }
    ProfileStore store(rest[0]);
    const std::string& section = rest[1];
    const std::string& key = rest[2];
    if (rest.size() == 3) {
        if (!store.valueExists(section, key)) {
            streams.err << "selvirhs-tool settings: no key \"" << key << "\" in section [" << section
                        << "]\n";
            return 1;
        }
        streams.out << store.readString(section, key) << '\n';
        return 0;
    }
    if (onlyIfMissing && store.valueExists(section, key)) {
        return 0;
    }
    if (!store.writeString(section, key, rest[3])) {
        streams.err << "selvirhs-tool settings: cannot write " << rest[0] << '\n';
        return 1;
    }
    return 0;
}

} // namespace selvir::cli
