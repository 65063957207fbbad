#pragma once
// Depth messages of the simulated echosounder, one layout per message format the program can decode.
// Each line is shaped so that the format's scanf-style pattern reads the depth(s) and the line holds
// the format's tag(s):
//
//   Selvir SMT      $PSLVSMT,12.34,12.61*hh               "%*8s,%lf,%lf"          tag SMT
//   NMEA DPT        $SDDPT,12.34,0.0*hh                   "%*6s,%lf"              tag DPT
//   NMEA DBT        $SDDBT,40.49,f,12.34,M,6.75,F*hh      "%*6s,%*lf,%*1s,%lf"    tag DBT
//   Selvir XDR HI   $SDXDR,D,12.34,M,XDHI*hh              "%*8s,%lf"              tag XDHI
//   Selvir XDR LO   $SDXDR,D,12.34,M,XDHI,D,12.80,M,XDLO*hh "%*8s,%*lf,%*8s,%lf"  tags XDHI, XDLO
//   Selvir XDR H/L  (the same line)                        "%*8s,%lf,%*8s,%lf"
//   ODC HI          $PODC,20260305,134502.12,00001,B,1500.0,12,12.34,M
//                   (42 characters before the depth's comma) "%*42s,%lf"          tag ",B,"

#include "core/DateTime.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace selvir::sim {

enum class EchosounderFormat { SelvirSmt, NmeaDpt, NmeaDbt, SelvirXdrHi, SelvirXdrLo, SelvirXdrHl, OdcHi };

struct EchosounderFormatInfo {
    EchosounderFormat format;
    const char* name;    // as the program's format choice shows it
    const char* alias;   // short name for the command line
    const char* pattern; // the pattern the program puts into the format field
};

const std::vector<EchosounderFormatInfo>& echosounderFormats();
// By display name ("NMEA DBT") or alias ("dbt"), ignoring case.
std::optional<EchosounderFormat> echosounderFormatFromName(std::string_view name);
const EchosounderFormatInfo& echosounderFormatInfo(EchosounderFormat format);

struct DepthSounding {
    LocalDateTime utc;
    double rawHighM = 0; // high-frequency depth as measured at 1500 m/s, metres below the transducer
    double rawLowM = 0;  // low-frequency depth, metres
    double batteryV = 12.6;
    double soundVelocity = 1500.0; // m/s, shown by the ODC layout
    unsigned sequence = 0;
};

// The whole line, ended by CR LF.
std::string echosounderLine(EchosounderFormat format, const DepthSounding& sounding);

} // namespace selvir::sim
