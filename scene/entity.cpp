#include "scene/entity.h"

#include <array>
#include <cstdint>
#include <cstring>
#include <tuple>

namespace vexmire {

namespace {

// A value's bits, so that -0 and 0 differ and a NaN equals itself. By memcpy rather than
// std::bit_cast, which the browser build's standard library does not have.
uint32_t Bits(float value) {
    uint32_t bits = 0;
    static_assert(sizeof bits == sizeof value);
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

}  // namespace

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
        return std::array{Bits(e.left_), Bits(e.top_), Bits(e.width_), Bits(e.height_)};
    };
    return geometry(a) == geometry(b) && properties(a) == properties(b);
}

void Entity::RoundRectOnce() const {
    rect_ = RoundRect(left_, top_, width_, height_);
    rectRounded_ = true;
}

}  // namespace vexmire
