#pragma once

#include <cstdint>
#include <vector>

#include "scene/pixel_rect.h"

namespace vexmire {

// One pixel as a canvas holds it: red, green, blue and alpha, a byte each, in that order.
struct Rgba {
    uint8_t red = 0;
    uint8_t green = 0;
    uint8_t blue = 0;
    uint8_t alpha = 255;

    friend bool operator==(const Rgba&, const Rgba&) = default;
};

// A picture in plain memory, rows top first, that a browser's canvas or any image takes as it
// is. Every drawing call is clipped to the clip rectangle, the whole frame unless set.
class RgbaFrame {
  public:
    RgbaFrame(int width, int height, Rgba fill = {});

    int width() const { return width_; }
    int height() const { return height_; }
    Rgba at(int x, int y) const { return pixels_[Index(x, y)]; }
    const std::vector<Rgba>& pixels() const { return pixels_; }

    void Set(int x, int y, Rgba colour) {
        if (x >= clip_.left && y >= clip_.top && x < clip_.right && y < clip_.bottom) {
            pixels_[Index(x, y)] = colour;
        }
    }
    void Fill(const PixelRect& box, Rgba colour);

    // Drawing touches only the pixels of `clip` that lie in the frame.
    void SetClip(const PixelRect& clip);
    const PixelRect& clip() const { return clip_; }

    // The clip rectangle cut down to `box`.
    PixelRect Clipped(const PixelRect& box) const;

  private:
    size_t Index(int x, int y) const {
        return static_cast<size_t>(y) * static_cast<size_t>(width_) + static_cast<size_t>(x);
    }

    int width_;
    int height_;
    std::vector<Rgba> pixels_;
    PixelRect clip_;
};

}  // namespace vexmire
