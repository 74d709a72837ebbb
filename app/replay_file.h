#pragma once

#include <string>

#include "script/replay_script.h"

namespace vexmire {

// The script that --replay names, read whole: from a file, or from standard input for "-".
// Waiting for a FIFO's writer or for a terminal's input is said first, never done silently.
struct ReplayFile {
    int status = 0;       // 0; 1 when it cannot be read; 2 when it is longer than kLongestReplay
    std::string text;     // the script
    std::string message;  // why not, in one line without the program's name
};

ReplayFile ReadReplayFile(const std::string& path);

// How the script's lines name it: its path, or "standard input".
std::string ReplayName(const std::string& path);

}  // namespace vexmire
