#pragma once
// NMEA 0183 sentences for other equipment on board: XTE and APB from the line guidance for an
// autopilot, DPT of the reduced depth for a chart plotter. Sent as UDP datagrams (one sentence each)
// to the address and port the surveyor sets (127.0.0.1:10110, where chart plotters listen, by
// default) and, when a port is chosen, on a serial port. Off by default.
//
// Sentences (checksum and framing: serial/NmeaSentence.h):
//   $GPXTE,A,A,0.00108,L,N,A*hh       cross-track in nautical miles (5 decimals: 2 cm), the side to steer to
//   $GPAPB,A,A,0.00108,L,N,V,V,45.0,T,L3,44.9,T,44.8,T,A*hh
//          XTE as above; arrival circle entered; perpendicular passed at the line's end; bearing of
//          the line, of the line's end from the vessel and the heading to steer (to a point on the
//          line 50 m ahead), all true; the line as waypoint ("L3", or "P" and the polyline's id)
//   $SDDPT,12.34,0.50*hh              depth below the transducer and its draft (offset to the water
//          line), so the plotter shows the reduced depth below the water line

#include "core/ProfileStore.h"
#include "navigation/LineGuidance.h"
#include "serial/SerialPortMapping.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace selvir {

// "NMEA_OUTPUT" of the settings file.
struct NmeaOutputSettings {
    bool enabled = false;
    std::string host = "127.0.0.1";
    int port = 10110;
    int serialPort = 0; // COMn; 0: no serial output
    int baudRate = 4800;
    bool xte = true;
    bool apb = true;
    bool dpt = true;

    static NmeaOutputSettings read(const ProfileStore& store);
    void write(ProfileStore& store) const;
    friend bool operator==(const NmeaOutputSettings&, const NmeaOutputSettings&) = default;
};

// The fields of the line guidance window as typed. Fills the tolerance into `guidance` and the address
// and port into `nmea`, or leaves both and returns what is wrong, naming the field.
struct GuidanceFieldTexts {
    std::string tolerance;
    std::string host;
    std::string port;
};
std::string readGuidanceFields(const GuidanceFieldTexts& texts, GuidanceSettings& guidance,
                               NmeaOutputSettings& nmea);

// The point on the line this far ahead of the vessel's is what APB's heading to steer aims at (metres).
inline constexpr double kSteerLookAheadM = 50;
inline constexpr double kMetresPerNauticalMile = 1852;

// What XTE and APB say, from one tick of the guidance.
struct SteeringValues {
    double crossTrackM = 0; // + starboard of the line: steer left
    double lineBearingTrueDeg = 0;
    double bearingToEndTrueDeg = 0;
    double headingToSteerTrueDeg = 0;
    bool arrived = false;             // within twice the tolerance of the end
    bool perpendicularPassed = false; // past the end
    std::string waypoint;
};
// `travel` is the active line in the direction of travel; grid bearings become true by taking the
// convergence off.
SteeringValues steeringValues(const GuidanceReading& reading, const GridLine& travel, GridPoint position,
                              double convergenceDeg);
std::string xteSentence(const SteeringValues& steering);
std::string apbSentence(const SteeringValues& steering);
// Depth below the transducer and the transducer's draft, metres.
std::string dptSentence(double depthBelowTransducerM, double draftM);

// Where sentences go.
class SentenceSink {
public:
    virtual ~SentenceSink() = default;
    // False with the reason when the sentence could not be sent.
    virtual bool send(std::string_view sentence, std::string& error) = 0;
    // "udp 127.0.0.1:10110", "COM3 (/dev/ttyUSB0)".
    virtual std::string name() const = 0;
};
// Looks a host name up, blocking until it is known or not: the address as text ("192.0.2.7"), or
// nothing with the reason in `error`. NmeaOutput runs it on a thread of its own.
using HostResolver = std::function<std::optional<std::string>(const std::string& host, std::string& error)>;
// The system's resolver.
std::optional<std::string> resolveHostName(const std::string& host, std::string& error);

// One datagram per sentence to a numeric address ("127.0.0.1", "::1"); nothing (with the reason) for a
// port outside 1 … 65535 or a text that is no address. Never looks a name up.
std::unique_ptr<SentenceSink> makeUdpSentenceSink(const std::string& address, int port, std::string& error,
                                                  const std::string& shownHost = {});
std::unique_ptr<SentenceSink> makeSerialSentenceSink(int port, const std::string& path, int baudRate,
                                                     std::string& error);

class NmeaOutput {
public:
    using SettingsSource = std::function<NmeaOutputSettings()>;
    using Reporter = std::function<void(const std::string&)>;

    // Settings are read on every call; the sinks are made again when they change. A sink that cannot
    // be made or fails to send is reported once until it works again. A host given by name is looked up
    // with `lookUp` on a thread of its own, never on the caller's (a missing network would hold the map
    // for seconds): until the answer is in, the sentences go to the serial port only.
    NmeaOutput(SettingsSource settings, SerialPortResolver resolver, Reporter report,
               HostResolver lookUp = resolveHostName);
    ~NmeaOutput();
    NmeaOutput(const NmeaOutput&) = delete;
    NmeaOutput& operator=(const NmeaOutput&) = delete;

    // XTE and APB for a tick with an active line not yet passed and a position; nothing otherwise (an
    // autopilot must notice that guidance stopped, and never be steered back to the end of a line run).
    void guidance(const GuidanceReading& reading, const GridLine& travel, GridPoint position,
                  double convergenceDeg);
    // DPT for a reduced depth (metres below the water line) and the draft used.
    void depth(double trueDepthM, double draftM);

    std::uint64_t sentencesSent() const { return sent_; }
    // True while a host name is being looked up.
    bool lookingUpHost() const { return lookup_ != nullptr; }

private:
    struct HostLookup;
    void send(const std::string& sentence);
    bool refresh();
    void takeLookedUpHost();
    void problem(const std::string& text);

    SettingsSource settingsSource_;
    SerialPortResolver resolver_;
    Reporter report_;
    HostResolver lookUp_;
    std::shared_ptr<HostLookup> lookup_; // the lookup under way for the settings in force
    NmeaOutputSettings settings_;
    bool made_ = false;
    std::vector<std::unique_ptr<SentenceSink>> sinks_;
    std::string lastProblem_;
    bool sendFailing_ = false;
    std::uint64_t sent_ = 0;
};

} // namespace selvir
