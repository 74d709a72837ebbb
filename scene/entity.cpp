#include "scene/entity.h"

namespace vexmire {

std::string_view KindName(EntityKind kind) {
    switch (kind) {
        case EntityKind::Shape:
            return "Shape";
        case EntityKind::Image:
            return "Image";
        case EntityKind::Label:
            return "Label";
        case EntityKind::Timer:
            return "Timer";
    }
    return "Shape";
}

std::string Entity::DisplayName() const {
    if (index < 0) return name;
    return name + "(" + std::to_string(index) + ")";
}

void Entity::RoundRectOnce() const {
    rect_ = RoundRect(left_, top_, width_, height_);
    rectRounded_ = true;
}

}  // namespace vexmire
