#pragma once
// Commands that make a GNSS receiver output the sentences the program reads. Sent byte for byte
// ("%%" is two percent characters), one write per command, in order.

#include <string_view>
#include <vector>

namespace selvir {

struct ReceiverCommandSet {
    std::string_view menuCaption;
    std::vector<std::string_view> commands;
};

// "Topcon GNSS", "Hemisphere GNSS", "Geosun GNSS" and "Leica GNSS" (the last two send nothing).
const std::vector<ReceiverCommandSet>& receiverCommandSets();
const ReceiverCommandSet* findReceiverCommandSet(std::string_view menuCaption);

} // namespace selvir
