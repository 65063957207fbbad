#include "cli/Commands.h"

#include <iostream>

int main(int argc, char* argv[]) {
    std::vector<std::string> args(argv + 1, argv + argc);
    return selvir::cli::runTool(args, {std::cin, std::cout, std::cerr});
}
