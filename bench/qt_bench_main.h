#pragma once

#include "app/game_and_windows.h"
#include "platform/qt/qt_platform.h"

namespace vexmire {

// Runs the benchmarks registered in this program inside a Qt application on Qt's offscreen
// platform (unless QT_QPA_PLATFORM names another), so that fonts, images and windows work
// without a display.
int RunQtBenchmarks(int argc, char* argv[]);

// The game and its real windows, created as start-up creates them, with a platform whose beep
// and end do nothing.
struct RealWindows {
    RealWindows();

    // Loads the game window, presses New Game and holds the right arrow in the game window.
    void StartWalkingRight();

    QtPlatform platform;
    GameAndWindows windows;
};

}  // namespace vexmire
