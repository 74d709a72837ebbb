#include "app/game_windows.h"

GameWindows::GameWindows(QtPlatform& platform, int scale)
    : game(platform), form1(game, platform), form2(platform) {
    form1.SetScale(scale);
    form2.SetScale(scale);
    platform.AttachWindow(Window::Game, &form1);
    platform.AttachWindow(Window::Title, &form2);
}
