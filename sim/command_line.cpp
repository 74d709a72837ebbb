#include "sim/command_line.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>

#include "script/malformed_line.h"
#include "sim/run_script.h"
#include "sim/sim_driver.h"

namespace vexmire {

namespace {

constexpr int kFailed = 1;

constexpr const char* kHelp =
    "Usage: vexmire-sim [OPTION]... [SCRIPT]\n"
    "Run Vexmire's rules from a script, without a display, and print what happens\n"
    "as JSON Lines.\n"
    "\n"
    "SCRIPT is read from standard input when it is absent or '-'. '--' ends the\n"
    "options, so that a SCRIPT whose name starts with '-' can be named.\n"
    "\n"
    "  --help      show this help and leave\n"
    "  --version   show the version and leave\n"
    "\n"
    "Exit status: 0 when the script has run to its end or the game has ended, 2 at a\n"
    "malformed line of the script, 1 for any other failure (a file that cannot be\n"
    "read or written).\n";

int Fail(std::ostream& err, const std::string& what) {
    err << "vexmire-sim: " << what << '\n';
    err.flush();
    return kFailed;
}

// --help and --version print to standard output, which may fail as any other output does.
int Answer(std::ostream& out, std::ostream& err, const char* text) {
    out << text;
    out.flush();
    try {
        CheckOutput(out);
    } catch (const OutputFailed& failed) {
        return Fail(err, failed.what());
    }
    return 0;
}

int RunScriptFile(const std::string& path, std::ostream& out, std::ostream& err) {
    std::error_code error;
    if (std::filesystem::is_directory(path, error)) {
        return Fail(err, "cannot read " + Shortened(path) + ": it is a directory");
    }
    std::ifstream script(path, std::ios::binary);
    if (!script) {
        return Fail(err, "cannot open " + Shortened(path) + ": " + std::strerror(errno));
    }
    return RunScript(script, out, err);
}

}  // namespace

int RunCommandLine(const std::vector<std::string_view>& arguments, std::istream& in,
                   std::ostream& out, std::ostream& err) {
    std::optional<std::string_view> path;
    bool optionsEnded = false;
    for (const std::string_view argument : arguments) {
        if (!optionsEnded && argument == "--") {
            optionsEnded = true;
        } else if (!optionsEnded && argument.size() > 1 && argument.front() == '-') {
            if (argument == "--help") return Answer(out, err, kHelp);
            if (argument == "--version")
                return Answer(out, err, "vexmire-sim " VEXMIRE_VERSION "\n");
            return Fail(err, "unknown option '" + Shortened(argument) +
                                 "'; usage: vexmire-sim [OPTION]... [SCRIPT]");
        } else if (path) {
            return Fail(err, "unexpected argument '" + Shortened(argument) +
                                 "'; usage: vexmire-sim [OPTION]... [SCRIPT]");
        } else {
            path = argument;
        }
    }
    if (!path || *path == "-") return RunScript(in, out, err);
    return RunScriptFile(std::string(*path), out, err);
}

}  // namespace vexmire
