#include <csignal>
#include <iostream>
#include <string_view>
#include <vector>

#include "sim/command_line.h"

// vexmire-sim [OPTION]... [SCRIPT]: runs SCRIPT, or standard input when it is absent or "-".
int main(int argc, char** argv) {
    // A reader that goes away before the end must see a failure reported with status 1, as any
    // other output that cannot be written, not a run that ends silently.
    std::signal(SIGPIPE, SIG_IGN);
    const std::vector<std::string_view> arguments(argv + 1, argv + argc);
    return vexmire::RunCommandLine(arguments, std::cin, std::cout, std::cerr);
}
