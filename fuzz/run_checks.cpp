#include "fuzz/run_checks.h"

#include <cstdio>
#include <cstdlib>
#include <nlohmann/json.hpp>
#include <string>

namespace vexmire {

namespace {

constexpr int kRan = 0;
constexpr int kFailed = 1;
constexpr int kMalformed = 2;

[[noreturn]] void Broken(const std::string& what, std::string_view detail) {
    std::fprintf(stderr, "vexmire fuzz: %s\n%.*s\n", what.c_str(), static_cast<int>(detail.size()),
                 detail.data());
    std::abort();
}

// A line starting with the word `verb` and something after it.
bool HasLineStarting(std::string_view script, std::string_view verb) {
    size_t start = 0;
    while (start < script.size()) {
        const std::string_view line = script.substr(start, script.find('\n', start) - start);
        if (line.size() > verb.size() && line.starts_with(verb) && line[verb.size()] == ' ') {
            return true;
        }
        start += line.size() + 1;
    }
    return false;
}

void CheckOutput(std::string_view out) {
    if (out.empty() || out.back() != '\n') Broken("standard output does not end a line", out);
    size_t start = 0;
    while (start < out.size()) {
        const size_t end = out.find('\n', start);
        const std::string_view line = out.substr(start, end - start);
        if (!nlohmann::json::accept(line) || line.front() != '{') {
            Broken("an output line is not a JSON object", line);
        }
        start = end + 1;
    }
}

void CheckError(int status, std::string_view err) {
    if (status == kRan) {
        if (!err.empty()) Broken("a run that succeeded wrote to standard error", err);
        return;
    }
    if (!err.starts_with("vexmire-sim: ") || err.find('\n') != err.size() - 1) {
        Broken("a failed run did not write one line naming the program", err);
    }
}

}  // namespace

void CheckScriptRun(std::string_view script, int status, std::string_view out,
                    std::string_view err) {
    if (status != kRan && status != kFailed && status != kMalformed) {
        Broken("exit status " + std::to_string(status), err);
    }
    CheckOutput(out);
    CheckError(status, err);
    const bool onlyPlays = !HasLineStarting(script, "set") && !HasLineStarting(script, "var");
    if (status == kFailed && onlyPlays) Broken("a script that only plays failed", err);
}

}  // namespace vexmire
