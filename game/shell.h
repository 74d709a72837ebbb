#pragma once

#include "game/game.h"

namespace vexmire {

// The game window's load handler: completes the start state and hands over to the title.
void Form_Load(Game& game);

// The title window's two buttons.
void cmdRun_Click(Platform& platform);
void cmdEnd_Click(Platform& platform);

}  // namespace vexmire
