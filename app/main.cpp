#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iostream>
#include <optional>

#include <QApplication>
#include <QFile>
#include <QIcon>
#include <QScreen>

#include "app/game_windows.h"
#include "app/options.h"
#include "app/replay.h"
#include "app/start_failure.h"
#include "assets/pictures.h"
#include "game/script_recorder.h"
#include "game/shell.h"
#include "platform/qt/destroyed_window_watch.h"
#include "platform/qt/painter.h"
#include "platform/qt/process_end.h"
#include "platform/qt/qt_platform.h"
#include "platform/qt/stop_signals.h"
#include "platform/qt/window_scale.h"
#include "platform/qt/x11_key_repeat.h"

using namespace vexmire;

namespace {

constexpr int kCannotStart = 1;
constexpr int kRefused = 2;

// Qt itself ends the process with exit(1) when the display server goes away under the game (the
// X server or the Wayland compositor ends or dies): the recording is finished then too. The
// game's own ends skip the exit handlers (EndProcess) and finish the recording themselves.
ScriptRecorder* recordingToFinish = nullptr;

void FinishRecordingOnExit() {
    if (recordingToFinish != nullptr) recordingToFinish->Finish();
}

int Refuse(const std::string& why, int status) {
    std::cerr << "vexmire: " << why << '\n';
    return status;
}

}  // namespace

int main(int argc, char* argv[]) {
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

    // Both files are dealt with before any window opens: a replay is read whole first, so that
    // it may even be recorded over.
    std::optional<Replay::Loaded> replay;
    if (!options.replayPath.empty()) {
        replay.emplace(Replay::Load(options.replayPath));
        if (replay->status != 0) return Refuse(replay->message, replay->status);
    }
    std::ofstream recording;
    std::optional<ScriptRecorder> recorder;
    if (!options.recordPath.empty()) {
        recording.open(options.recordPath, std::ios::binary | std::ios::trunc);
        if (!recording) {
            return Refuse("cannot write " + options.recordPath + ": " + std::strerror(errno),
                          kCannotStart);
        }
        recorder.emplace(recording, options.recordPath, std::cerr);
        if (!recorder->Begin()) {
            return Refuse("cannot write " + options.recordPath + ": " + std::strerror(errno),
                          kCannotStart);
        }
        recordingToFinish = &*recorder;
        std::atexit(FinishRecordingOnExit);
    }

    // Qt scales nothing by itself: the windows take a whole factor that fits the screen, below.
    const DesktopScaleWish scaleWish = TakeScalingFromQt();
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
    KeepHeldKeysHeld(app);

    QtPlatform platform;
    const int scale = ChooseWindowScale(scaleWish, QGuiApplication::primaryScreen(),
                                        QSize(kGameWindowWidth, kGameWindowHeight));
    GameWindows windows(platform, scale);
    EndWhenDestroyed(platform, {&windows.gameWindow, &windows.titleWindow});
    EndOnStopSignals(platform);
    if (recorder) windows.RecordTo(*recorder);
    if (replay) replay->replay.PlayIn(windows, platform);
    Form_Load(windows.game);
    startFailure.Started();
    const int status = app.exec();
    if (recorder) recorder->Finish();
    // The process ends here without Qt's teardown. EndProcess flushes the standard streams;
    // anything else the program writes must be flushed before it (the recording is, above).
    EndProcess(status);
}
