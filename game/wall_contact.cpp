#include "game/rules.h"
#include "scene/checked_int.h"

namespace vexmire {

namespace {

// A solid obstacle clears the hint and pushes the player 3 pixels out through the side it
// entered least deeply; ties go to the earlier side in the order above, below, right, left.
void PushPlayerOut(Game& game, const Entity& obstacle) {
    Entity& player = *game.level.player;
    game.level.tip->caption.clear();

    const int16_t fromAbove = checked::ToInt16(player.top() + player.height() - obstacle.top());
    const int16_t fromBelow = checked::ToInt16(obstacle.top() + obstacle.height() - player.top());
    const int16_t fromRight = checked::ToInt16(obstacle.left() + obstacle.width() - player.left());
    const int16_t fromLeft = checked::ToInt16(player.left() + player.width() - obstacle.left());

    if (fromAbove <= fromBelow && fromAbove <= fromRight && fromAbove <= fromLeft) {
        player.SetTop(player.top() - 3);
    } else if (fromBelow <= fromAbove && fromBelow <= fromRight && fromBelow <= fromLeft) {
        player.SetTop(player.top() + 3);
    } else if (fromRight <= fromAbove && fromRight <= fromBelow && fromRight <= fromLeft) {
        player.SetLeft(player.left() + 3);
    } else {
        player.SetLeft(player.left() - 3);
    }
}

}  // namespace

void CheckPlayerContact(Game& game, int16_t i) {
    const Entity& obstacle = game.level.obstacles(i);
    if (!Overlaps(*game.level.player, obstacle)) return;
    if (IsTriggerZone(i)) {
        RunZoneAction(game, i);
        return;
    }
    PushPlayerOut(game, obstacle);
}

}  // namespace vexmire
