#pragma once
// Command line of selvirhs-sim.

#include "sim/EchosounderMessages.h"
#include "sim/Faults.h"
#include "sim/Trajectory.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace selvir::sim {

enum class FaultTarget { Gnss, Sbes, Both };

struct SimOptions {
    TrajectorySettings trajectory;
    double rateHz = 5.0;    // GNSS epochs per second (GGA, RMC, VTG, HDT each; ZDA once a second)
    double sbesRateHz = 0;  // depth messages per second; 0: the GNSS rate
    double sbesOffsetS = 0; // the depth messages' schedule starts this long after the GNSS epochs'
    EchosounderFormat sbesFormat = EchosounderFormat::SelvirSmt;
    int fixQuality = 4;            // constant fix quality, unless cycled
    double fixCycleS = 0;          // > 0: fix quality steps through 4, 5, 2, 1 every this many seconds
    double crabDeg = 1.5;          // heading minus course over ground
    double draftM = 0.5;           // transducer depth below the surface
    double soundVelocity = 1500.0; // m/s of the water (raw depths are measured at 1500)
    double durationS = 0;          // 0: run until killed
    std::uint32_t seed = 1;

    FaultSettings faults;
    FaultTarget faultTarget = FaultTarget::Gnss;

    std::string writeMapping; // settings file to receive SERIAL_DEVICES keys
    // A stable name for the GNSS device, as /dev/serial/by-id gives one: a link kept pointing at the
    // current terminal (a replugged device is a new one), written into the mapping instead of it.
    std::string gnssLink;
    int gnssCom = 0;
    int sbesCom = 0;
    std::string truthFile;
    std::string commandsFile; // bytes the program sends to the GNSS port are appended here
    std::string replayGnss;   // raw logs to replay instead of the simulated streams
    std::string replaySbes;
    double replaySpeed = 1.0;
    bool replayLoop = false;
    bool help = false;
};

// Parses the arguments (without the program name). Returns nothing and sets `error` on bad input.
std::optional<SimOptions> parseSimOptions(const std::vector<std::string>& args, std::string& error);

const char* simUsage();

} // namespace selvir::sim
