#include "sim/Faults.h"

#include <cmath>

namespace selvir::sim {
namespace {

void addFault(std::string& faults, const char* name) {
    if (!faults.empty()) {
        faults += ';';
    }
    faults += name;
}

} // namespace

FaultInjector::FaultInjector(const FaultSettings& settings, std::uint32_t seed)
    : settings_(settings), random_(seed) {}

bool FaultInjector::silentAt(double elapsedS) const {
    if (settings_.silenceEveryS <= 0 || settings_.silenceForS <= 0 || elapsedS < settings_.silenceEveryS) {
        return false;
    }
    return std::fmod(elapsedS, settings_.silenceEveryS) < settings_.silenceForS;
}

bool FaultInjector::roll(double probability) {
    if (probability <= 0) {
        return false;
    }
    return std::uniform_real_distribution<double>(0.0, 1.0)(random_) < probability;
}

MangledMessage FaultInjector::apply(const std::string& message) {
    MangledMessage out;
    std::string text = message;
    if (roll(settings_.badChecksumProbability)) {
        const std::string changed = withBadChecksum(text);
        if (changed != text) {
            text = changed;
            addFault(out.faults, "bad_checksum");
        }
    }
    if (roll(settings_.nulProbability) && text.size() > 2) {
        const std::size_t at = std::uniform_int_distribution<std::size_t>(1, text.size() - 2)(random_);
        text.insert(at, 1, '\0');
        addFault(out.faults, "nul");
    }
    if (roll(settings_.garbageProbability)) {
        const int count = std::uniform_int_distribution<int>(1, 64)(random_);
        std::uniform_int_distribution<int> byte(0, 255);
        std::string garbage;
        while (static_cast<int>(garbage.size()) < count) {
            const char c = static_cast<char>(byte(random_));
            if (c != '\n') {
                garbage += c;
            }
        }
        text.insert(0, garbage);
        addFault(out.faults, "garbage");
    }
    if (roll(settings_.splitProbability) && text.size() > 1) {
        const std::size_t at = std::uniform_int_distribution<std::size_t>(1, text.size() - 1)(random_);
        out.pieces.push_back(text.substr(0, at));
        out.pieces.push_back(text.substr(at));
        addFault(out.faults, "split");
    } else {
        out.pieces.push_back(std::move(text));
    }
    return out;
}

std::string withBadChecksum(const std::string& message) {
    const std::size_t star = message.rfind('*');
    if (star == std::string::npos || star + 2 >= message.size()) {
        return message;
    }
    std::string changed = message;
    // Flip the low bit of the last digit's value: still a hexadecimal digit, never the right one.
    char& digit = changed[star + 2];
    static constexpr char kHex[] = "0123456789ABCDEF";
    const int value = (digit >= 'A') ? digit - 'A' + 10 : digit - '0';
    digit = kHex[(value ^ 1) & 0xF];
    return changed;
}

bool FaultInjector::unpluggedAt(double elapsedS) const {
    const FaultSettings& f = settings_;
    if (f.closeAfterS <= 0 || elapsedS < f.closeAfterS) {
        return false;
    }
    double sinceClose = elapsedS - f.closeAfterS;
    if (f.closeEveryS > 0) {
        sinceClose = std::fmod(sinceClose, f.closeEveryS);
    }
    return f.replugAfterS <= 0 || sinceClose < f.replugAfterS;
}

} // namespace selvir::sim
