#include "platform/painter/sprite_images.h"

#include <array>
#include <optional>
#include <string_view>

#include "assets/pictures.h"

namespace vexmire {

namespace {

constexpr size_t kDrawingCount = 8;

}  // namespace

QString SpritePath(Drawing drawing) {
    const std::string_view name = DrawingName(drawing);
    return SpriteResource(QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size())));
}

const QImage& SpriteImage(Drawing drawing) {
    static std::array<std::optional<QImage>, kDrawingCount> images;
    std::optional<QImage>& image = images.at(static_cast<size_t>(drawing));
    if (!image) {
        QImage loaded(SpritePath(drawing));
        if (!loaded.isNull()) loaded = loaded.convertToFormat(QImage::Format_ARGB32_Premultiplied);
        image = std::move(loaded);
    }
    return *image;
}

}  // namespace vexmire
