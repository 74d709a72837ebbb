#pragma once

#include <vector>

#include "game/game.h"

namespace vexmire {

// Everything a tick may change, taken before it: every entity's properties and the module
// variables. A tick after which the game still matches its snapshot, and which called nothing
// of the platform, changed nothing; and since a tick is a function of this state alone, every
// later tick would change nothing either, until a key or another event reaches the rules.
class GameSnapshot {
  public:
    explicit GameSnapshot(const Game& game);

    bool Matches(const Game& game) const;

  private:
    std::vector<Entity> entities_;
    GameState vars_;
};

}  // namespace vexmire
