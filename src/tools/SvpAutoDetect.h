#pragma once
// "Auto Dedetct": a search string built from a header line that names a sound velocity column and a
// pressure or depth column, for delimited files the probe readers do not recognise.

#include <string>
#include <vector>

namespace selvir {

struct SearchStringDetection {
    bool found = false;
    int headerLine = 0;     // 1-based
    char delimiter = ',';   // ',', '\t' or ';'
    int velocityColumn = 0; // 1-based
    int depthColumn = 0;    // 1-based: the pressure or depth column
    std::string searchString;
    bool velocityFirst = true;
};

// The last line whose upper-case text holds "SV" or "VELOCITY" and also "PRESSURE" or "DEPTH" is the
// header. Its delimiter is the last of ",", tab, ";" it contains ("," when none); each field naming a
// velocity or a pressure/depth sets that column (a later field wins). The search string skips the
// fields before and between the two columns: "%lf;%*[^;];%lf" for "Depth;Temp;SV".
SearchStringDetection detectSearchString(const std::vector<std::string>& sourceLines);

} // namespace selvir
