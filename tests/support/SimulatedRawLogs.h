#pragma once
// Raw port logs of a simulated survey, as the program writes them with "NMEA LOG" and "Log Time" on:
// the simulator's vessel on its lawn-mower pattern, GGA, RMC, VTG and HDT each epoch and one NMEA DPT
// depth 40 ms after it, every line after its local date and time.

#include "core/AtomicFile.h"
#include "core/DateTime.h"
#include "sim/EchosounderMessages.h"
#include "sim/NmeaSentences.h"
#include "sim/Seabed.h"
#include "sim/Trajectory.h"

#include <cmath>
#include <cstdint>
#include <filesystem>
#include <string>

namespace selvir::test {

struct SimulatedLogs {
    std::uint64_t epochs = 0;
    std::uint64_t depths = 0;
};

// `rateHz` epochs per second for `seconds`, from `start`; depths reduced with `draftM` at 1500 m/s give
// the seabed depth. Returns the counts, or zero epochs when a file could not be written.
inline SimulatedLogs writeSimulatedRawLogs(const std::filesystem::path& gnssLog,
                                           const std::filesystem::path& sbesLog, const LocalDateTime& start,
                                           double seconds, double rateHz, double draftM) {
    constexpr int kDepthDelayMs = 40;
    const sim::LawnMowerTrajectory trajectory{sim::TrajectorySettings{}};
    std::string gnss, sbes;
    SimulatedLogs counts;
    auto logged = [](std::string& log, const LocalDateTime& time, const std::string& sentence) {
        log += formatDateTime(time);
        log += ' ';
        log.append(sentence, 0, sentence.find_last_not_of("\r\n") + 1);
        log += '\n';
    };
    for (std::uint64_t i = 0; static_cast<double>(i) < seconds * rateHz; ++i) {
        const double t = static_cast<double>(i) / rateHz;
        const LocalDateTime time = addMilliseconds(start, std::llround(t * 1000));
        const sim::VesselPose pose = trajectory.poseAt(t);
        sim::GnssEpoch epoch;
        epoch.utc = time;
        epoch.latitudeDeg = pose.latitudeDeg;
        epoch.longitudeDeg = pose.longitudeDeg;
        epoch.altitudeM = 2.0;
        epoch.separationM = 36.5;
        epoch.speedKnots = pose.speedKnots;
        epoch.courseDeg = pose.courseDeg;
        epoch.headingDeg = pose.courseDeg;
        for (const std::string& body :
             {sim::ggaBody(epoch), sim::rmcBody(epoch), sim::vtgBody(epoch), sim::hdtBody(epoch)}) {
            logged(gnss, time, sim::finishSentence(body));
        }
        sim::DepthSounding sounding;
        sounding.utc = time;
        sounding.rawHighM = std::round((sim::seabedDepthM(pose.eastM, pose.northM) - draftM) * 100) / 100;
        logged(sbes, addMilliseconds(time, kDepthDelayMs),
               sim::echosounderLine(sim::EchosounderFormat::NmeaDpt, sounding));
        ++counts.epochs;
        ++counts.depths;
    }
    if (!writeFileAtomically(gnssLog, gnss) || !writeFileAtomically(sbesLog, sbes)) {
        return {};
    }
    return counts;
}

} // namespace selvir::test
