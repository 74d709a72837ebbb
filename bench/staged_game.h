#pragma once

#include <string>
#include <vector>

#include "game/game.h"
#include "game/game_state.h"
#include "scene/entity.h"
#include "scene/sprite.h"

namespace vexmire {

// Everything the rules can change: where each entity stands and what it shows, and the game
// state. Putting it back lets a benchmark replay the same stretch of play again and again; it
// costs a few hundred nanoseconds.
class PlaySnapshot {
  public:
    explicit PlaySnapshot(const Game& game);
    void Restore(Game& game) const;

  private:
    struct Shown {
        float left, top, width, height;
        bool visible, enabled;
        const Sprite* picture;
        std::string caption;
    };

    std::vector<Shown> entities_;
    GameState vars_;
};

// The game just after New Game, with nothing moving.
void StageQuietPlay(Game& game);

// A busy moment of play: the enemy shooting at the player, 18 balls in flight through the
// open hall, and the player walking diagonally down and right along the top of a wall, pushed
// back out of it at almost every tick. It stays that way for at least kBusyTicks ticks.
void StageBusyPlay(Game& game);
constexpr int kBusyTicks = 64;

// Whether kBusyTicks ticks from the busy state keep it busy: the enemy still up and shooting,
// the player unhurt, and the player still along the wall.
bool StaysBusy(Game& game);

}  // namespace vexmire
