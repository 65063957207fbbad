#pragma once
// The sound velocity window's messages in English and in Turkish (the main window's language flag
// chooses), and the offsets window's caption that follows "Use Sound Velocity Profile". UTF-8.

#include "tools/ProbeFile.h"
#include "tools/SvpAutoDetect.h"

#include <string>

namespace selvir::svptext {

// Step 1: a sample outside 1350 … 1600 m/s at a 1-based source line.
std::string sampleOutOfRange(double velocity, int line, bool turkish);
// Step 3: bin 0 has no velocity.
std::string surfaceBinEmpty(bool turkish);
// Step 3: the column leaves 1300 … 1700 m/s at bin k.
std::string columnOutOfRange(int bin, bool turkish);
// Max Depth is not a whole number of metres within range.
std::string maxDepthInvalid(bool turkish);
// The search string is no usable pattern.
std::string searchStringInvalid(const std::string& reason, bool turkish);
// Step 1 found no sample at all.
std::string noSamplesRead(bool turkish);
// The file chosen cannot be read.
std::string fileUnreadable(const std::string& file, bool turkish);
// The file chosen is larger than any sound velocity cast (kMaxSoundVelocityFileBytes).
std::string fileTooLarge(const std::string& file, bool turkish);
// A recognised probe file without the columns a cast needs.
std::string probeFault(ProbeFormat format, ProbeReadResult::Fault fault, bool turkish);
// The four tables could not be written.
std::string tablesNotSaved(const std::string& reason, bool turkish);

// Auto detect.
std::string autoDetectNoData();
std::string autoDetectNoHeader();
std::string autoDetectReport(const SearchStringDetection& detection, bool turkish);

// Graph.
std::string graphNoData();
std::string graphDataUpdated();

} // namespace selvir::svptext
