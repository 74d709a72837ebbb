#pragma once

#include <string>

namespace vexmire {

// What the command line asks of the program. The game's own options are spelled with two
// dashes; Qt's own (-platform NAME, -display NAME, ...) are left for QApplication to take.
struct Options {
    enum class Action { Play, ShowHelp, ShowVersion, Refuse };

    Action action = Action::Play;
    std::string recordPath;   // --record FILE: every event that reaches the rules, as a script
    std::string replayPath;   // --replay FILE: a script played back in the real windows
    int replaySpeed = 1;      // --speed N: the replay's speed at the start, 1, 2, 4 or 8
    bool fullScreen = false;  // --fullscreen: the game window full screen from the start
    std::string refusal;      // why the command line was refused, one line
};

Options ParseOptions(int argc, const char* const* argv);

std::string HelpText();
std::string VersionText();

}  // namespace vexmire
