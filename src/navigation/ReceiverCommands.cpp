#include "navigation/ReceiverCommands.h"

namespace selvir {

const std::vector<ReceiverCommandSet>& receiverCommandSets() {
    static const std::vector<ReceiverCommandSet> sets = {
        {"Topcon GNSS",
         {"%%dm\n", "%%em,/dev/ser/a,nmea/VTG:1\n", "%%em,/dev/ser/a,nmea/ZDA:30\n",
          "%%em,/dev/ser/a,nmea/GGA:0.5\n"}},
        {"Hemisphere GNSS", {"$JASC,GPGGA,5\r\n", "$JASC,GPVTG,5\r\n", "$JASC,GPZDA,10\r\n"}},
        {"Geosun GNSS", {}},
        {"Leica GNSS", {}},
    };
    return sets;
}

const ReceiverCommandSet* findReceiverCommandSet(std::string_view menuCaption) {
    for (const ReceiverCommandSet& set : receiverCommandSets()) {
        if (set.menuCaption == menuCaption) {
            return &set;
        }
    }
    return nullptr;
}

} // namespace selvir
