#include "platform/frame/frame_sprites.h"

#include <optional>

#include "scene/program_fault.h"

namespace vexmire {

namespace {

Rgba ColourOfKey(const SpritePixels& sprite, char key) {
    for (const SpriteColour& colour : sprite.colours) {
        if (colour.key == key) return {colour.red, colour.green, colour.blue, 255};
    }
    throw ProgramFault("the sprite " + std::string(sprite.name) + " has no colour " + key);
}

SpriteFrame Decoded(const SpritePixels& sprite) {
    SpriteFrame frame{};
    for (size_t y = 0; y < kSpriteSide; ++y) {
        for (size_t x = 0; x < kSpriteSide; ++x) {
            const char key = sprite.rows[y][x];
            frame[y * kSpriteSide + x] = key == '.' ? Rgba{0, 0, 0, 0} : ColourOfKey(sprite, key);
        }
    }
    return frame;
}

const SpritePixels& PixelsOf(Drawing drawing) {
    for (const SpritePixels& sprite : kSpritePixels) {
        if (sprite.name == DrawingName(drawing)) return sprite;
    }
    throw ProgramFault("no pixels for the drawing " + std::string(DrawingName(drawing)));
}

}  // namespace

const SpriteFrame& SpriteFrameOf(Drawing drawing) {
    static std::array<std::optional<SpriteFrame>, kSpriteDrawings> frames;
    std::optional<SpriteFrame>& frame = frames.at(static_cast<size_t>(drawing));
    if (!frame) frame = Decoded(PixelsOf(drawing));
    return *frame;
}

}  // namespace vexmire
