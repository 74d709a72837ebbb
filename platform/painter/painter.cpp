#include "platform/painter/painter.h"

#include <algorithm>
#include <cstdint>

#include <QGuiApplication>
#include <QPalette>
#include <QRect>
#include <QRegion>

#include "platform/frame/disc_pixels.h"
#include "platform/painter/game_font.h"
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

void PaintRectangle(const Entity& shape, QPainter& painter) {
    const QRect box = BoxOf(shape);
    if (box.isEmpty()) return;
    painter.fillRect(box, ToQColor(shape.borderColour));
    const QRect inside = box.adjusted(1, 1, -1, -1);
    if (!inside.isEmpty()) painter.fillRect(inside, ToQColor(shape.fillColour));
}

// An oval fills its whole box; a circle is the largest one that fits, centred in the box.
void PaintDisc(const Entity& shape, QPainter& painter) {
    PixelRect rect = RectOf(shape);
    int64_t width = int64_t{rect.right} - rect.left;
    int64_t height = int64_t{rect.bottom} - rect.top;
    if (shape.shape == ShapeKind::Circle) {
        const int64_t side = std::min(width, height);
        rect.left = static_cast<int>(rect.left + (width - side) / 2);
        rect.top = static_cast<int>(rect.top + (height - side) / 2);
        width = height = side;
    }
    const QRect box = BoxOf(shape) & kClientArea;
    if (box.isEmpty() || width > INT32_MAX || height > INT32_MAX) return;
    const QColor border = ToQColor(shape.borderColour);
    const QColor fill = ToQColor(shape.fillColour);
    const auto kindAt = [&](int x, int y) {
        return DiscPixelAt(x - rect.left, y - rect.top, static_cast<int>(width),
                           static_cast<int>(height));
    };
    // Row by row, one rectangle for each run of pixels of the same kind.
    for (int y = box.top(); y <= box.bottom(); ++y) {
        int x = box.left();
        while (x <= box.right()) {
            const DiscPixel kind = kindAt(x, y);
            int end = x + 1;
            while (end <= box.right() && kindAt(end, y) == kind) ++end;
            if (kind != DiscPixel::Outside) {
                painter.fillRect(QRect(x, y, end - x, 1),
                                 kind == DiscPixel::Outline ? border : fill);
            }
            x = end;
        }
    }
}

void PaintImage(const Entity& image, QPainter& painter) {
    if (!image.picture) return;
    const QImage& sprite = SpriteImage(image.picture->drawing);
    if (sprite.isNull()) return;
    const PixelRect rect = RectOf(image);
    if (rect.left <= -sprite.width() || rect.top <= -sprite.height() ||
        rect.left >= kGameWindowWidth || rect.top >= kGameWindowHeight) {
        return;
    }
    painter.drawImage(QPoint(rect.left, rect.top), sprite);
}

void PaintLabel(const Entity& label, QPainter& painter) {
    const QRect box = BoxOf(label);
    if (box.isEmpty()) return;
    if (!label.transparent) painter.fillRect(box, ToQColor(label.backColour));
    if (label.caption.empty()) return;
    const PixelRect rect = RectOf(label);
    const int width =
        static_cast<int>(std::min<int64_t>(int64_t{rect.right} - rect.left, kGameWindowWidth + 2));
    painter.save();
    painter.setClipRect(box, Qt::IntersectClip);
    // Text in the game's crisp one-pixel look: every pixel of a letter has the label's colour.
    QFont font = GameFont(label.font);
    font.setStyleStrategy(QFont::NoAntialias);
    painter.setFont(font);
    painter.setPen(ToQColor(label.foreColour));
    const QFontMetrics metrics = painter.fontMetrics();
    int y = rect.top;
    for (const QString& line :
         WrapAtSpaces(QString::fromStdString(label.caption), metrics, width)) {
        if (y > box.bottom()) break;
        int x = rect.left;
        if (label.alignment == Alignment::Centre) {
            x += (width - metrics.horizontalAdvance(line)) / 2;
        }
        painter.drawText(QPoint(x, y + metrics.ascent()), line);
        y += metrics.height();
    }
    painter.restore();
}

void PaintEntity(const Entity& entity, QPainter& painter) {
    switch (entity.kind) {
        case EntityKind::Shape:
            if (entity.shape == ShapeKind::Rectangle) {
                PaintRectangle(entity, painter);
            } else {
                PaintDisc(entity, painter);
            }
            break;
        case EntityKind::Image:
            PaintImage(entity, painter);
            break;
        case EntityKind::Label:
            PaintLabel(entity, painter);
            break;
        case EntityKind::Timer:
            break;
    }
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

void PaintScene(const Scene& scene, QPainter& painter, const QRegion& area) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    // Only the area asked for is touched, also on an image that keeps the rest.
    painter.setClipRegion(area.intersected(kClientArea));
    painter.fillRect(kClientArea, ToQColor(kFloorColour));
    const auto& entities = scene.entities();
    for (auto entity = entities.rbegin(); entity != entities.rend(); ++entity) {
        if (entity->visible && area.intersects(PaintedArea(*entity))) {
            PaintEntity(*entity, painter);
        }
    }
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
    QImage image(kGameWindowWidth, kGameWindowHeight, QImage::Format_RGB32);
    QPainter painter(&image);
    PaintScene(scene, painter);
    painter.end();
    return image;
}

std::vector<QString> WrapAtSpaces(const QString& text, const QFontMetrics& metrics, int width) {
    std::vector<QString> lines;
    for (const QString& paragraph : text.split(QLatin1Char('\n'))) {
        QString line;
        for (const QString& word : paragraph.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
            const QString longer = line.isEmpty() ? word : line + QLatin1Char(' ') + word;
            if (line.isEmpty() || metrics.horizontalAdvance(longer) <= width) {
                line = longer;
            } else {
                lines.push_back(line);
                line = word;
            }
        }
        lines.push_back(line);
    }
    return lines;
}

}  // namespace vexmire
