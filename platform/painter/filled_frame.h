#pragma once

#include <QImage>
#include <QRegion>
#include <QSize>

#include "platform/painter/frame_layout.h"

namespace vexmire {

// The frame as it fills a full screen's height (FrameLayout, not whole): enlarged without
// smoothing, then brought down smoothly to the target's size, at the target's own origin.
// Bringing the whole frame down costs some 15 ms, too much for 64 ticks a second, so only the
// rows that a change of the game's pixels reaches are drawn again. Each such row is drawn
// whole, from its first pixel, so that it comes out exactly as in a picture drawn at once.
class FilledFrame {
  public:
    // The rows of the target, as a region of it, that a change of the game's pixels `game`
    // reaches: the smoothing reaches a pixel beyond.
    static QRegion RowsReached(const QRegion& game, const FrameLayout& layout, QSize frame);
    // The game's pixels that the rows `rows` of the target show, whole rows of them.
    static QRegion GameRows(const QRegion& rows, const FrameLayout& layout, QSize frame);

    // Draws again what `game` of `frame` reaches; everything when the layout has changed.
    void Update(const QImage& frame, const QRegion& game, const FrameLayout& layout);
    const QImage& image() const { return image_; }

  private:
    QImage enlarged_;
    QImage image_;
    FrameLayout layout_;
};

// The whole frame as FilledFrame draws it.
QImage FillWithFrame(const QImage& frame, const FrameLayout& layout);

}  // namespace vexmire
