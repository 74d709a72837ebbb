#pragma once

#include <QImage>
#include <QRect>
#include <QSize>

namespace vexmire {

// Where the game's frame lies in a window of any size, in the screen's pixels. Where a whole
// factor of at least 2 fits, or the window is exactly the frame at a whole factor, each pixel of
// the game is a square of `wholeFactor` pixels, centred on black. Where only 1x fits and leaves
// room (a full screen of 1920 x 1080), the frame instead fills the window's height (or its width,
// if that is the narrower fit) at the frame's own proportions: enlarged by `upFactor` without
// smoothing, then brought down smoothly, so that edges stay crisp without the blur of one smooth
// step; `wholeFactor` is then 0.
struct FrameLayout {
    QRect target;
    int wholeFactor = 1;
    int upFactor = 1;

    bool whole() const { return wholeFactor > 0; }
};

FrameLayout LayOutFrame(QSize window, QSize frame);

// The frame drawn into a layout's target: at a whole factor each pixel copied to a square,
// otherwise enlarged and brought down as above.
QImage ScaleFrame(const QImage& frame, const FrameLayout& layout);

}  // namespace vexmire
