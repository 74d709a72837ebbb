#pragma once

#include <QPainter>
#include <QRect>
#include <QString>

namespace vexmire {

// What the game window says while the game holds still, whether the player paused it or another
// application has the keyboard, and how fast a replay goes: over the frame and in the title.
struct WindowNote {
    bool paused = false;
    bool replay = false;
    int replaySpeed = 1;
};

// "Paused: press P to go on" (Space, in a replay).
QString PauseSignText(const WindowNote& note);

// "Vexmire", with the replay's speed and the pause after it.
QString GameWindowTitle(const WindowNote& note);

// The sign across the middle of the frame, which lies at `frame` on the painter; sized with the
// frame, so that it reads the same at every scale.
void PaintPauseSign(QPainter& painter, const QRect& frame, const QString& text);

}  // namespace vexmire
