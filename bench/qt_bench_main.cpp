#include "qt_bench_main.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QCoreApplication>
#include <QEvent>
#include <QKeyEvent>
#include <QtGlobal>

#include "app/shell.h"
#include "platform/qt/offscreen_notes.h"

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
    windows.form2.cmdRun()->click();
    QKeyEvent right(QEvent::KeyPress, Qt::Key_Right, Qt::NoModifier);
    QCoreApplication::sendEvent(&windows.form1, &right);
}
