#include "app/game_and_windows.h"

#include <algorithm>
#include <iostream>

#include "platform/desktop/fault_report.h"

namespace vexmire {

GameAndWindows::GameAndWindows(QtPlatform& platform, int scale)
    : session(platform, [this](Ending ending, const std::string& why) { Leave(ending, why); }),
      game(session.game()),
      gameWindow(session, platform),
      titleWindow(session),
      platform_(platform) {
    gameWindow.SetScale(scale);
    // The title window's buttons and text are drawn by the toolkit at the device's own density.
    titleWindow.SetScale(std::max(1, static_cast<int>(scale / titleWindow.devicePixelRatioF())));
    platform.AttachWindow(Window::Game, &gameWindow);
    platform.AttachWindow(Window::Title, &titleWindow);
}

void GameAndWindows::RecordTo(ScriptRecorder& recorder) {
    session.RecordTo(&recorder);
}

// The recording is finished by now. A fault ends the process at once; when the display server
// has gone, the toolkit ends it right after this.
void GameAndWindows::Leave(Ending ending, const std::string& why) {
    switch (ending) {
        case Ending::Fault:
            EndOnProgramFault(why);
        case Ending::DisplayGone:
            std::cerr << "vexmire: the display server went away, and the game with it"
                      << (session.recording() ? "; the recording holds the game up to there" : "")
                      << std::endl;
            return;
        case Ending::ByTheRules:
        case Ending::WindowClosed:
        case Ending::StopSignal:
            platform_.Shutdown();
            return;
    }
}

}  // namespace vexmire
