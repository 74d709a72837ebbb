#include <csignal>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <mutex>
#include <optional>

#include <QApplication>
#include <QFile>
#include <QIcon>
#include <QScreen>

#include "app/game_and_windows.h"
#include "app/gamepad_control.h"
#include "app/options.h"
#include "app/recording_file.h"
#include "app/replay.h"
#include "app/start_failure.h"
#include "assets/pictures.h"
#include "script/script_recorder.h"
#include "game/shell.h"
#include "platform/desktop/destroyed_window_watch.h"
#include "platform/painter/painter.h"
#include "platform/desktop/process_end.h"
#include "platform/qt/qt_platform.h"
#include "platform/desktop/stop_signals.h"
#include "platform/desktop/window_scale.h"
#include "platform/desktop/x11_key_repeat.h"
#include "platform/gamepad/game_controllers.h"

using namespace vexmire;

namespace {

constexpr int kCannotStart = 1;
constexpr int kRefused = 2;

// Every ending of the game leaves through its session, and the game's own ends skip the exit
// handlers (EndProcess). Once the game has started, only the toolkit itself ends the process,
// when the display server goes away under the game (the X server or the Wayland compositor ends
// or dies): that ending goes through the session too.
Session* playing = nullptr;
std::once_flag endedOnTheToolkitsExit;

// On Wayland two of the toolkit's threads may each say that the connection broke and end the
// process: the second waits here until the first has finished.
void EndOnTheToolkitsExit() {
    if (playing == nullptr) return;
    std::call_once(endedOnTheToolkitsExit, [] { playing->End(Ending::DisplayGone); });
}

int Refuse(const std::string& why, int status) {
    std::cerr << "vexmire: " << why << '\n';
    return status;
}

}  // namespace

int main(int argc, char* argv[]) {
    CatchStopSignals();
    const Options options = ParseOptions(argc, argv);
    switch (options.action) {
        case Options::Action::ShowHelp:
            std::cout << HelpText();
            return 0;
        case Options::Action::ShowVersion:
            std::cout << VersionText();
            return 0;
        case Options::Action::Refuse:
            return Refuse(options.refusal + " (try 'vexmire --help')", kRefused);
        case Options::Action::Play:
            break;
    }

    // The recording's file is checked before anything else, and left as it is until the game's
    // windows are up: a game that cannot start leaves an existing file byte for byte.
    RecordingFile recordingFile;
    if (!options.recordPath.empty()) {
        if (!options.replayPath.empty() && IsTheReplay(options.recordPath, options.replayPath)) {
            return Refuse("cannot record into " + options.recordPath +
                              ": it is the replay being played",
                          kRefused);
        }
        std::string why;
        if (!recordingFile.Open(options.recordPath, why)) {
            return Refuse("cannot write " + options.recordPath + ": " + why, kCannotStart);
        }
        // A reader that goes away is a failed write, which stops the recording, not the game.
        std::signal(SIGPIPE, SIG_IGN);
    }

    // Qt scales nothing by itself: the windows take a whole factor that fits the screen, below.
    const DesktopScaleWish scaleWish = TakeScalingFromQt();
    StartFailureGuard startFailure;
    std::atexit(EndOnTheToolkitsExit);
    QApplication app(argc, argv);

    // With the display there, the replay is read and checked whole before any window opens.
    std::optional<Replay::Loaded> replay;
    if (!options.replayPath.empty()) {
        replay.emplace(Replay::Load(options.replayPath));
        if (replay->status != 0) EndProcess(Refuse(replay->message, replay->status));
    }

    // Lets the desktop match the windows to the menu entry and its icon: by the app id on
    // Wayland, by the class "vexmire" (the entry's StartupWMClass) on X11, whatever the
    // program's file is called.
    QGuiApplication::setDesktopFileName("org.vexmire.Vexmire");
    QCoreApplication::setApplicationName("vexmire");
    // The program ends only through the platform, which also ends it when a window is closed.
    app.setQuitOnLastWindowClosed(false);
    // Both windows and every dialog wear the game's icon.
    if (QFile::exists(IconResource())) app.setWindowIcon(QIcon(IconResource()));
    KeepHeldKeysHeld(app);

    QtPlatform platform;
    const int scale = ChooseWindowScale(scaleWish, QGuiApplication::primaryScreen(),
                                        QSize(kGameWindowWidth, kGameWindowHeight));
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QApplication::setFont(FontAtWindowScale(QApplication::font(), scale,
                                                screen->devicePixelRatio(),
                                                screen->logicalDotsPerInch()));
    }
    GameAndWindows windows(platform, scale);
    Session& session = windows.session;
    EndWhenDestroyed(platform, {&windows.gameWindow, &windows.titleWindow},
                     [&session] { session.End(Ending::WindowClosed); });

    std::optional<ScriptRecorder> recorder;
    if (!options.recordPath.empty()) {
        std::string why;
        const int fd = recordingFile.Take(why);
        if (fd >= 0) {
            recorder.emplace(fd, options.recordPath, std::cerr);
            if (!recorder->Begin()) why = std::strerror(recorder->writeError());
        }
        if (!why.empty()) {
            EndProcess(Refuse("cannot write " + options.recordPath + ": " + why, kCannotStart));
        }
        windows.RecordTo(*recorder);
    }
    if (options.fullScreen) windows.gameWindow.SetFullScreen(true);
    // A replay is watched, not played: no controller takes part in it.
    std::optional<GameControllers> controllers;
    std::optional<GamepadControl> gamepad;
    if (replay) {
        replay->replay.PlayIn(windows, platform, options.replaySpeed);
    } else {
        windows.gameWindow.LetRest();
        controllers.emplace();
        gamepad.emplace(*controllers, windows.gameWindow, windows.titleWindow, platform);
    }
    EndOnStopSignals(platform, [&session] { session.End(Ending::StopSignal); });
    Form_Load(windows.game);
    startFailure.Started();
    playing = &session;
    startFailure.WhenTheDisplayGoes(EndOnTheToolkitsExit);
    app.exec();
    // The process ends here without Qt's teardown, with the status of the session's ending;
    // the session has finished the recording. EndProcess flushes the standard streams.
    EndProcess(ExitStatus(session.ending()));
}
