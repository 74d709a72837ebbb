#include "qt_bench_main.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QString>
#include <QtGlobal>

namespace {

// The offscreen platform cannot raise a window; saying so for every window shown is noise.
void QuietOffscreenNotes(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (text.contains(QLatin1String("does not support raise"))) return;
    qt_message_output(type, context, text);
}

}  // namespace

int RunQtBenchmarks(int argc, char* argv[]) {
    qInstallMessageHandler(QuietOffscreenNotes);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    app.setQuitOnLastWindowClosed(false);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
