#pragma once
// Numbered events marked by the surveyor: the number lives in the settings file (`EVENTS`,
// "Event Number", the last number used), so it continues across runs and days until reset. Each mark
// puts a numbered label on the map and appends an entry to the day's events log.

#include "core/DateTime.h"
#include "core/ProfileStore.h"
#include "navigation/EventsLog.h"

#include <functional>
#include <string>

namespace selvir {

struct EventMarkValues {
    double easting = 0;       // metres, grid position of the last map tick
    double northing = 0;      // metres
    std::string depthHiText;  // the high-frequency depth as the read-out shows it
    std::string depthLoText;  // the low-frequency depth as the read-out shows it
    double vesselHeading = 0; // degrees, heading plus grid convergence
};

// One entry: a line break, then "Event No:12,Date & Time:2026-03-05 134502123,Easting:…,Northing:…,
// True Depth:…,True Depth:…,Heading:…" (only the date when the time is exactly midnight).
std::string formatEventEntry(int number, const LocalDateTime& time, const EventMarkValues& values,
                             std::string_view lineBreak);

class EventMarker {
public:
    using AddLabel = std::function<void(double easting, double northing, int number)>;

    // `settings`, `events` and `clock` must outlive the marker.
    EventMarker(ProfileStore& settings, EventsLog& events, const Clock& clock);

    // Marks the next event: label through `addLabel`, counter stored, entry appended (an events log
    // that cannot be written loses the entry; label and counter still advance). Returns the number.
    int mark(const EventMarkValues& values, const AddLabel& addLabel);
    // Starts the numbering again from 1 (the caller has asked the user and writes the automatic event).
    bool reset();
    // The number of the last event marked (0 when none).
    int lastNumber() const;

private:
    ProfileStore& settings_;
    EventsLog& events_;
    const Clock& clock_;
};

} // namespace selvir
