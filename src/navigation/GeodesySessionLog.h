#pragma once
// The geodesy session log: every realtime start appends one block with the geodetic parameters in
// force (those the map builds its chain from, which may be on screen and not yet saved), so the
// survey's grid can be reproduced later. The file is
// rewritten whole through a temporary file, so a crash never leaves it half written.

#include "core/DataFolders.h"
#include "core/DateTime.h"
#include "geodesy/GeodeticParameters.h"

#include <string>

namespace selvir {

// The block of one session (lines joined by `lineBreak`, ending with one): the fields as typed,
// booleans as "Yes"/"No".
std::string geodesySessionBlock(const GeodeticParameters& parameters, const LocalDateTime& now,
                                std::string_view lineBreak);

// Appends the block to the log of today's date (started with its header when new). Returns false when
// the file could not be written; `error` then says why.
bool writeGeodesySession(const DataFolders& folders, const GeodeticParameters& parameters, const Clock& clock,
                         std::string* error = nullptr);

} // namespace selvir
