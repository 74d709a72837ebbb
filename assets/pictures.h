#pragma once

#include <QString>
#include <QStringView>

namespace vexmire {

// Where the pictures compiled into the game are found among its resources.

// One of the eight figure drawings by its name, e.g. "player_right" or "enemy_down".
QString SpriteResource(QStringView drawingName);

// The game's icon, for both windows.
QString IconResource();

}  // namespace vexmire
