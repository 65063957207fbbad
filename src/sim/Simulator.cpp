#include "sim/Simulator.h"

#include "core/AtomicFile.h"
#include "core/NumberFormat.h"
#include "core/ProfileStore.h"
#include "sim/EchosounderMessages.h"
#include "sim/NmeaSentences.h"
#include "sim/Seabed.h"

#include <algorithm>
#include <cmath>
#include <ctime>
#include <filesystem>
#include <iostream>
#include <numbers>
#include <poll.h>

namespace selvir::sim {
namespace {

constexpr double kSplitPauseS = 0.02;
constexpr double kMaxWaitS = 0.05;
constexpr double kGeoidSeparationM = 36.5;
constexpr double kAntennaAltitudeM = 2.0; // above the geoid at mean sea level
constexpr double kTideAmplitudeM = 0.3;
constexpr double kTidePeriodS = 12.42 * 3600.0;
constexpr int kFixCycle[] = {4, 5, 2, 1};

LocalDateTime utcNow() {
    const auto now = std::chrono::system_clock::now();
    const std::time_t seconds = std::chrono::system_clock::to_time_t(now);
    std::tm parts{};
    gmtime_r(&seconds, &parts);
    LocalDateTime time;
    time.date = {parts.tm_year + 1900, parts.tm_mon + 1, parts.tm_mday};
    time.hour = parts.tm_hour;
    time.minute = parts.tm_min;
    time.second = parts.tm_sec;
    time.millisecond = static_cast<int>(
        std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count() % 1000);
    return time;
}

std::string isoTime(const LocalDateTime& t) {
    std::string text = formatDate(t.date) + "T";
    auto two = [](int v) { return std::string(v < 10 ? "0" : "") + std::to_string(v); };
    text += two(t.hour) + ":" + two(t.minute) + ":" + two(t.second) + ".";
    text += std::string(t.millisecond < 100 ? (t.millisecond < 10 ? "00" : "0") : "") +
            std::to_string(t.millisecond);
    return text;
}

// The depth as the message writes it (two decimals), so the truth is what a reader gets.
double asSent(double metres) {
    return parseDouble(formatFixed(std::max(0.0, metres), 2)).value_or(0.0);
}

// After a stall (the process stopped, the machine suspended) the schedule resumes now instead of
// sending every missed message at once.
void skipMissed(std::uint64_t& index, double periodS, double elapsedS) {
    const double due = static_cast<double>(index) * periodS;
    if (elapsedS - due > 1.0) {
        index = static_cast<std::uint64_t>(std::floor(elapsedS / periodS));
    }
}

} // namespace

Simulator::Simulator(SimOptions options)
    : options_(std::move(options)), trajectory_(options_.trajectory), faults_(options_.faults, options_.seed),
      startUtc_(utcNow()) {
    gnssStream_.terminal = &gnss_;
    gnssStream_.name = "gnss";
    gnssStream_.faulty = options_.faultTarget != FaultTarget::Sbes;
    sbesStream_.terminal = &sbes_;
    sbesStream_.name = "sbes";
    sbesStream_.faulty = options_.faultTarget != FaultTarget::Gnss;
    if (options_.sbesRateHz <= 0) {
        options_.sbesRateHz = options_.rateHz;
    }
}

bool Simulator::start(std::string& error) {
    if (!gnss_.open(&error) || !sbes_.open(&error)) {
        return false;
    }
    if (!options_.replayGnss.empty() &&
        !loadReplay(options_.replayGnss, options_.replaySpeed, gnssStream_.replay, &error)) {
        return false;
    }
    if (!options_.replaySbes.empty() &&
        !loadReplay(options_.replaySbes, options_.replaySpeed, sbesStream_.replay, &error)) {
        return false;
    }
    if (!options_.truthFile.empty() && !truth_.open(options_.truthFile)) {
        error = "cannot write the truth file " + options_.truthFile;
        return false;
    }
    if (!options_.gnssLink.empty() && !pointLink(error)) {
        return false;
    }
    return writeMapping(error);
}

bool Simulator::pointLink(std::string& error) const {
    if (options_.gnssLink.empty()) {
        return writeMapping(error);
    }
    // A new link beside the old one, renamed over it: the program never finds the name missing.
    const std::filesystem::path link = options_.gnssLink;
    const std::filesystem::path fresh = link.string() + ".new";
    std::error_code ec;
    std::filesystem::remove(fresh, ec);
    std::filesystem::create_symlink(gnss_.slavePath(), fresh, ec);
    if (!ec) {
        std::filesystem::rename(fresh, link, ec);
    }
    if (ec) {
        error = "cannot point " + link.string() + " at " + gnss_.slavePath() + ": " + ec.message();
        return false;
    }
    return true;
}

void Simulator::removeLink() const {
    // As udev drops a by-id link on unplug: a stale link would name whatever terminal takes the number.
    if (!options_.gnssLink.empty()) {
        std::error_code ec;
        std::filesystem::remove(options_.gnssLink, ec);
    }
}

bool Simulator::writeMapping(std::string& error) const {
    if (options_.writeMapping.empty()) {
        return true;
    }
    ProfileStore store(options_.writeMapping);
    const bool written = store.update([&](IniDocument& document) {
        document.setValue("SERIAL_DEVICES", "COM" + std::to_string(options_.gnssCom),
                          options_.gnssLink.empty() ? gnss_.slavePath() : options_.gnssLink);
        document.setValue("SERIAL_DEVICES", "COM" + std::to_string(options_.sbesCom), sbes_.slavePath());
    });
    if (!written) {
        error = "cannot write the port mapping into " + options_.writeMapping;
    }
    return written;
}

LocalDateTime Simulator::utcAt(double elapsedS) const {
    return addMilliseconds(startUtc_, static_cast<std::int64_t>(std::llround(elapsedS * 1000.0)));
}

int Simulator::fixQualityAt(double elapsedS) const {
    if (options_.fixCycleS <= 0) {
        return options_.fixQuality;
    }
    const auto index = static_cast<std::size_t>(elapsedS / options_.fixCycleS) % std::size(kFixCycle);
    return kFixCycle[index];
}

void Simulator::send(Stream& stream, const std::string& message, double elapsedS, TruthRecord record) {
    record.elapsedS = elapsedS;
    record.stream = stream.name;
    std::vector<std::string> pieces;
    if (stream.faulty) {
        MangledMessage mangled = faults_.apply(message);
        record.faults = mangled.faults;
        pieces = std::move(mangled.pieces);
    } else {
        pieces.push_back(message);
    }
    if (!stream.pendingPieces.empty()) {
        // A split message is still waiting for its second part: keep the bytes in order.
        stream.pendingPieces.insert(stream.pendingPieces.end(), pieces.begin(), pieces.end());
    } else {
        const long written = stream.terminal->write(pieces.front());
        if (written < static_cast<long>(pieces.front().size())) {
            // Nobody reads the port and its queue is full: the line lost this, as a real one would.
            record.faults += record.faults.empty() ? "dropped" : ";dropped";
        }
        if (pieces.size() > 1) {
            stream.pendingPieces.assign(pieces.begin() + 1, pieces.end());
            stream.pendingAtS = elapsedS + kSplitPauseS;
        }
    }
    ++messagesSent_;
    truth_.write(record);
}

void Simulator::flushPending(Stream& stream, double elapsedS) {
    if (stream.pendingPieces.empty() || elapsedS < stream.pendingAtS) {
        return;
    }
    for (const std::string& piece : stream.pendingPieces) {
        stream.terminal->write(piece);
    }
    stream.pendingPieces.clear();
}

void Simulator::sendGnssEpoch(double elapsedS) {
    const VesselPose pose = trajectory_.poseAt(elapsedS);
    GnssEpoch epoch;
    epoch.utc = utcAt(elapsedS);
    epoch.latitudeDeg = pose.latitudeDeg;
    epoch.longitudeDeg = pose.longitudeDeg;
    epoch.fixQuality = fixQualityAt(elapsedS);
    epoch.satellites = epoch.fixQuality >= 4 ? 16 : 11;
    epoch.altitudeM =
        kAntennaAltitudeM + kTideAmplitudeM * std::sin(2.0 * std::numbers::pi * elapsedS / kTidePeriodS);
    epoch.separationM = kGeoidSeparationM;
    epoch.speedKnots = pose.speedKnots;
    epoch.courseDeg = pose.courseDeg;
    epoch.headingDeg = std::fmod(pose.courseDeg + options_.crabDeg + 360.0, 360.0);

    NmeaCoordinateText latitude;
    NmeaCoordinateText longitude;
    const std::string gga = finishSentence(ggaBody(epoch, &latitude, &longitude));
    TruthRecord record;
    record.utc = isoTime(epoch.utc);
    record.latitudeDeg = epoch.fixQuality == 0 ? 0.0 : latitude.decodedDeg;
    record.longitudeDeg = epoch.fixQuality == 0 ? 0.0 : longitude.decodedDeg;
    record.altitudeM = parseDouble(formatFixed(epoch.altitudeM, 3)).value_or(0.0);
    record.fixQuality = epoch.fixQuality;
    record.satellites = epoch.satellites;
    record.speedKnots = epoch.speedKnots;
    record.courseDeg = epoch.courseDeg;
    record.headingDeg = epoch.headingDeg;
    record.depthM = seabedDepthM(pose.eastM, pose.northM);

    auto sendOne = [&](const char* type, const std::string& sentence) {
        TruthRecord r = record;
        r.message = type;
        send(gnssStream_, sentence, elapsedS, r);
    };
    sendOne("GGA", gga);
    sendOne("RMC", finishSentence(rmcBody(epoch)));
    sendOne("VTG", finishSentence(vtgBody(epoch)));
    sendOne("HDT", finishSentence(hdtBody(epoch)));
    const auto perSecond = static_cast<std::uint64_t>(std::max(1.0, std::round(options_.rateHz)));
    if (gnssEpoch_ % perSecond == 0) {
        sendOne("ZDA", finishSentence(zdaBody(epoch)));
    }
}

void Simulator::sendSounding(double elapsedS) {
    const VesselPose pose = trajectory_.poseAt(elapsedS);
    const double depth = seabedDepthM(pose.eastM, pose.northM);
    const double scale = 1500.0 / options_.soundVelocity; // echosounders assume 1500 m/s
    DepthSounding sounding;
    sounding.utc = utcAt(elapsedS);
    sounding.rawHighM = asSent((depth - options_.draftM) * scale);
    sounding.rawLowM = asSent((depth + kLowFrequencyPenetrationM - options_.draftM) * scale);
    sounding.batteryV = 12.8 - 0.5 * std::min(1.0, elapsedS / 36000.0);
    sounding.soundVelocity = options_.soundVelocity;
    sounding.sequence = static_cast<unsigned>(sounding_);
    TruthRecord record;
    record.utc = isoTime(sounding.utc);
    record.message = echosounderFormatInfo(options_.sbesFormat).name;
    record.latitudeDeg = pose.latitudeDeg;
    record.longitudeDeg = pose.longitudeDeg;
    record.speedKnots = pose.speedKnots;
    record.courseDeg = pose.courseDeg;
    record.depthM = depth;
    record.rawHighM = sounding.rawHighM;
    record.rawLowM = sounding.rawLowM;
    send(sbesStream_, echosounderLine(options_.sbesFormat, sounding), elapsedS, record);
}

void Simulator::sendReplay(Stream& stream, double elapsedS) {
    while (stream.replayNext < stream.replay.size() &&
           stream.replay[stream.replayNext].offsetS + stream.replayBaseS <= elapsedS) {
        TruthRecord record;
        record.utc = isoTime(utcAt(elapsedS));
        record.message = "replay";
        record.hasValues = false;
        send(stream, stream.replay[stream.replayNext].text, elapsedS, record);
        ++stream.replayNext;
    }
    if (stream.replayNext >= stream.replay.size() && options_.replayLoop && !stream.replay.empty()) {
        stream.replayNext = 0;
        stream.replayBaseS = elapsedS + 1.0 / options_.rateHz;
    }
}

double Simulator::step(double elapsedS) {
    const bool unplugged = faults_.unpluggedAt(elapsedS);
    if (!gnssClosed_ && unplugged) {
        removeLink();
        gnss_.close(); // the receiver vanishes from under the program
        gnssClosed_ = true;
        std::cerr << "selvirhs-sim: GNSS device closed\n";
    } else if (gnssClosed_ && !unplugged) {
        std::string error;
        if (gnss_.open(&error) && pointLink(error)) { // plugged in again, as another terminal
            gnssClosed_ = false;
            std::cerr << "selvirhs-sim: GNSS device back as " << gnss_.slavePath() << "\n";
        }
    }
    for (Stream* stream : {&gnssStream_, &sbesStream_}) {
        if (stream->terminal->isOpen()) {
            flushPending(*stream, elapsedS);
        }
    }
    auto silent = [&](const Stream& stream) { return stream.faulty && faults_.silentAt(elapsedS); };

    double next = elapsedS + kMaxWaitS;
    // GNSS epochs
    if (gnssStream_.replay.empty()) {
        const double gnssPeriod = 1.0 / options_.rateHz;
        skipMissed(gnssEpoch_, gnssPeriod, elapsedS);
        while (static_cast<double>(gnssEpoch_) * gnssPeriod <= elapsedS) {
            if (gnss_.isOpen() && !silent(gnssStream_)) {
                sendGnssEpoch(elapsedS);
            }
            ++gnssEpoch_;
        }
        next = std::min(next, static_cast<double>(gnssEpoch_) * gnssPeriod);
    } else if (gnss_.isOpen() && !silent(gnssStream_)) {
        sendReplay(gnssStream_, elapsedS);
    }
    // Depth messages
    if (sbesStream_.replay.empty()) {
        const double sbesPeriod = 1.0 / options_.sbesRateHz;
        const double sinceFirstS = elapsedS - options_.sbesOffsetS;
        skipMissed(sounding_, sbesPeriod, sinceFirstS);
        while (static_cast<double>(sounding_) * sbesPeriod <= sinceFirstS) {
            if (sbes_.isOpen() && !silent(sbesStream_)) {
                sendSounding(elapsedS);
            }
            ++sounding_;
        }
        next = std::min(next, options_.sbesOffsetS + static_cast<double>(sounding_) * sbesPeriod);
    } else if (sbes_.isOpen() && !silent(sbesStream_)) {
        sendReplay(sbesStream_, elapsedS);
    }
    for (const Stream* stream : {&gnssStream_, &sbesStream_}) {
        if (!stream->pendingPieces.empty()) {
            next = std::min(next, stream->pendingAtS);
        }
    }
    return std::max(0.0, next - elapsedS);
}

int Simulator::run(const std::atomic<bool>& stop) {
    const auto started = std::chrono::steady_clock::now();
    auto elapsed = [&] {
        return std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    };
    while (!stop.load()) {
        const double now = elapsed();
        if (options_.durationS > 0 && now >= options_.durationS) {
            break;
        }
        const double wait = step(now);
        pollfd fds[2];
        int count = 0;
        for (PseudoTerminal* terminal : {&gnss_, &sbes_}) {
            if (terminal->isOpen()) {
                fds[count++] = {terminal->masterFd(), POLLIN, 0};
            }
        }
        const int waitMs = static_cast<int>(std::ceil(std::min(wait, kMaxWaitS) * 1000.0));
        if (::poll(fds, static_cast<nfds_t>(count), waitMs) > 0) {
            // Commands the program sends to the receiver.
            const std::string commands = gnss_.readAvailable();
            if (!commands.empty() && !options_.commandsFile.empty()) {
                appendToFile(options_.commandsFile, commands);
            }
            sbes_.readAvailable();
            // A master with no slave open reports a hang-up without end; the slave descriptor we hold
            // prevents that, but a short sleep keeps any such case from spinning.
            for (int i = 0; i < count; ++i) {
                if (fds[i].revents & (POLLHUP | POLLERR)) {
                    ::poll(nullptr, 0, 10);
                }
            }
        }
    }
    gnss_.close();
    sbes_.close();
    return 0;
}

} // namespace selvir::sim
