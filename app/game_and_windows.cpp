#include "app/game_and_windows.h"

namespace vexmire {

GameAndWindows::GameAndWindows(QtPlatform& platform, int scale)
    : game(platform), gameWindow(game, platform), titleWindow(platform), platform_(platform) {
    gameWindow.SetScale(scale);
    titleWindow.SetScale(scale);
    platform.AttachWindow(Window::Game, &gameWindow);
    platform.AttachWindow(Window::Title, &titleWindow);
}

void GameAndWindows::RecordTo(ScriptRecorder& recorder) {
    gameWindow.RecordTo(&recorder);
    titleWindow.RecordTo(&recorder);
    // The answer comes back inside the tick that opened the prompt, before the tick is done.
    platform_.SetAnswerObserver(
        [&recorder](const std::string& answer) { recorder.Record(PlayerEvent::Answer(answer)); });
}

}  // namespace vexmire
