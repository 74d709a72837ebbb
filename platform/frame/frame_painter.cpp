#include "platform/frame/frame_painter.h"

#include <algorithm>
#include <cstdint>

#include "platform/frame/disc_pixels.h"
#include "platform/frame/frame_sprites.h"
#include "platform/frame/frame_text.h"
#include "scene/level.h"
#include "scene/pixel_rect.h"

namespace vexmire {

namespace {

int64_t Width(const PixelRect& rect) {
    return int64_t{rect.right} - rect.left;
}

int64_t Height(const PixelRect& rect) {
    return int64_t{rect.bottom} - rect.top;
}

bool IsEmpty(const PixelRect& rect) {
    return rect.right <= rect.left || rect.bottom <= rect.top;
}

void PaintRectangle(const Entity& shape, RgbaFrame& frame) {
    const PixelRect box = RectOf(shape);
    if (IsEmpty(box)) return;
    frame.Fill(box, FrameColour(shape.borderColour));
    const PixelRect inside{box.left + 1, box.top + 1, box.right - 1, box.bottom - 1};
    if (!IsEmpty(inside)) frame.Fill(inside, FrameColour(shape.fillColour));
}

// An oval fills its whole box; a circle is the largest one that fits, centred in the box.
void PaintDisc(const Entity& shape, RgbaFrame& frame) {
    PixelRect disc = RectOf(shape);
    int64_t width = Width(disc);
    int64_t height = Height(disc);
    if (width <= 0 || height <= 0) return;
    if (shape.shape == ShapeKind::Circle) {
        const int64_t side = std::min(width, height);
        disc.left = static_cast<int32_t>(disc.left + (width - side) / 2);
        disc.top = static_cast<int32_t>(disc.top + (height - side) / 2);
        width = height = side;
    }
    const PixelRect box = frame.Clipped(RectOf(shape));
    if (width > INT32_MAX || height > INT32_MAX) return;
    const Rgba border = FrameColour(shape.borderColour);
    const Rgba fill = FrameColour(shape.fillColour);
    for (int y = box.top; y < box.bottom; ++y) {
        for (int x = box.left; x < box.right; ++x) {
            const DiscPixel kind = DiscPixelAt(x - disc.left, y - disc.top, static_cast<int>(width),
                                               static_cast<int>(height));
            if (kind != DiscPixel::Outside) {
                frame.Set(x, y, kind == DiscPixel::Outline ? border : fill);
            }
        }
    }
}

void PaintImage(const Entity& image, RgbaFrame& frame) {
    if (!image.picture) return;
    const PixelRect rect = RectOf(image);
    if (rect.left <= -kSpriteSide || rect.top <= -kSpriteSide || rect.left >= frame.width() ||
        rect.top >= frame.height()) {
        return;
    }
    const SpriteFrame& sprite = SpriteFrameOf(image.picture->drawing);
    for (int y = 0; y < kSpriteSide; ++y) {
        for (int x = 0; x < kSpriteSide; ++x) {
            const Rgba pixel = sprite[static_cast<size_t>(y * kSpriteSide + x)];
            if (pixel.alpha != 0) frame.Set(rect.left + x, rect.top + y, pixel);
        }
    }
}

void PaintLabel(const Entity& label, RgbaFrame& frame) {
    const PixelRect box = RectOf(label);
    if (IsEmpty(box)) return;
    if (!label.transparent) frame.Fill(box, FrameColour(label.backColour));
    if (label.caption.empty()) return;
    const GlyphFont& font = GlyphFontFor(label.font);
    const int width = static_cast<int>(std::min<int64_t>(Width(box), frame.width() + 2));
    const Rgba colour = FrameColour(label.foreColour);
    int top = box.top;
    for (const std::u32string& line : WrapAtSpaces(DecodeUtf8(label.caption), font, width)) {
        if (top >= box.bottom || top >= frame.height()) break;
        int left = box.left;
        if (label.alignment == Alignment::Centre) left += (width - LineWidth(font, line)) / 2;
        DrawLine(frame, font, left, top + font.ascent, line, colour, box);
        top += font.LineHeight();
    }
}

// Whether painting the entity may change a pixel of `area`: a sprite covers its own 30 × 30
// pixels, whatever the image's width and height.
bool MayTouch(const Entity& entity, const PixelRect& area) {
    PixelRect box = RectOf(entity);
    if (entity.kind == EntityKind::Image) {
        const int64_t right = int64_t{box.left} + kSpriteSide;
        const int64_t bottom = int64_t{box.top} + kSpriteSide;
        box.right = static_cast<int32_t>(std::min<int64_t>(right, INT32_MAX));
        box.bottom = static_cast<int32_t>(std::min<int64_t>(bottom, INT32_MAX));
    }
    return box.left < area.right && area.left < box.right && box.top < area.bottom &&
           area.top < box.bottom;
}

void PaintEntity(const Entity& entity, RgbaFrame& frame) {
    switch (entity.kind) {
        case EntityKind::Shape:
            if (entity.shape == ShapeKind::Rectangle) {
                PaintRectangle(entity, frame);
            } else {
                PaintDisc(entity, frame);
            }
            break;
        case EntityKind::Image:
            PaintImage(entity, frame);
            break;
        case EntityKind::Label:
            PaintLabel(entity, frame);
            break;
        case EntityKind::Timer:
            break;
    }
}

}  // namespace

Rgba FrameColour(Colour colour) {
    switch (colour) {
        case kMenuTextColour:
        case kWindowTextColour:
        case kButtonTextColour:
            return {0, 0, 0, 255};
        case kButtonFaceColour:
            return {240, 240, 240, 255};
        default:
            break;
    }
    return {static_cast<uint8_t>(colour & 0xFF), static_cast<uint8_t>((colour >> 8) & 0xFF),
            static_cast<uint8_t>((colour >> 16) & 0xFF), 255};
}

void PaintScene(const Scene& scene, RgbaFrame& frame, const PixelRect& area) {
    const PixelRect whole{0, 0, frame.width(), frame.height()};
    frame.SetClip(area);
    PaintScene(scene, frame);
    frame.SetClip(whole);
}

void PaintScene(const Scene& scene, RgbaFrame& frame) {
    frame.Fill({0, 0, frame.width(), frame.height()}, FrameColour(kFloorColour));
    const auto& entities = scene.entities();
    for (auto entity = entities.rbegin(); entity != entities.rend(); ++entity) {
        if (entity->visible && MayTouch(*entity, frame.clip())) PaintEntity(*entity, frame);
    }
}

RgbaFrame SceneFrame(const Scene& scene) {
    RgbaFrame frame(kClientWidth, kClientHeight);
    PaintScene(scene, frame);
    return frame;
}

}  // namespace vexmire
