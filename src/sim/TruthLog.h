#pragma once
// What the simulator really sent, one CSV row per message, so end-to-end tests can compare the
// program's results with the truth:
//   t_s,utc,stream,message,lat,lon,alt_m,fix,sats,speed_kn,course_deg,heading_deg,depth_m,raw_hf_m,raw_lf_m,faults
// t_s: seconds since the simulator started; stream "gnss" or "sbes"; message the sentence type
// ("GGA", "RMC", "VTG", "HDT", "ZDA", the echosounder format name, or "replay"); lat/lon the values a
// reader decodes from the text sent (degrees); depth_m the seabed depth below the surface and raw_*
// the depths as written in the message; faults the injected faults (";"-separated), and "dropped"
// when the port's queue was full because nobody read it. Numbers in
// shortest round-trip form. Each row is flushed at once.

#include <filesystem>
#include <fstream>
#include <string>

namespace selvir::sim {

struct TruthRecord {
    double elapsedS = 0;
    std::string utc; // "YYYY-MM-DDThh:mm:ss.sss"
    std::string stream;
    std::string message;
    double latitudeDeg = 0;
    double longitudeDeg = 0;
    double altitudeM = 0;
    int fixQuality = 0;
    int satellites = 0;
    double speedKnots = 0;
    double courseDeg = 0;
    double headingDeg = 0;
    double depthM = 0;
    double rawHighM = 0;
    double rawLowM = 0;
    std::string faults;
    bool hasValues = true; // false for replayed lines: only time, stream and message are known
};

class TruthLog {
public:
    bool open(const std::filesystem::path& file);
    bool isOpen() const { return out_.is_open(); }
    void write(const TruthRecord& record);

    static const char* header();

private:
    std::ofstream out_;
};

} // namespace selvir::sim
