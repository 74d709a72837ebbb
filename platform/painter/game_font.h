#pragma once

#include <QFont>
#include <QString>

#include "scene/entity.h"

namespace vexmire {

// The face drawn for "MS Sans Serif": that font where it is installed, DejaVu Sans elsewhere.
QString GameFontFamily(const std::string& face);

// The font of a label or window, sized as on a 96 DPI screen (a point is 4/3 of a pixel) so
// that the picture never depends on the screen it is shown on.
QFont GameFont(const Font& font);

}  // namespace vexmire
