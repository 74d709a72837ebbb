#include "platform/frame/rgba_frame.h"

#include <algorithm>

namespace vexmire {

RgbaFrame::RgbaFrame(int width, int height, Rgba fill)
    : width_(std::max(width, 0)),
      height_(std::max(height, 0)),
      pixels_(static_cast<size_t>(width_) * static_cast<size_t>(height_), fill),
      clip_{0, 0, width_, height_} {}

void RgbaFrame::SetClip(const PixelRect& clip) {
    clip_ = PixelRect{0, 0, width_, height_};
    clip_ = Clipped(clip);
}

PixelRect RgbaFrame::Clipped(const PixelRect& box) const {
    PixelRect clipped{std::max(box.left, clip_.left), std::max(box.top, clip_.top),
                      std::min(box.right, clip_.right), std::min(box.bottom, clip_.bottom)};
    if (clipped.right < clipped.left) clipped.right = clipped.left;
    if (clipped.bottom < clipped.top) clipped.bottom = clipped.top;
    return clipped;
}

// The first row is filled pixel by pixel and copied into the others, which the compiler turns
// into block copies: filling the floor of the whole window was most of a whole paint.
void RgbaFrame::Fill(const PixelRect& box, Rgba colour) {
    const PixelRect clipped = Clipped(box);
    if (clipped.left >= clipped.right || clipped.top >= clipped.bottom) return;
    const auto rowAt = [&](int y) {
        return pixels_.begin() + static_cast<std::ptrdiff_t>(Index(clipped.left, y));
    };
    const std::ptrdiff_t width = clipped.right - clipped.left;
    std::fill(rowAt(clipped.top), rowAt(clipped.top) + width, colour);
    for (int y = clipped.top + 1; y < clipped.bottom; ++y) {
        std::copy(rowAt(clipped.top), rowAt(clipped.top) + width, rowAt(y));
    }
}

}  // namespace vexmire
