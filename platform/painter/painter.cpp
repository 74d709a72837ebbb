#include "platform/painter/painter.h"

#include <algorithm>

#include <QGuiApplication>
#include <QPalette>
#include <QRect>
#include <QRegion>

#include "platform/frame/frame_painter.h"
#include "platform/frame/rgba_frame.h"
#include "platform/painter/sprite_images.h"
#include "scene/pixel_rect.h"

namespace vexmire {

namespace {

const QRect kClientArea(0, 0, kGameWindowWidth, kGameWindowHeight);

QColor PaletteColour(QPalette::ColorRole role, QColor fallback) {
    if (!qGuiApp) return fallback;
    return QGuiApplication::palette().color(QPalette::Active, role);
}

// The entity's box in pixels, empty when it has no width or height. A box reaching far beyond
// the window is cut one pixel outside it: nothing changes on screen, and no size overflows.
QRect BoxOf(const Entity& entity) {
    const PixelRect rect = RectOf(entity);
    const int left = std::max(rect.left, -1);
    const int top = std::max(rect.top, -1);
    const int right = std::min(rect.right, kGameWindowWidth + 1);
    const int bottom = std::min(rect.bottom, kGameWindowHeight + 1);
    if (right <= left || bottom <= top) return {};
    return QRect(left, top, right - left, bottom - top);
}

// The pixels of `area` in the format Qt's windows draw fastest, converted here in one pass: Qt's
// own conversion of a whole window hands the work to a pool of threads, which on a busy machine
// took three times as long as the painting itself.
QImage Converted(const RgbaFrame& frame, const QRect& area) {
    QImage image(area.size(), QImage::Format_RGB32);
    const auto width = static_cast<size_t>(area.width());
    for (int y = 0; y < area.height(); ++y) {
        const Rgba* from =
            frame.pixels().data() +
            static_cast<size_t>(area.top() + y) * static_cast<size_t>(frame.width()) +
            static_cast<size_t>(area.left());
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (size_t x = 0; x < width; ++x) {
            line[x] = 0xFF000000u | (uint32_t{from[x].red} << 16) | (uint32_t{from[x].green} << 8) |
                      from[x].blue;
        }
    }
    return image;
}

}  // namespace

QColor ToQColor(Colour colour) {
    switch (colour) {
        case kMenuTextColour:
        case kWindowTextColour:
            return QColor(0, 0, 0);
        case kButtonFaceColour:
            return PaletteColour(QPalette::Button, QColor(240, 240, 240));
        case kButtonTextColour:
            return PaletteColour(QPalette::ButtonText, QColor(0, 0, 0));
        default:
            break;
    }
    return QColor(static_cast<int>(colour & 0xFF), static_cast<int>((colour >> 8) & 0xFF),
                  static_cast<int>((colour >> 16) & 0xFF));
}

void PaintScene(const Scene& scene, QPainter& painter) {
    PaintScene(scene, painter, QRegion(kClientArea));
}

// The picture is the painter without Qt's, the same as the browser's: only the area asked for
// is drawn there and then copied, pixel for pixel.
void PaintScene(const Scene& scene, QPainter& painter, const QRegion& area) {
    thread_local RgbaFrame frame(kGameWindowWidth, kGameWindowHeight);
    const QRegion clipped = area.intersected(kClientArea);
    for (const QRect& rect : clipped) {
        PaintScene(scene, frame,
                   PixelRect{rect.left(), rect.top(), rect.right() + 1, rect.bottom() + 1});
    }
    painter.save();
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    for (const QRect& rect : clipped) painter.drawImage(rect.topLeft(), Converted(frame, rect));
    painter.restore();
}

QRect PaintedArea(const Entity& entity) {
    if (!entity.visible) return {};
    switch (entity.kind) {
        case EntityKind::Shape:
        case EntityKind::Label:
            return BoxOf(entity) & kClientArea;
        case EntityKind::Image: {
            // As drawn: the sprite at its own size, whatever the image's width and height.
            if (!entity.picture) return {};
            const QImage& sprite = SpriteImage(entity.picture->drawing);
            if (sprite.isNull()) return {};
            const PixelRect rect = RectOf(entity);
            if (rect.left <= -sprite.width() || rect.top <= -sprite.height() ||
                rect.left >= kGameWindowWidth || rect.top >= kGameWindowHeight) {
                return {};
            }
            return QRect(QPoint(rect.left, rect.top), sprite.size()) & kClientArea;
        }
        case EntityKind::Timer:
            break;
    }
    return {};
}

QImage RenderScene(const Scene& scene) {
    return Converted(SceneFrame(scene), kClientArea);
}

}  // namespace vexmire
