// selvirhs-sim: a GNSS receiver and an echosounder on pseudo-terminals, for trying the program and for
// its integration tests without hardware.
#include "sim/SimOptions.h"
#include "sim/Simulator.h"

#include <atomic>
#include <csignal>
#include <iostream>

namespace {

std::atomic<bool> stopRequested{false};

extern "C" void onStopSignal(int) {
    stopRequested.store(true);
}

} // namespace

int main(int argc, char* argv[]) {
    std::string error;
    const auto options = selvir::sim::parseSimOptions(std::vector<std::string>(argv + 1, argv + argc), error);
    if (!options) {
        std::cerr << "selvirhs-sim: " << error << '\n';
        return 2;
    }
    if (options->help) {
        std::cout << selvir::sim::simUsage();
        return 0;
    }
    struct sigaction action {};
    action.sa_handler = onStopSignal;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
    std::signal(SIGPIPE, SIG_IGN);

    selvir::sim::Simulator simulator(*options);
    if (!simulator.start(error)) {
        std::cerr << "selvirhs-sim: " << error << '\n';
        return 1;
    }
    std::cout << "GNSS " << simulator.gnssPath() << '\n' << "SBES " << simulator.sbesPath() << std::endl;
    return simulator.run(stopRequested);
}
