#include <cerrno>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>

#include "sim/run_script.h"

using namespace vexmire;

// vexmire-sim [SCRIPT]: runs SCRIPT, or standard input when it is absent or "-".
int main(int argc, char** argv) {
    // A reader that goes away before the end must see a failure reported with status 1, as any
    // other output that cannot be written, not a run that ends silently.
    std::signal(SIGPIPE, SIG_IGN);
    if (argc > 2) {
        std::cerr << "vexmire-sim: usage: vexmire-sim [SCRIPT]\n";
        return 1;
    }
    const std::string path = argc == 2 ? argv[1] : "-";
    if (path == "-") return RunScript(std::cin, std::cout, std::cerr);

    std::error_code error;
    if (std::filesystem::is_directory(path, error)) {
        std::cerr << "vexmire-sim: cannot read " << path << ": it is a directory\n";
        return 1;
    }
    std::ifstream script(path, std::ios::binary);
    if (!script) {
        std::cerr << "vexmire-sim: cannot open " << path << ": " << std::strerror(errno) << '\n';
        return 1;
    }
    return RunScript(script, std::cout, std::cerr);
}
