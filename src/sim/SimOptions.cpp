#include "sim/SimOptions.h"

#include "core/NumberFormat.h"

#include <cmath>
#include <functional>
#include <map>

namespace selvir::sim {
namespace {

bool readNumber(const std::string& text, double low, double high, double& out) {
    const auto value = parseDouble(text);
    if (!value || !std::isfinite(*value) || *value < low || *value > high) {
        return false;
    }
    out = *value;
    return true;
}

bool readInt(const std::string& text, long long low, long long high, long long& out) {
    const auto value = parseInteger(text);
    if (!value || *value < low || *value > high) {
        return false;
    }
    out = *value;
    return true;
}

std::string range(double low, double high) {
    return formatShortest(low) + " to " + formatShortest(high);
}

} // namespace

const char* simUsage() {
    return "Usage: selvirhs-sim [OPTIONS]\n"
           "Opens two pseudo-terminals, prints \"GNSS <path>\" and \"SBES <path>\", and streams a vessel\n"
           "surveying a lawn-mower pattern (GGA, RMC, VTG, HDT, ZDA) and an echosounder over a smooth\n"
           "seabed of 5 to 40 m until killed (SIGINT/SIGTERM) or the duration ends.\n"
           "  --origin LAT,LON        pattern centre, degrees (41.0,29.0)\n"
           "  --speed KNOTS           speed over ground (5)\n"
           "  --rate HZ               GNSS epochs per second (5)\n"
           "  --sbes-rate HZ          depth messages per second (the GNSS rate)\n"
           "  --sbes-offset S         send the depth messages S seconds after the GNSS epochs (0)\n"
           "  --line-length M         survey line length (400)\n"
           "  --line-spacing M        distance between lines (25)\n"
           "  --sbes-format NAME      \"Selvir SMT\" (smt), \"NMEA DPT\" (dpt), \"NMEA DBT\" (dbt),\n"
           "                          \"Selvir XDR HI\" (xdr-hi), \"Selvir XDR LO\" (xdr-lo),\n"
           "                          \"Selvir XDR H/L\" (xdr-hl), \"ODC HI\" (odc)\n"
           "  --fix Q                 fix quality (4)\n"
           "  --fix-cycle S           step the fix quality through 4, 5, 2, 1 every S seconds\n"
           "  --crab DEG              heading minus course (1.5)\n"
           "  --draft M               transducer draft (0.5)\n"
           "  --sound-velocity MS     water sound velocity (1500)\n"
           "  --duration S            stop after S seconds (0: run until killed)\n"
           "  --seed N                seed of the fault dice (1)\n"
           "Faults:\n"
           "  --silence-every S --silence-for D   no data for D seconds every S seconds\n"
           "  --garbage P             probability per message of random bytes before it\n"
           "  --nul P                 probability per message of a NUL byte inside it\n"
           "  --split P               probability per message of two writes 20 ms apart\n"
           "  --bad-checksum P        probability per message of a wrong checksum\n"
           "  --close-after S         close the device after S seconds (the program sees it vanish)\n"
           "  --replug-after D        a closed device comes back as a new terminal D seconds later\n"
           "  --close-every S         close it again every S seconds\n"
           "  --gnss-link PATH        keep PATH pointing at the GNSS terminal (a stable device name)\n"
           "  --faults-on gnss|sbes|both          stream the faults apply to (gnss)\n"
           "Files:\n"
           "  --write-mapping FILE --gnss-com N --sbes-com M\n"
           "                          write SERIAL_DEVICES COMn keys of the two paths into FILE\n"
           "  --truth FILE            CSV of every message sent, with the true values\n"
           "  --commands FILE         append the bytes received on the GNSS port\n"
           "  --replay FILE           replay a raw GNSS log (with \"Log Time\" prefixes) at its pace\n"
           "  --replay-sbes FILE      the same on the echosounder port\n"
           "  --replay-speed X        replay X times faster (1)   --replay-loop  start again at the end\n"
           "  --help                  this text\n";
}

std::optional<SimOptions> parseSimOptions(const std::vector<std::string>& args, std::string& error) {
    SimOptions o;
    using Setter = std::function<bool(const std::string&)>;
    auto number = [&](double& target, double low, double high, const char* name) -> Setter {
        return [&target, low, high, name, &error](const std::string& v) {
            if (!readNumber(v, low, high, target)) {
                error =
                    std::string(name) + " needs a number from " + range(low, high) + ", not \"" + v + "\"";
                return false;
            }
            return true;
        };
    };
    auto integer = [&](auto& target, long long low, long long high, const char* name) -> Setter {
        return [&target, low, high, name, &error](const std::string& v) {
            long long read = 0;
            if (!readInt(v, low, high, read)) {
                error = std::string(name) + " needs a whole number from " + std::to_string(low) + " to " +
                        std::to_string(high) + ", not \"" + v + "\"";
                return false;
            }
            target = static_cast<std::remove_reference_t<decltype(target)>>(read);
            return true;
        };
    };
    auto text = [&](std::string& target) -> Setter {
        return [&target](const std::string& v) {
            target = v;
            return true;
        };
    };
    const std::map<std::string, Setter> withValue = {
        {"--origin",
         [&](const std::string& v) {
             const std::size_t comma = v.find(',');
             double lat = 0;
             double lon = 0;
             if (comma == std::string::npos || !readNumber(v.substr(0, comma), -89.0, 89.0, lat) ||
                 !readNumber(v.substr(comma + 1), -180.0, 180.0, lon)) {
                 error =
                     "--origin needs LAT,LON in degrees (latitude -89 to 89, longitude -180 to 180), not \"" +
                     v + "\"";
                 return false;
             }
             o.trajectory.originLatDeg = lat;
             o.trajectory.originLonDeg = lon;
             return true;
         }},
        {"--speed", number(o.trajectory.speedKnots, 0.0, 60.0, "--speed")},
        {"--rate", number(o.rateHz, 0.1, 100.0, "--rate")},
        {"--sbes-rate", number(o.sbesRateHz, 0.1, 100.0, "--sbes-rate")},
        {"--sbes-offset", number(o.sbesOffsetS, 0.0, 60.0, "--sbes-offset")},
        {"--line-length", number(o.trajectory.lineLengthM, 1.0, 100000.0, "--line-length")},
        {"--line-spacing", number(o.trajectory.lineSpacingM, 0.5, 10000.0, "--line-spacing")},
        {"--sbes-format",
         [&](const std::string& v) {
             const auto format = echosounderFormatFromName(v);
             if (!format) {
                 error = "--sbes-format: unknown format \"" + v + "\" (see --help)";
                 return false;
             }
             o.sbesFormat = *format;
             return true;
         }},
        {"--fix", integer(o.fixQuality, 0, 9, "--fix")},
        {"--fix-cycle", number(o.fixCycleS, 0.0, 86400.0, "--fix-cycle")},
        {"--crab", number(o.crabDeg, -90.0, 90.0, "--crab")},
        {"--draft", number(o.draftM, 0.0, 10.0, "--draft")},
        {"--sound-velocity", number(o.soundVelocity, 1300.0, 1700.0, "--sound-velocity")},
        {"--duration", number(o.durationS, 0.0, 1e7, "--duration")},
        {"--seed", integer(o.seed, 0, 4294967295LL, "--seed")},
        {"--silence-every", number(o.faults.silenceEveryS, 0.0, 1e7, "--silence-every")},
        {"--silence-for", number(o.faults.silenceForS, 0.0, 1e7, "--silence-for")},
        {"--garbage", number(o.faults.garbageProbability, 0.0, 1.0, "--garbage")},
        {"--nul", number(o.faults.nulProbability, 0.0, 1.0, "--nul")},
        {"--split", number(o.faults.splitProbability, 0.0, 1.0, "--split")},
        {"--bad-checksum", number(o.faults.badChecksumProbability, 0.0, 1.0, "--bad-checksum")},
        {"--close-after", number(o.faults.closeAfterS, 0.0, 1e7, "--close-after")},
        {"--replug-after", number(o.faults.replugAfterS, 0.0, 1e7, "--replug-after")},
        {"--close-every", number(o.faults.closeEveryS, 0.0, 1e7, "--close-every")},
        {"--gnss-link", text(o.gnssLink)},
        {"--faults-on",
         [&](const std::string& v) {
             if (v == "gnss") {
                 o.faultTarget = FaultTarget::Gnss;
             } else if (v == "sbes") {
                 o.faultTarget = FaultTarget::Sbes;
             } else if (v == "both") {
                 o.faultTarget = FaultTarget::Both;
             } else {
                 error = "--faults-on needs gnss, sbes or both, not \"" + v + "\"";
                 return false;
             }
             return true;
         }},
        {"--write-mapping", text(o.writeMapping)},
        {"--gnss-com", integer(o.gnssCom, 1, 256, "--gnss-com")},
        {"--sbes-com", integer(o.sbesCom, 1, 256, "--sbes-com")},
        {"--truth", text(o.truthFile)},
        {"--commands", text(o.commandsFile)},
        {"--replay", text(o.replayGnss)},
        {"--replay-sbes", text(o.replaySbes)},
        {"--replay-speed", number(o.replaySpeed, 0.01, 1000.0, "--replay-speed")},
    };
    for (std::size_t i = 0; i < args.size(); ++i) {
        std::string name = args[i];
        std::optional<std::string> value;
        if (const std::size_t equals = name.find('=');
            name.rfind("--", 0) == 0 && equals != std::string::npos) {
            value = name.substr(equals + 1);
            name = name.substr(0, equals);
        }
        if (name == "--help" || name == "-h") {
            o.help = true;
            continue;
        }
        if (name == "--replay-loop") {
            o.replayLoop = true;
            continue;
        }
        const auto setter = withValue.find(name);
        if (setter == withValue.end()) {
            error = "unknown option \"" + name + "\" (see --help)";
            return std::nullopt;
        }
        if (!value) {
            if (i + 1 >= args.size()) {
                error = name + " needs a value";
                return std::nullopt;
            }
            value = args[++i];
        }
        if (!setter->second(*value)) {
            return std::nullopt;
        }
    }
    if (!o.writeMapping.empty() && (o.gnssCom == 0 || o.sbesCom == 0)) {
        error = "--write-mapping needs --gnss-com and --sbes-com";
        return std::nullopt;
    }
    if (o.writeMapping.empty() && (o.gnssCom != 0 || o.sbesCom != 0)) {
        error = "--gnss-com and --sbes-com need --write-mapping FILE";
        return std::nullopt;
    }
    if (o.gnssCom != 0 && o.gnssCom == o.sbesCom) {
        error = "--gnss-com and --sbes-com must differ";
        return std::nullopt;
    }
    if ((o.faults.silenceEveryS > 0) != (o.faults.silenceForS > 0)) {
        error = "--silence-every and --silence-for go together";
        return std::nullopt;
    }
    if (o.faults.silenceForS >= o.faults.silenceEveryS && o.faults.silenceEveryS > 0) {
        error = "--silence-for must be shorter than --silence-every";
        return std::nullopt;
    }
    return o;
}

} // namespace selvir::sim
