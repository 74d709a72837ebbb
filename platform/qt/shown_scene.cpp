#include "platform/qt/shown_scene.h"

#include "platform/painter/painter.h"

namespace vexmire {

QRegion ShownScene::Changes(const Scene& scene) {
    const auto& entities = scene.entities();
    if (looks_.size() != entities.size()) {
        looks_.clear();
        for (const Entity& entity : entities) looks_.push_back(LookOf(entity, PaintedArea(entity)));
        return QRegion(0, 0, kGameWindowWidth, kGameWindowHeight);
    }
    QRegion changed;
    auto look = looks_.begin();
    for (const Entity& entity : entities) {
        const QRect area = PaintedArea(entity);
        if (!LooksAlike(*look, entity, area)) {
            changed += look->area;
            changed += area;
            *look = LookOf(entity, area);
        }
        ++look;
    }
    return changed;
}

bool ShownScene::LooksAlike(const Look& look, const Entity& entity, const QRect& area) {
    return look.area == area && look.kind == entity.kind && look.shape == entity.shape &&
           look.fillColour == entity.fillColour && look.borderColour == entity.borderColour &&
           look.picture == entity.picture && look.caption == entity.caption &&
           look.foreColour == entity.foreColour && look.backColour == entity.backColour &&
           look.transparent == entity.transparent && look.fontFace == entity.font.face &&
           look.fontPoints == entity.font.points && look.fontBold == entity.font.bold &&
           look.alignment == entity.alignment;
}

ShownScene::Look ShownScene::LookOf(const Entity& entity, const QRect& area) {
    return Look{area,
                entity.kind,
                entity.shape,
                entity.fillColour,
                entity.borderColour,
                entity.picture,
                entity.caption,
                entity.foreColour,
                entity.backColour,
                entity.transparent,
                entity.font.face,
                entity.font.points,
                entity.font.bold,
                entity.alignment};
}

}  // namespace vexmire
