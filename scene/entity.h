#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "scene/pixel_rect.h"
#include "scene/sprite.h"

namespace vexmire {

enum class EntityKind { Shape, Image, Label, Timer };

// "Shape", "Image", "Label" or "Timer".
std::string_view KindName(EntityKind kind);

enum class ShapeKind { Rectangle = 0, Oval = 2, Circle = 3 };

enum class Alignment { Left, Centre };

// Colours are 0x00BBGGRR; 0x800000nn names the window system's colour number nn.
using Colour = uint32_t;
constexpr Colour kMenuTextColour = 0x80000007;
constexpr Colour kWindowTextColour = 0x80000008;
constexpr Colour kButtonFaceColour = 0x8000000F;
constexpr Colour kButtonTextColour = 0x80000012;

struct Font {
    std::string face = "MS Sans Serif";
    int points = 8;
    bool bold = false;

    friend bool operator==(const Font&, const Font&) = default;
};

// One named, drawable item of a window. Geometry is single precision, as the window holds it;
// the rules keep it whole. Kind-specific fields are simply unused by the other kinds.
//
// A tick makes close to nine hundred overlap tests while most entities stand still, so the
// pixel rectangle is rounded once after each change of the geometry, when it is next asked
// for, and kept. That is why the geometry is set only through its four setters.
class Entity {
  public:
    std::string name;
    int index = -1;  // member index within its family, or -1 for a single entity
    EntityKind kind = EntityKind::Shape;
    bool visible = true;

    // Shape
    ShapeKind shape = ShapeKind::Rectangle;
    Colour fillColour = 0x00000000;
    Colour borderColour = kWindowTextColour;

    // Image
    const Sprite* picture = nullptr;
    bool enabled = true;

    // Label
    std::string caption;
    Colour foreColour = kWindowTextColour;
    Colour backColour = kMenuTextColour;
    bool transparent = false;
    Font font;
    Alignment alignment = Alignment::Left;

    // Timer
    int intervalMs = 0;

    // "shpObstacle(23)" for a family member, the plain name otherwise.
    std::string DisplayName() const;

    float left() const { return left_; }
    float top() const { return top_; }
    float width() const { return width_; }
    float height() const { return height_; }
    void SetLeft(float value) { SetEdge(left_, value); }
    void SetTop(float value) { SetEdge(top_, value); }
    void SetWidth(float value) { SetEdge(width_, value); }
    void SetHeight(float value) { SetEdge(height_, value); }

    // Whether every property of the two is the same, the geometry bit for bit (so that -0 is not
    // 0). The pixels kept from the last rounding are no property.
    friend bool SameProperties(const Entity& a, const Entity& b);

    // The pixels the entity covers, as RoundRect gives them for the present geometry. A
    // geometry that does not fit 32 bits faults here, each time it is asked for.
    const PixelRect& rect() const {
        if (!rectRounded_) RoundRectOnce();
        return rect_;
    }

  private:
    void SetEdge(float& edge, float value) {
        edge = value;
        rectRounded_ = false;
    }
    void RoundRectOnce() const;

    float left_ = 0;
    float top_ = 0;
    float width_ = 0;
    float height_ = 0;
    mutable PixelRect rect_;
    mutable bool rectRounded_ = false;
};

inline PixelRect RectOf(const Entity& entity) {
    return entity.rect();
}

inline bool Overlaps(const Entity& a, const Entity& b) {
    return Overlaps(a.rect(), b.rect());
}

}  // namespace vexmire
