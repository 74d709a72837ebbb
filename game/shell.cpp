#include "game/shell.h"

namespace vexmire {

void Form_Load(Game& game) {
    LevelEntities& level = game.level;
    // From now on the player shows the very sprite of the right-facing holder, which is how
    // a shot recognises the facing before any arrow has been pressed.
    level.player->picture = level.facesRight->picture;
    level.tip->caption.clear();
    game.platform.SetWindowVisible(Window::Game, false);
    game.platform.SetWindowVisible(Window::Title, true);
}

void cmdRun_Click(Platform& platform) {
    platform.SetWindowVisible(Window::Game, true);
    platform.SetWindowVisible(Window::Title, false);
}

void cmdEnd_Click(Platform& platform) {
    platform.SoundBeep();
    platform.EndProgram();
}

}  // namespace vexmire
