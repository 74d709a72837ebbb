#include "platform/painter/frame_layout.h"

#include <algorithm>
#include <cstdint>

#include "platform/painter/filled_frame.h"

namespace vexmire {

namespace {

// The largest size of the frame's proportions that fits the window, rounded to whole pixels.
QSize FittingSize(QSize window, QSize frame) {
    const int64_t widthAtFullHeight =
        (int64_t{frame.width()} * window.height() + frame.height() / 2) / frame.height();
    if (widthAtFullHeight <= window.width()) {
        return {static_cast<int>(widthAtFullHeight), window.height()};
    }
    const int64_t heightAtFullWidth =
        (int64_t{frame.height()} * window.width() + frame.width() / 2) / frame.width();
    return {window.width(), static_cast<int>(heightAtFullWidth)};
}

QRect Centred(QSize size, QSize window) {
    return {QPoint((window.width() - size.width()) / 2, (window.height() - size.height()) / 2),
            size};
}

}  // namespace

FrameLayout LayOutFrame(QSize window, QSize frame) {
    FrameLayout layout;
    if (frame.isEmpty() || window.isEmpty()) {
        layout.target = QRect(QPoint(), QSize(0, 0));
        return layout;
    }
    const int factor = std::min(window.width() / frame.width(), window.height() / frame.height());
    const QSize fitting = FittingSize(window, frame);
    if (factor >= 2 || fitting == frame * factor) {
        layout.wholeFactor = factor;
        layout.target = Centred(frame * factor, window);
        return layout;
    }
    layout.wholeFactor = 0;
    layout.upFactor = factor + 1;
    layout.target = Centred(fitting, window);
    return layout;
}

QImage ScaleFrame(const QImage& frame, const FrameLayout& layout) {
    if (layout.whole()) {
        return frame.scaled(layout.target.size(), Qt::IgnoreAspectRatio, Qt::FastTransformation);
    }
    return FillWithFrame(frame, layout);
}

}  // namespace vexmire
