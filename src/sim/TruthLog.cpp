#include "sim/TruthLog.h"

#include "core/NumberFormat.h"

namespace selvir::sim {

const char* TruthLog::header() {
    return "t_s,utc,stream,message,lat,lon,alt_m,fix,sats,speed_kn,course_deg,heading_deg,depth_m,raw_hf_m,"
           "raw_lf_m,faults";
}

bool TruthLog::open(const std::filesystem::path& file) {
    out_.open(file, std::ios::binary | std::ios::trunc);
    if (!out_) {
        return false;
    }
    out_ << header() << '\n';
    out_.flush();
    return true;
}

void TruthLog::write(const TruthRecord& r) {
    if (!out_.is_open()) {
        return;
    }
    std::string row = formatShortest(r.elapsedS) + ',' + r.utc + ',' + r.stream + ',' + r.message + ',';
    if (r.hasValues) {
        row += formatShortest(r.latitudeDeg) + ',' + formatShortest(r.longitudeDeg) + ',' +
               formatShortest(r.altitudeM) + ',' + std::to_string(r.fixQuality) + ',' +
               std::to_string(r.satellites) + ',' + formatShortest(r.speedKnots) + ',' +
               formatShortest(r.courseDeg) + ',' + formatShortest(r.headingDeg) + ',' +
               formatShortest(r.depthM) + ',' + formatShortest(r.rawHighM) + ',' + formatShortest(r.rawLowM) +
               ',';
    } else {
        row += ",,,,,,,,,,,";
    }
    row += r.faults;
    row += '\n';
    out_ << row;
    out_.flush();
}

} // namespace selvir::sim
