#include <QBuffer>
#include <QByteArray>
#include <QGuiApplication>
#include <QImage>
#include <QImageWriter>
#include <QString>
#include <QtGlobal>
#include <string_view>

#include "platform/painter/painter.h"
#include "script/malformed_line.h"
#include "sim/render.h"
#include "sim/whole_file.h"

namespace vexmire {

namespace {

// Qt's own diagnostics are not the driver's to print: its standard error carries only its
// one-line failures.
void DropQtMessages(QtMsgType, const QMessageLogContext&, const QString&) {}

// Fonts and images need a GUI application. The driver has no display, so it always draws on
// Qt's offscreen platform; the application lives until the process ends.
void EnsureGuiApplication() {
    if (QCoreApplication::instance()) return;
    static int argc = 3;
    static char name[] = "vexmire-sim";
    static char platformOption[] = "-platform";
    static char offscreen[] = "offscreen";
    static char* argv[] = {name, platformOption, offscreen, nullptr};
    qInstallMessageHandler(DropQtMessages);
    static QGuiApplication* const application = new QGuiApplication(argc, argv);
    Q_UNUSED(application);
}

}  // namespace

bool RenderGameWindow(const Scene& scene, const std::string& path, std::string& error) {
    EnsureGuiApplication();
    // Qt's file device does not report a close that fails, which is where a full disk shows:
    // the picture is encoded in memory and written by hand.
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "png");
    if (!writer.write(RenderScene(scene))) {
        error = "cannot encode " + Shortened(path) + ": " + writer.errorString().toStdString();
        return false;
    }
    return WriteWholeFile(path, std::string_view(png.constData(), static_cast<size_t>(png.size())),
                          error);
}

}  // namespace vexmire
