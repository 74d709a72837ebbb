#pragma once

#include <string>
#include <vector>

#include <QRect>
#include <QRegion>

#include "scene/scene.h"

namespace vexmire {

// What the game window last showed of each entity. After a handler only the pixels of the
// entities that it changed are painted again: a walking player costs two small squares, not the
// whole window 64 times a second.
class ShownScene {
  public:
    // Where the scene now looks different from when this was last asked, the whole client area
    // the first time: where each changed entity was drawn before and where it is drawn now.
    QRegion Changes(const Scene& scene);

  private:
    // Everything about an entity that its picture depends on.
    struct Look {
        QRect area;
        EntityKind kind = EntityKind::Shape;
        ShapeKind shape = ShapeKind::Rectangle;
        Colour fillColour = 0;
        Colour borderColour = 0;
        const Sprite* picture = nullptr;
        std::string caption;
        Colour foreColour = 0;
        Colour backColour = 0;
        bool transparent = false;
        std::string fontFace;
        int fontPoints = 0;
        bool fontBold = false;
        Alignment alignment = Alignment::Left;
    };

    static bool LooksAlike(const Look& look, const Entity& entity, const QRect& area);
    static Look LookOf(const Entity& entity, const QRect& area);

    std::vector<Look> looks_;
};

}  // namespace vexmire
