#pragma once

#include <deque>
#include <memory>
#include <optional>
#include <string>

#include "game/game.h"
#include "platform/page/page_platform.h"
#include "script/player_event.h"

namespace vexmire {

// Runs an event on a copy of the game, to learn before the real run which dialogs it opens. The
// rules are deterministic and a dialog's answer is the only input inside a handler, so a run
// with the same answers opens the same dialogs; the copy's own beeps, window changes and ending
// are dropped, and the live game is never touched, so no effect happens twice.
class DialogProbe {
  public:
    DialogProbe();
    ~DialogProbe();
    DialogProbe(const DialogProbe&) = delete;
    DialogProbe& operator=(const DialogProbe&) = delete;

    // The first dialog that `event`, run on `live`'s state, opens with no answer left for it in
    // `answers` (after the replay's `scripted` ones for prompts); nothing when it runs to its
    // end, the game's end or a fault of the program.
    std::optional<PageDialog> FirstUnanswered(const Game& live, const PlayerEvent& event,
                                              std::deque<std::string> answers,
                                              std::deque<std::string> scripted);

    // The copy as the handler left it when it opened that dialog.
    const Scene& scene() const { return game_.scene; }

  private:
    class ProbePlatform;

    std::unique_ptr<ProbePlatform> platform_;  // before game_, which holds on to it
    Game game_;
};

}  // namespace vexmire
