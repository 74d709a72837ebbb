// Draws a picture of the game window as the game shows it full screen on a screen of the given
// size, with the game's own layout and scaler: the frame at a whole factor or filling the
// height, on black.
//
//   vexmire_frame_scaler FRAME.png SCREEN.png WIDTH HEIGHT
#include <iostream>

#include <QImage>
#include <QPainter>
#include <QString>

#include "platform/painter/frame_layout.h"

int main(int argc, char* argv[]) {
    if (argc != 5) {
        std::cerr << "usage: vexmire_frame_scaler FRAME.png SCREEN.png WIDTH HEIGHT\n";
        return 2;
    }
    const QImage frame =
        QImage(QString::fromLocal8Bit(argv[1])).convertToFormat(QImage::Format_RGB32);
    const QSize screen(QString(argv[3]).toInt(), QString(argv[4]).toInt());
    if (frame.isNull() || screen.isEmpty()) {
        std::cerr << "vexmire_frame_scaler: cannot read " << argv[1] << " or the size\n";
        return 1;
    }
    QImage shown(screen, QImage::Format_RGB32);
    shown.fill(Qt::black);
    const vexmire::FrameLayout layout = vexmire::LayOutFrame(screen, frame.size());
    QPainter painter(&shown);
    painter.drawImage(layout.target.topLeft(), vexmire::ScaleFrame(frame, layout));
    painter.end();
    if (!shown.save(QString::fromLocal8Bit(argv[2]))) {
        std::cerr << "vexmire_frame_scaler: cannot write " << argv[2] << "\n";
        return 1;
    }
    return 0;
}
