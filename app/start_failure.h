#pragma once

#include <string>
#include <string_view>

namespace vexmire {

// Whatever stops the game before its title window is up (no display to open, a window system
// that will not start, an exception out of start-up) ends the same way: one line on standard
// error that says what is wrong and what to do, and exit status 1, never an abort and its core.
// Created before the QApplication; Started() once the title window is up. Qt's own warnings
// during start-up are held back and passed on only when the start succeeds, so that a failed
// start prints that one line alone.
class StartFailureGuard {
  public:
    StartFailureGuard();
    ~StartFailureGuard();
    StartFailureGuard(const StartFailureGuard&) = delete;
    StartFailureGuard& operator=(const StartFailureGuard&) = delete;

    void Started();
    // Once started, `gone` is called when the toolkit says that the display server went away,
    // right before the toolkit ends the process.
    void WhenTheDisplayGoes(void (*gone)());
};

// The line for a start stopped by Qt's fatal message `fatal`, after the warnings `warnings`
// (one a line), with a display named by the environment or not.
std::string StartFailureLine(std::string_view fatal, std::string_view warnings, bool displayNamed);

}  // namespace vexmire
