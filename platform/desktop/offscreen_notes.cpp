#include "platform/desktop/offscreen_notes.h"

#include <QString>
#include <QtGlobal>

namespace vexmire {

namespace {

void DropRaiseNotes(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (text.contains(QLatin1String("does not support raise"))) return;
    qt_message_output(type, context, text);
}

}  // namespace

void QuietOffscreenNotes() {
    qInstallMessageHandler(DropRaiseNotes);
}

}  // namespace vexmire
