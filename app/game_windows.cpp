#include "app/game_windows.h"

GameWindows::GameWindows(QtPlatform& platform, int scale)
    : game(platform), form1(game, platform), form2(platform), platform_(platform) {
    form1.SetScale(scale);
    form2.SetScale(scale);
    platform.AttachWindow(Window::Game, &form1);
    platform.AttachWindow(Window::Title, &form2);
}

void GameWindows::RecordTo(ScriptRecorder& recorder) {
    form1.RecordTo(&recorder);
    form2.RecordTo(&recorder);
    // The answer comes back inside the tick that opened the prompt, before the tick is done.
    platform_.SetAnswerObserver(
        [&recorder](const std::string& answer) { recorder.Answer(answer); });
}
