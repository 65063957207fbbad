#pragma once
// Subcommands of selvirhs-tool. Each takes its arguments (without the program and subcommand names)
// and the three standard streams, and returns the process exit status.

#include <iosfwd>
#include <span>
#include <string>
#include <vector>

namespace selvir::cli {

struct CommandStreams {
    std::istream& in;
    std::ostream& out;
    std::ostream& err;
};

using CommandArgs = std::span<const std::string>;
using CommandFunction = int (*)(CommandArgs args, CommandStreams streams);

struct Command {
    const char* name;
    const char* usage;   // arguments, for the help text
    const char* summary; // one line
    CommandFunction run;
};

// Every subcommand, in the order the help lists them.
const std::vector<Command>& commands();

// Runs a whole command line (argv without the program name). Unknown subcommands and "--help" are
// handled here.
int runTool(const std::vector<std::string>& args, CommandStreams streams);

int runScanCommand(CommandArgs args, CommandStreams streams);
int runNmeaCommand(CommandArgs args, CommandStreams streams);
int runGeoCommand(CommandArgs args, CommandStreams streams);
int runDxfInfoCommand(CommandArgs args, CommandStreams streams);
int runConvertCommand(CommandArgs args, CommandStreams streams);
int runSettingsCommand(CommandArgs args, CommandStreams streams);
int runReplayCommand(CommandArgs args, CommandStreams streams);
int runSvpCommand(CommandArgs args, CommandStreams streams);
int runRunlinesCommand(CommandArgs args, CommandStreams streams);
int runGuidanceCommand(CommandArgs args, CommandStreams streams);
int runRenderCommand(CommandArgs args, CommandStreams streams);
int runCleanCommand(CommandArgs args, CommandStreams streams);
int runQcCommand(CommandArgs args, CommandStreams streams);
int runGridCommand(CommandArgs args, CommandStreams streams);
int runContourCommand(CommandArgs args, CommandStreams streams);

} // namespace selvir::cli
