#pragma once
// Faults the simulator injects on request, to show how the program copes with a bad line: periods of
// silence, garbage bytes before a sentence, NUL bytes inside one, sentences split across two writes,
// wrong checksums, and the device vanishing (closed) while the program has it open. Random choices
// come from a seeded generator, so a run can be repeated exactly.

#include <cstdint>
#include <random>
#include <string>
#include <vector>

namespace selvir::sim {

struct FaultSettings {
    double silenceEveryS = 0;          // a silence starts every this many seconds (0: never)
    double silenceForS = 0;            // and lasts this long
    double garbageProbability = 0;     // per message: 1..64 random bytes (no line feed) before it
    double nulProbability = 0;         // per message: a NUL byte inside it
    double splitProbability = 0;       // per message: written in two parts, the second a little later
    double badChecksumProbability = 0; // per message: checksum digits wrong
    double closeAfterS = 0;            // the device is closed this long after start (0: never)
    double replugAfterS = 0;           // and comes back, as a new device, this long after (0: never)
    double closeEveryS = 0;            // the close repeats this long after the last one (0: once)
};

struct MangledMessage {
    std::vector<std::string> pieces; // written one after another, with a pause between them
    std::string faults;              // what was done, ";"-separated (empty when nothing)
};

class FaultInjector {
public:
    FaultInjector(const FaultSettings& settings, std::uint32_t seed);

    const FaultSettings& settings() const { return settings_; }
    // True while a silence runs: nothing is sent.
    bool silentAt(double elapsedS) const;
    // Whether the device is unplugged at `elapsedS`: from closeAfterS, for replugAfterS (for good
    // when 0), again every closeEveryS.
    bool unpluggedAt(double elapsedS) const;
    // Applies the per-message faults that the dice choose.
    MangledMessage apply(const std::string& message);

private:
    bool roll(double probability);

    FaultSettings settings_;
    std::mt19937 random_;
};

// The message with its checksum digits replaced by a wrong value (unchanged when it has none).
std::string withBadChecksum(const std::string& message);

} // namespace selvir::sim
