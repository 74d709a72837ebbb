#pragma once

#include "app/game_window.h"
#include "app/title_window.h"
#include "game/game.h"
#include "platform/qt/qt_platform.h"

namespace vexmire {

// The game and its two windows, created as start-up creates them (the game window first) and
// handed to the platform, which shows, hides and closes them. Form_Load is left to the caller,
// which may first set up the platform or the tick's clock. Both windows draw at `scale` screen
// pixels for each of their own.
class GameAndWindows {
  public:
    explicit GameAndWindows(QtPlatform& platform, int scale = 1);

    // Every event that reaches the rules, from either window or from a prompt, is also written
    // to `recorder`.
    void RecordTo(ScriptRecorder& recorder);

    Game game;
    GameWindow gameWindow;
    TitleWindow titleWindow;

  private:
    QtPlatform& platform_;
};

}  // namespace vexmire
