#include "bench/qt_bench_main.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QCoreApplication>
#include <QEvent>
#include <QKeyEvent>
#include <QtGlobal>

#include "game/shell.h"
#include "platform/desktop/offscreen_notes.h"

namespace vexmire {

int RunQtBenchmarks(int argc, char* argv[]) {
    QuietOffscreenNotes();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    app.setQuitOnLastWindowClosed(false);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

RealWindows::RealWindows() : windows(platform) {
    platform.SetBeep([] {});
    platform.SetExit([] {});
}

void RealWindows::StartWalkingRight() {
    Form_Load(windows.game);
    windows.titleWindow.cmdRun()->click();
    QKeyEvent right(QEvent::KeyPress, Qt::Key_Right, Qt::NoModifier);
    QCoreApplication::sendEvent(&windows.gameWindow, &right);
}

}  // namespace vexmire
