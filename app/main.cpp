#include <QApplication>
#include <QFile>
#include <QIcon>

#include "app/shell.h"
#include "app/title_window.h"
#include "assets/pictures.h"
#include "game/game.h"
#include "platform/qt/game_window.h"
#include "platform/qt/qt_platform.h"

int main(int argc, char* argv[]) {
    // A whole number of screen pixels for each pixel of the maze, so every border stays sharp.
    QGuiApplication::setHighDpiScaleFactorRoundingPolicy(
        Qt::HighDpiScaleFactorRoundingPolicy::Round);
    QApplication app(argc, argv);
    // Lets the desktop match the windows to the menu entry and its icon.
    QGuiApplication::setDesktopFileName("org.vexmire.Vexmire");
    // The program ends only through the platform, which also ends it when a window is closed.
    app.setQuitOnLastWindowClosed(false);
    // Both windows and every dialog wear the game's icon.
    if (QFile::exists(IconResource())) app.setWindowIcon(QIcon(IconResource()));

    QtPlatform platform;
    Game game(platform);
    GameWindow form1(game, platform);
    TitleWindow form2(platform);
    platform.AttachWindow(Window::Game, &form1);
    platform.AttachWindow(Window::Title, &form2);
    Form_Load(game);
    return app.exec();
}
