#pragma once
// The simulator's run: two pseudo-terminals, the vessel and the echosounder on a schedule, faults,
// replays, the truth file. Everything happens on one thread in a poll loop.

#include "sim/Faults.h"
#include "sim/PseudoTerminal.h"
#include "sim/RawLogReplay.h"
#include "sim/SimOptions.h"
#include "sim/Trajectory.h"
#include "sim/TruthLog.h"

#include <atomic>
#include <chrono>
#include <memory>
#include <string>
#include <vector>

namespace selvir::sim {

class Simulator {
public:
    explicit Simulator(SimOptions options);

    // Opens both terminals, loads replays, opens the truth file and writes the port mapping. Returns
    // false with a message when any of them fails.
    bool start(std::string& error);

    const std::string& gnssPath() const { return gnss_.slavePath(); }
    const std::string& sbesPath() const { return sbes_.slavePath(); }

    // Runs until the duration has passed or `stop` becomes true. Returns the process exit status.
    int run(const std::atomic<bool>& stop);

    // One step at `elapsedS` seconds after start: sends what is due. Returns the seconds until the
    // next thing is due. Public so tests can drive the schedule without waiting.
    double step(double elapsedS);

    PseudoTerminal& gnssTerminal() { return gnss_; }
    PseudoTerminal& sbesTerminal() { return sbes_; }
    std::uint64_t messagesSent() const { return messagesSent_; }

private:
    struct Stream {
        PseudoTerminal* terminal = nullptr;
        const char* name = "";
        bool faulty = false;
        std::vector<std::string> pendingPieces; // the rest of a split message
        double pendingAtS = 0;
        std::vector<ReplayLine> replay;
        std::size_t replayNext = 0;
        double replayBaseS = 0;
    };

    void sendGnssEpoch(double elapsedS);
    void sendSounding(double elapsedS);
    void sendReplay(Stream& stream, double elapsedS);
    void send(Stream& stream, const std::string& message, double elapsedS, TruthRecord record);
    void flushPending(Stream& stream, double elapsedS);
    LocalDateTime utcAt(double elapsedS) const;
    int fixQualityAt(double elapsedS) const;
    bool writeMapping(std::string& error) const;
    // Points the stable link at the current GNSS terminal, or writes the mapping again without one.
    bool pointLink(std::string& error) const;
    void removeLink() const;

    SimOptions options_;
    LawnMowerTrajectory trajectory_;
    FaultInjector faults_;
    PseudoTerminal gnss_;
    PseudoTerminal sbes_;
    Stream gnssStream_;
    Stream sbesStream_;
    TruthLog truth_;
    LocalDateTime startUtc_;
    std::uint64_t gnssEpoch_ = 0;
    std::uint64_t sounding_ = 0;
    std::uint64_t messagesSent_ = 0;
    bool gnssClosed_ = false;
    std::string commandsPath_;
};

} // namespace selvir::sim
