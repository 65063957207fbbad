#pragma once
// Runs selvirhs-tool's command line in the test's process on string streams.

#include "cli/Commands.h"

#include <sstream>
#include <string>
#include <vector>

namespace selvir::test {

struct ToolRun {
    int status;
    std::string out;
    std::string err;
};

// `command` and `args` as on the shell after the program name; `input` is standard input.
inline ToolRun runToolCommand(const std::string& command, const std::vector<std::string>& args,
                              const std::string& input = {}) {
    std::istringstream in(input);
    std::ostringstream out, err;
    std::vector<std::string> all = {command};
    all.insert(all.end(), args.begin(), args.end());
    const int status = cli::runTool(all, {in, out, err});
    return {status, out.str(), err.str()};
}

} // namespace selvir::test
