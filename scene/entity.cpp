#include "entity.h"

std::string Entity::DisplayName() const {
    if (index < 0) return name;
    return name + "(" + std::to_string(index) + ")";
}
