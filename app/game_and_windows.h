#pragma once

#include "app/game_window.h"
#include "app/title_window.h"
#include "game/game.h"
#include "platform/qt/qt_platform.h"
#include "script/script_recorder.h"
#include "session/session.h"

namespace vexmire {

// The game's session and its two windows, created as start-up creates them (the game window
// first) and handed to the platform, which shows, hides and closes them. Form_Load is left to
// the caller, which may first set up the platform or the tick's clock. The game window draws
// at `scale` device pixels for each pixel of the game.
class GameAndWindows {
  public:
    explicit GameAndWindows(QtPlatform& platform, int scale = 1);

    // Every event that reaches the rules, from either window, a replay or a prompt, is also
    // written to `recorder`.
    void RecordTo(ScriptRecorder& recorder);

    Session session;
    Game& game;
    GameWindow gameWindow;
    TitleWindow titleWindow;

  private:
    // The desktop's part of every ending.
    void Leave(Ending ending, const std::string& why);

    QtPlatform& platform_;
};

}  // namespace vexmire
