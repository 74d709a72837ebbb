#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace vexmire {

// The eight figure drawings as plain pixels, for the painter that draws without Qt. Written by
// tools/make_sprites.py together with the PNG files that the Qt windows load, from one drawing.

constexpr int kSpriteSide = 30;
constexpr size_t kSpriteDrawings = 8;

struct SpriteColour {
    char key;
    uint8_t red, green, blue;
};

struct SpritePixels {
    std::string_view name;  // as DrawingName gives it, e.g. "player_right"
    // The colours of the drawing, each under the character that stands for it in the rows.
    std::array<SpriteColour, 16> colours;
    // Top row first, one character a pixel, '.' where the picture is transparent.
    std::array<std::string_view, kSpriteSide> rows;
};

extern const std::array<SpritePixels, kSpriteDrawings> kSpritePixels;

}  // namespace vexmire
