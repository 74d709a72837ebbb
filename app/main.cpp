#include <QApplication>
#include <QFile>
#include <QIcon>
#include <QScreen>

#include "app/game_windows.h"
#include "app/shell.h"
#include "assets/pictures.h"
#include "platform/qt/destroyed_window_watch.h"
#include "platform/qt/painter.h"
#include "platform/qt/process_end.h"
#include "platform/qt/qt_platform.h"
#include "platform/qt/window_scale.h"
#include "platform/qt/x11_key_repeat.h"

int main(int argc, char* argv[]) {
    // Qt scales nothing by itself: the windows take a whole factor that fits the screen, below.
    const DesktopScaleWish scaleWish = TakeScalingFromQt();
    QApplication app(argc, argv);
    // Lets the desktop match the windows to the menu entry and its icon.
    QGuiApplication::setDesktopFileName("org.vexmire.Vexmire");
    // The program ends only through the platform, which also ends it when a window is closed.
    app.setQuitOnLastWindowClosed(false);
    // Both windows and every dialog wear the game's icon.
    if (QFile::exists(IconResource())) app.setWindowIcon(QIcon(IconResource()));
    KeepHeldKeysHeld(app);

    QtPlatform platform;
    const int scale = ChooseWindowScale(scaleWish, QGuiApplication::primaryScreen(),
                                        QSize(kGameWindowWidth, kGameWindowHeight));
    GameWindows windows(platform, scale);
    EndWhenDestroyed(platform, {&windows.form1, &windows.form2});
    Form_Load(windows.game);
    const int status = app.exec();
    // The process ends here without Qt's teardown. EndProcess flushes the standard streams;
    // anything else the program writes must be flushed before it.
    EndProcess(status);
}
