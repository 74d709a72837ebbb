#include <QApplication>
#include <QFile>
#include <QIcon>

#include "app/game_windows.h"
#include "app/shell.h"
#include "assets/pictures.h"
#include "platform/qt/destroyed_window_watch.h"
#include "platform/qt/process_end.h"
#include "platform/qt/qt_platform.h"
#include "platform/qt/x11_key_repeat.h"

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
    KeepHeldKeysHeld(app);

    QtPlatform platform;
    GameWindows windows(platform);
    EndWhenDestroyed(platform, {&windows.form1, &windows.form2});
    Form_Load(windows.game);
    const int status = app.exec();
    // The process ends here without Qt's teardown. EndProcess flushes the standard streams;
    // anything else the program writes must be flushed before it.
    EndProcess(status);
}
