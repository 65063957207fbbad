#include "navigation/NmeaOutput.h"

#include "core/NumberFormat.h"
#include "geodesy/Angles.h"
#include "serial/NmeaSentence.h"
#include "serial/QtSerialDevice.h"

#include <QHostAddress>
#include <QHostInfo>
#include <QUdpSocket>
#include <cctype>
#include <cmath>
#include <mutex>
#include <thread>

namespace selvir {
namespace {

constexpr std::string_view kSection = "NMEA_OUTPUT";
constexpr int kSerialWriteTimeoutMs = 100;

// Degrees brought into [0, 360). A tiny negative angle plus 360 rounds to 360 itself: that is 0.
double wrap360(double degrees) {
    const double wrapped = std::fmod(degrees, 360.0);
    const double positive = wrapped < 0 ? wrapped + 360 : wrapped;
    return positive >= 360 ? 0 : positive;
}

// A bearing field with one decimal, within [0, 360) as written: 359.96 rounds to 360.0, which is 0.0.
std::string bearingField(double degrees) {
    return formatFixed(wrap360(std::round(wrap360(degrees) * 10) / 10), 1);
}

std::string xteFields(const SteeringValues& s) {
    return formatFixed(std::abs(s.crossTrackM) / kMetresPerNauticalMile, 5) + "," +
           (s.crossTrackM > 0 ? "L" : "R") + ",N";
}

class UdpSentenceSink final : public SentenceSink {
public:
    UdpSentenceSink(QHostAddress address, int port, std::string name)
        : address_(std::move(address)), port_(static_cast<quint16>(port)), name_(std::move(name)) {}
    bool send(std::string_view sentence, std::string& error) override {
        const qint64 written =
            socket_.writeDatagram(sentence.data(), static_cast<qint64>(sentence.size()), address_, port_);
        if (written != static_cast<qint64>(sentence.size())) {
            error = socket_.errorString().toStdString();
            return false;
        }
        return true;
    }
    std::string name() const override { return name_; }

private:
    QUdpSocket socket_;
    QHostAddress address_;
    quint16 port_;
    std::string name_;
};

class SerialSentenceSink final : public SentenceSink {
public:
    SerialSentenceSink(std::unique_ptr<SerialDevice> device, std::string name)
        : device_(std::move(device)), name_(std::move(name)) {}
    bool send(std::string_view sentence, std::string& error) override {
        if (device_->write(sentence.data(), sentence.size(), kSerialWriteTimeoutMs) !=
            static_cast<long long>(sentence.size())) {
            error = "the port did not take the sentence";
            return false;
        }
        return true;
    }
    std::string name() const override { return name_; }

private:
    std::unique_ptr<SerialDevice> device_;
    std::string name_;
};

} // namespace

NmeaOutputSettings NmeaOutputSettings::read(const ProfileStore& store) {
    NmeaOutputSettings s;
    s.enabled = store.readBool(kSection, "Enabled", s.enabled);
    s.host = store.readString(kSection, "Host", s.host);
    s.port = store.readInteger(kSection, "Port", s.port);
    s.serialPort = store.readInteger(kSection, "SerialPort", s.serialPort);
    s.baudRate = store.readInteger(kSection, "BaudRate", s.baudRate);
    s.xte = store.readBool(kSection, "XTE", s.xte);
    s.apb = store.readBool(kSection, "APB", s.apb);
    s.dpt = store.readBool(kSection, "DPT", s.dpt);
    return s;
}

void NmeaOutputSettings::write(ProfileStore& store) const {
    store.update([this](IniDocument& ini) {
        ini.setValue(kSection, "Enabled", enabled ? "1" : "0");
        ini.setValue(kSection, "Host", host);
        ini.setValue(kSection, "Port", std::to_string(port));
        ini.setValue(kSection, "SerialPort", std::to_string(serialPort));
        ini.setValue(kSection, "BaudRate", std::to_string(baudRate));
        ini.setValue(kSection, "XTE", xte ? "1" : "0");
        ini.setValue(kSection, "APB", apb ? "1" : "0");
        ini.setValue(kSection, "DPT", dpt ? "1" : "0");
    });
}

std::string readGuidanceFields(const GuidanceFieldTexts& texts, GuidanceSettings& guidance,
                               NmeaOutputSettings& nmea) {
    const auto tolerance = parseFiniteDouble(texts.tolerance);
    if (!tolerance || *tolerance < kSmallestToleranceM) {
        return "Off-line tolerance: \"" + texts.tolerance + "\" is not a distance of " +
               formatGeneral(kSmallestToleranceM) + " m or more.";
    }
    std::string host = texts.host;
    std::erase_if(host, [](char c) { return c == ' ' || c == '\t'; });
    if (host.empty()) {
        return "Address: give the address of the equipment (127.0.0.1 for this computer).";
    }
    const auto port = parseInt(texts.port);
    if (!port || *port < 1 || *port > 65535) {
        return "UDP port: \"" + texts.port + "\" is not a port number from 1 to 65535.";
    }
    guidance.toleranceM = *tolerance;
    nmea.host = host;
    nmea.port = *port;
    return {};
}

SteeringValues steeringValues(const GuidanceReading& reading, const GridLine& travel, GridPoint position,
                              double convergenceDeg) {
    SteeringValues s;
    const LineFix& fix = reading.fix;
    s.crossTrackM = fix.crossTrackM;
    s.lineBearingTrueDeg = wrap360(fix.bearingDeg - convergenceDeg);
    if (!travel.empty()) {
        const GridPoint end = travel.back();
        s.bearingToEndTrueDeg =
            wrap360(gridBearingDeg(end.x - position.x, end.y - position.y) - convergenceDeg);
        const GridPoint aim = pointAlongLine(travel, fix.alongM + kSteerLookAheadM);
        s.headingToSteerTrueDeg =
            wrap360(gridBearingDeg(aim.x - position.x, aim.y - position.y) - convergenceDeg);
    }
    s.arrived = fix.toGoM <= 2 * reading.toleranceM;
    s.perpendicularPassed = fix.toGoM <= 0;
    s.waypoint = reading.lineNumber > 0 ? "L" + std::to_string(reading.lineNumber) : "P" + reading.lineName;
    // A waypoint name is one field: nothing that would end it or the sentence.
    std::erase_if(s.waypoint, [](char c) { return !std::isalnum(static_cast<unsigned char>(c)); });
    return s;
}

std::string xteSentence(const SteeringValues& s) {
    return finishNmeaSentence("GPXTE,A,A," + xteFields(s) + ",A");
}

std::string apbSentence(const SteeringValues& s) {
    return finishNmeaSentence("GPAPB,A,A," + xteFields(s) + "," + (s.arrived ? "A" : "V") + "," +
                              (s.perpendicularPassed ? "A" : "V") + "," + bearingField(s.lineBearingTrueDeg) +
                              ",T," + s.waypoint + "," + bearingField(s.bearingToEndTrueDeg) + ",T," +
                              bearingField(s.headingToSteerTrueDeg) + ",T,A");
}

std::string dptSentence(double depthBelowTransducerM, double draftM) {
    return finishNmeaSentence("SDDPT," + formatFixed(depthBelowTransducerM, 2) + "," +
                              formatFixed(draftM, 2));
}

std::optional<std::string> resolveHostName(const std::string& host, std::string& error) {
    const QHostInfo info = QHostInfo::fromName(QString::fromStdString(host));
    if (info.addresses().isEmpty()) {
        error = "the host is not known";
        return std::nullopt;
    }
    return info.addresses().front().toString().toStdString();
}

std::unique_ptr<SentenceSink> makeUdpSentenceSink(const std::string& address, int port, std::string& error,
                                                  const std::string& shownHost) {
    const std::string name = "udp " + (shownHost.empty() ? address : shownHost) + ":" + std::to_string(port);
    if (port <= 0 || port > 65535) {
        error = name + ": the port must be 1 to 65535";
        return nullptr;
    }
    QHostAddress parsed;
    if (!parsed.setAddress(QString::fromStdString(address))) {
        error = name + ": the host is not known";
        return nullptr;
    }
    return std::make_unique<UdpSentenceSink>(parsed, port, name);
}

std::unique_ptr<SentenceSink> makeSerialSentenceSink(int port, const std::string& path, int baudRate,
                                                     std::string& error) {
    const std::string name = "COM" + std::to_string(port) + " (" + path + ")";
    auto device = std::make_unique<QtSerialDevice>();
    SerialLineSettings line;
    line.baudRate = baudRate;
    if (!device->open(path, line)) {
        error = name + ": " + device->openError();
        return nullptr;
    }
    return std::make_unique<SerialSentenceSink>(std::move(device), name);
}

// A lookup on its own thread. The thread holds the state too: when the settings change or the output
// goes away first, the answer simply finds no one waiting for it.
struct NmeaOutput::HostLookup {
    std::mutex mutex;
    bool done = false;
    std::optional<std::string> address;
    std::string error;
};

NmeaOutput::NmeaOutput(SettingsSource settings, SerialPortResolver resolver, Reporter report,
                       HostResolver lookUp)
    : settingsSource_(std::move(settings)), resolver_(std::move(resolver)), report_(std::move(report)),
      lookUp_(std::move(lookUp)) {}

NmeaOutput::~NmeaOutput() = default;

void NmeaOutput::problem(const std::string& text) {
    if (text != lastProblem_) {
        lastProblem_ = text;
        if (report_) {
            report_("NMEA output: " + text);
        }
    }
}

bool NmeaOutput::refresh() {
    const NmeaOutputSettings now = settingsSource_ ? settingsSource_() : NmeaOutputSettings{};
    if (made_ && now == settings_) {
        takeLookedUpHost();
        return settings_.enabled;
    }
    settings_ = now;
    made_ = true;
    sinks_.clear();
    lookup_.reset(); // an answer for the old settings is not waited for
    lastProblem_.clear();
    if (!settings_.enabled) {
        return false;
    }
    std::string error;
    if (!QHostAddress().setAddress(QString::fromStdString(settings_.host)) && settings_.port > 0 &&
        settings_.port <= 65535 && lookUp_) {
        auto lookup = std::make_shared<HostLookup>();
        lookup_ = lookup;
        std::thread([lookup, resolve = lookUp_, host = settings_.host] {
            std::string why;
            std::optional<std::string> address = resolve(host, why);
            const std::lock_guard<std::mutex> lock(lookup->mutex);
            lookup->address = std::move(address);
            lookup->error = std::move(why);
            lookup->done = true;
        }).detach();
    } else if (auto udp = makeUdpSentenceSink(settings_.host, settings_.port, error)) {
        sinks_.push_back(std::move(udp));
    } else {
        problem(error);
    }
    if (settings_.serialPort > 0) {
        const std::string path = resolver_ ? resolver_(settings_.serialPort) : std::string();
        if (auto serial = makeSerialSentenceSink(settings_.serialPort, path, settings_.baudRate, error)) {
            sinks_.push_back(std::move(serial));
        } else {
            problem(error);
        }
    }
    return true;
}

void NmeaOutput::takeLookedUpHost() {
    if (!lookup_) {
        return;
    }
    std::optional<std::string> address;
    std::string why;
    {
        const std::lock_guard<std::mutex> lock(lookup_->mutex);
        if (!lookup_->done) {
            return;
        }
        address = lookup_->address;
        why = lookup_->error;
    }
    lookup_.reset();
    std::string error;
    if (!address) {
        problem("udp " + settings_.host + ":" + std::to_string(settings_.port) + ": " + why);
    } else if (auto udp = makeUdpSentenceSink(*address, settings_.port, error, settings_.host)) {
        sinks_.insert(sinks_.begin(), std::move(udp));
    } else {
        problem(error);
    }
}

void NmeaOutput::send(const std::string& sentence) {
    bool all = true;
    for (const auto& sink : sinks_) {
        std::string error;
        if (sink->send(sentence, error)) {
            ++sent_;
        } else {
            all = false;
            problem(sink->name() + ": " + error);
        }
    }
    if (all && sendFailing_) {
        sendFailing_ = false;
        lastProblem_.clear(); // works again: the next failure is news
    } else if (!all) {
        sendFailing_ = true;
    }
}

void NmeaOutput::guidance(const GuidanceReading& reading, const GridLine& travel, GridPoint position,
                          double convergenceDeg) {
    if (!refresh() || !reading.active || !reading.positionKnown || !reading.fix.valid ||
        reading.phase == LinePhase::Ended) {
        return;
    }
    const SteeringValues steering = steeringValues(reading, travel, position, convergenceDeg);
    if (settings_.xte) {
        send(xteSentence(steering));
    }
    if (settings_.apb) {
        send(apbSentence(steering));
    }
}

void NmeaOutput::depth(double trueDepthM, double draftM) {
    if (!refresh() || !settings_.dpt) {
        return;
    }
    send(dptSentence(trueDepthM - draftM, draftM));
}

} // namespace selvir
