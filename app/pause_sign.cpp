#include "app/pause_sign.h"

#include <QFont>

#include "platform/painter/game_font.h"
#include "platform/painter/painter.h"

namespace vexmire {

namespace {

// The band, in the game's own pixels, across the middle of the maze.
constexpr int kBandHeight = 64;
constexpr int kTextPixels = 24;

}  // namespace

QString PauseSignText(const WindowNote& note) {
    return note.replay ? QStringLiteral("Paused: press Space to go on")
                       : QStringLiteral("Paused: press P to go on");
}

QString GameWindowTitle(const WindowNote& note) {
    QString title = QStringLiteral("Vexmire");
    if (note.replay) title += QStringLiteral(": replay at %1x").arg(note.replaySpeed);
    if (note.paused) title += QStringLiteral(" (%1)").arg(PauseSignText(note));
    return title;
}

void PaintPauseSign(QPainter& painter, const QRect& frame, const QString& text) {
    if (frame.isEmpty()) return;
    painter.save();
    painter.translate(frame.topLeft());
    painter.scale(static_cast<double>(frame.width()) / kGameWindowWidth,
                  static_cast<double>(frame.height()) / kGameWindowHeight);
    const QRect band(0, (kGameWindowHeight - kBandHeight) / 2, kGameWindowWidth, kBandHeight);
    painter.fillRect(band, QColor(0, 0, 0, 192));
    QFont font(GameFontFamily("MS Sans Serif"));
    font.setPixelSize(kTextPixels);
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(band, Qt::AlignCenter, text);
    painter.restore();
}

}  // namespace vexmire
