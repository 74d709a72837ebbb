#include <gtest/gtest.h>

#include <QApplication>
#include <QString>
#include <QtGlobal>

// The Qt tests share one application on Qt's offscreen platform: no display is needed.
namespace {

// The offscreen platform cannot raise a window; saying so for every window shown is noise.
void QuietOffscreenNotes(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (text.contains(QLatin1String("does not support raise"))) return;
    qt_message_output(type, context, text);
}

}  // namespace

int main(int argc, char* argv[]) {
    qInstallMessageHandler(QuietOffscreenNotes);
    ::testing::InitGoogleTest(&argc, argv);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    app.setQuitOnLastWindowClosed(false);
    return RUN_ALL_TESTS();
}
