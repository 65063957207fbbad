#pragma once
// The geodesy session log: every realtime start appends one block with the geodetic parameters in
// force, as stored in the settings file, so the survey's grid can be reproduced later. The file is
// rewritten whole through a temporary file, so a crash never leaves it half written.

#include "core/DataFolders.h"
#include "core/DateTime.h"
#include "core/ProfileStore.h"

#include <string>

namespace selvir {

// The block of one session (lines joined by `lineBreak`, ending with one): values of the section
// `GEODETIC_PARAMETERS` as stored text, booleans as "Yes"/"No" (missing: "No").
std::string geodesySessionBlock(const ProfileStore& settings, const LocalDateTime& now,
                                std::string_view lineBreak);

// Appends the block to the log of today's date (started with its header when new). Returns false when
// the file could not be written; `error` then says why.
bool writeGeodesySession(const DataFolders& folders, const ProfileStore& settings, const Clock& clock,
                         std::string* error = nullptr);

} // namespace selvir
