#include <gtest/gtest.h>

#include <QApplication>
#include <QtGlobal>

#include "platform/desktop/offscreen_notes.h"

using namespace vexmire;

// The Qt tests share one application on Qt's offscreen platform: no display is needed.
int main(int argc, char* argv[]) {
    QuietOffscreenNotes();
    ::testing::InitGoogleTest(&argc, argv);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    app.setQuitOnLastWindowClosed(false);
    return RUN_ALL_TESTS();
}
