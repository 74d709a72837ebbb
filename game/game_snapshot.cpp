#include "game/game_snapshot.h"

#include <algorithm>

namespace vexmire {

GameSnapshot::GameSnapshot(const Game& game)
    : entities_(game.scene.entities().begin(), game.scene.entities().end()), vars_(game.vars) {}

bool GameSnapshot::Matches(const Game& game) const {
    const auto& now = game.scene.entities();
    return vars_ == game.vars &&
           std::equal(entities_.begin(), entities_.end(), now.begin(), now.end(),
                      [](const Entity& a, const Entity& b) { return SameProperties(a, b); });
}

}  // namespace vexmire
