#include <QApplication>
#include <QFile>
#include <QIcon>

#include "app/game_windows.h"
#include "app/shell.h"
#include "app/start_failure.h"
#include "assets/pictures.h"
#include "platform/qt/qt_platform.h"

int main(int argc, char* argv[]) {
    // A whole number of screen pixels for each pixel of the maze, so every border stays sharp.
    QGuiApplication::setHighDpiScaleFactorRoundingPolicy(
        Qt::HighDpiScaleFactorRoundingPolicy::Round);
    StartFailureGuard startFailure;
    QApplication app(argc, argv);
    // Lets the desktop match the windows to the menu entry and its icon: by the app id on
    // Wayland, by the class "vexmire" (the entry's StartupWMClass) on X11, whatever the
    // program's file is called.
    QGuiApplication::setDesktopFileName("org.vexmire.Vexmire");
    QCoreApplication::setApplicationName("vexmire");
    // The program ends only through the platform, which also ends it when a window is closed.
    app.setQuitOnLastWindowClosed(false);
    // Both windows and every dialog wear the game's icon.
    if (QFile::exists(IconResource())) app.setWindowIcon(QIcon(IconResource()));

    QtPlatform platform;
    GameWindows windows(platform);
    Form_Load(windows.game);
    startFailure.Started();
    return app.exec();
}
