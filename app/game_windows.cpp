#include "app/game_windows.h"

GameWindows::GameWindows(QtPlatform& platform)
    : game(platform), form1(game, platform), form2(platform) {
    platform.AttachWindow(Window::Game, &form1);
    platform.AttachWindow(Window::Title, &form2);
}
