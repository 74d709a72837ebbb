#include "pixel_rect.h"

#include "checked_int.h"

PixelRect RectOf(const Entity& entity) {
    const float right = entity.left + entity.width;
    const float bottom = entity.top + entity.height;
    return PixelRect{
        checked::ToInt32(entity.left, "rectangle left"),
        checked::ToInt32(entity.top, "rectangle top"),
        checked::ToInt32(right, "rectangle right"),
        checked::ToInt32(bottom, "rectangle bottom"),
    };
}
