// plicato-cli: exports the development pattern of a design, or describes the design, without
// a display.
#include "cli/cli_runner.h"

#include <iostream>

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    return plicato::runCli(args, std::cout, std::cerr);
}
