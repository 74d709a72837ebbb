#include "app/game_windows.h"

namespace vexmire {

GameWindows::GameWindows(QtPlatform& platform, int scale)
    : game(platform), gameWindow(game, platform), titleWindow(platform), platform_(platform) {
    gameWindow.SetScale(scale);
    titleWindow.SetScale(scale);
    platform.AttachWindow(Window::Game, &gameWindow);
    platform.AttachWindow(Window::Title, &titleWindow);
}

void GameWindows::RecordTo(ScriptRecorder& recorder) {
    gameWindow.RecordTo(&recorder);
    titleWindow.RecordTo(&recorder);
    // The answer comes back inside the tick that opened the prompt, before the tick is done.
    platform_.SetAnswerObserver(
        [&recorder](const std::string& answer) { recorder.Answer(answer); });
}

}  // namespace vexmire
