#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "sprite.h"

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
};

// One named, drawable item of a window. Geometry is single precision, as the window holds it;
// the rules keep it whole. Kind-specific fields are simply unused by the other kinds.
struct Entity {
    std::string name;
    int index = -1;  // member index within its family, or -1 for a single entity
    EntityKind kind = EntityKind::Shape;
    float left = 0;
    float top = 0;
    float width = 0;
    float height = 0;
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
};
