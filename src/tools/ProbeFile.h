#pragma once
// Sound velocity probe files recognised by their own headers, and the cast they hold.
//
// Recognised: Sea-Bird ".cnv" ("# name N = short: description" lines, data after "*END*", columns
// that run together split by the file's fixed column width), Valeport ".vp2" ([HEADER], [COLUMNS],
// [DATA]) and RapidSVT/miniSVP text ("Pressure units:" header, then pressure, temperature and sound
// velocity), SonTek CastAway CSV ("%" metadata, then a header row) and Sippican/Lockheed MK21 EDF
// ("// MK21 EXPORT DATA FILE", "FieldN : name (unit)" lines, data after "// Data").
//
// Depth, pressure, temperature, salinity and sound velocity columns are taken by name. A cast without a
// depth column has its pressure turned into depth with the latitude (UNESCO 1983); a cast without a
// sound velocity column has it computed from temperature, salinity and pressure (Chen and Millero).

#include "core/SvpTableFiles.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace selvir {

enum class ProbeFormat { SeaBirdCnv, ValeportVp2, ValeportRapidSvt, CastAwayCsv, Mk21Edf };

// "Sea-Bird .cnv", "Valeport .vp2", ...
const char* probeFormatName(ProbeFormat format);

// What a column holds, as its name says.
enum class ProbeQuantity { Other, Depth, Pressure, Temperature, Salinity, SoundVelocity };

struct ProbeColumn {
    std::string name; // as the file writes it ("svCM", "Sound Velocity (m/s)")
    ProbeQuantity quantity = ProbeQuantity::Other;
    double toSiScale = 1; // multiplies the values into metres, decibar or m/s (feet, psi)
    bool its68 = false;   // a temperature on IPTS-68 (otherwise ITS-90)
};

// The file's columns and numeric rows, before any choice is made.
struct ProbeTable {
    ProbeFormat format = ProbeFormat::SeaBirdCnv;
    std::vector<ProbeColumn> columns;
    struct Row {
        int line = 0;                              // 1-based line of the file
        std::vector<std::optional<double>> values; // one per column; nothing where not a number
    };
    std::vector<Row> rows;
    int unreadableRows = 0;            // data lines that could not be cut into the columns
    std::optional<double> latitudeDeg; // from the file's header, north positive
};

// A probe file's bytes as UTF-8 lines: UTF-8 as it is, anything else read as the 8-bit Windows code page
// (probe software writes "°" and "é" in it); "\r\n", "\n" and a lone "\r" each end a line.
std::vector<std::string> probeFileLines(std::string_view bytes);

// A sound velocity file as lines (probeFileLines), read only when it is at most
// kMaxSoundVelocityFileBytes long.
enum class SoundVelocityFileRead { Read, Unreadable, TooLarge };
SoundVelocityFileRead readSoundVelocityFile(const std::filesystem::path& file,
                                            std::vector<std::string>& lines);

// Recognises the file by its header; nothing when it is none of the formats above.
std::optional<ProbeTable> readProbeTable(const std::vector<std::string>& lines);

// One sample of a cast.
struct ProbeSample {
    int line = 0;      // 1-based line of the file
    double depthM = 0; // positive down
    double soundVelocityMs = 0;
};

enum class LatitudeSource { File, LastFix, Default };
inline constexpr double kDefaultLatitudeDeg = 45.0;

struct ProbeCast {
    ProbeFormat format = ProbeFormat::SeaBirdCnv;
    std::string depthFrom;    // the column depth comes from ("depSM", or "prDM" converted)
    std::string velocityFrom; // the column sound velocity comes from, or the columns it is computed from
    bool depthFromPressure = false;
    bool velocityComputed = false;
    double latitudeDeg = kDefaultLatitudeDeg; // used for pressure to depth
    LatitudeSource latitudeSource = LatitudeSource::Default;
    std::vector<ProbeSample> samples; // in file order, the whole cast
    int unusableRows = 0;             // rows without the needed numbers, or beyond the computation's validity
};

struct ProbeReadResult {
    bool recognised = false; // the file is one of the formats above
    // Recognised, but the cast cannot be read for want of columns.
    enum class Fault { None, NoDepthOrPressure, NoVelocityNorTemperatureSalinity };
    Fault fault = Fault::None;
    ProbeCast cast;
};

// Reads a probe file. `lastFixLatitudeDeg` is used when the file has no latitude (45° without either).
ProbeReadResult readProbeFile(const std::vector<std::string>& lines,
                              std::optional<double> lastFixLatitudeDeg = std::nullopt);

// The down cast: the samples up to the deepest one (the first of equal depths). Returns how many
// samples after it were dropped.
int keepDownCast(std::vector<ProbeSample>& samples);

// Probes start their record below the surface (the sensor is lowered before it logs, or the software
// bins from 1 or 2 m down), while the SV column must start at 0 m: when the shallowest sample within
// 1350 … 1600 m/s lies 0.5 m down or deeper, a sample of its velocity is put at 0 m, first. Returns the
// depth it was taken from; nothing when the cast already reaches the surface or has no such sample.
std::optional<double> extendToSurface(std::vector<ProbeSample>& samples);

// A latitude as header lines write it: "38.3322", "-36.22", "39 16.23 N", "19 43.04883S", "02 26.71 S".
// Nothing when it is not one, or beyond ±90°.
std::optional<double> parseLatitudeText(const std::string& text);

// One line of what was read, for the window and the command line: format, columns, latitude.
std::string describeProbeCast(const ProbeCast& cast);

} // namespace selvir
