#include "scene/entity.h"

#include <array>
#include <bit>
#include <tuple>

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

bool SameProperties(const Entity& a, const Entity& b) {
    const auto properties = [](const Entity& e) {
        return std::tie(e.name, e.index, e.kind, e.visible, e.shape, e.fillColour, e.borderColour,
                        e.picture, e.enabled, e.caption, e.foreColour, e.backColour,
                        e.transparent, e.font, e.alignment, e.intervalMs);
    };
    const auto geometry = [](const Entity& e) {
        return std::array{std::bit_cast<uint32_t>(e.left_), std::bit_cast<uint32_t>(e.top_),
                          std::bit_cast<uint32_t>(e.width_), std::bit_cast<uint32_t>(e.height_)};
    };
    return geometry(a) == geometry(b) && properties(a) == properties(b);
}

void Entity::RoundRectOnce() const {
    rect_ = RoundRect(left_, top_, width_, height_);
    rectRounded_ = true;
}

}  // namespace vexmire
