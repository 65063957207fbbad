#include "navigation/EventMarker.h"

#include "core/AtomicFile.h"
#include "core/NumberFormat.h"

namespace selvir {
namespace {

constexpr std::string_view kSection = "EVENTS";
constexpr std::string_view kKey = "Event Number";

} // namespace

std::string formatEventEntry(int number, const LocalDateTime& time, const EventMarkValues& values,
                             std::string_view lineBreak) {
    const bool midnight = time.hour == 0 && time.minute == 0 && time.second == 0 && time.millisecond == 0;
    std::string out(lineBreak);
    out += "Event No:" + std::to_string(number);
    out += ",Date & Time:" + (midnight ? formatDate(time.date) : formatDateTime(time));
    out += ",Easting:" + formatFixed(values.easting, 2);
    out += ",Northing:" + formatFixed(values.northing, 2);
    out += ",True Depth:" + values.depthHiText;
    out += ",True Depth:" + values.depthLoText;
    out += ",Heading:" + formatFixed(values.vesselHeading, 2);
    return out;
}

EventMarker::EventMarker(ProfileStore& settings, EventsLog& events, const Clock& clock)
    : settings_(settings), events_(events), clock_(clock) {}

int EventMarker::lastNumber() const {
    return settings_.readInteger(kSection, kKey, 0);
}

int EventMarker::mark(const EventMarkValues& values, const AddLabel& addLabel) {
    const int number = lastNumber() + 1;
    if (addLabel) {
        addLabel(values.easting, values.northing, number);
    }
    settings_.writeInteger(kSection, kKey, number);
    const LocalDateTime now = clock_.now();
    events_.append(formatEventEntry(number, now, values, kLineBreak));
    return number;
}

bool EventMarker::reset() {
    return settings_.writeInteger(kSection, kKey, 0);
}

} // namespace selvir
