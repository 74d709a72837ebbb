#pragma once

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "platform/page/page_platform.h"
#include "script/player_event.h"
#include "session/session.h"
#include "web/dialog_probe.h"

namespace vexmire {

// One game in the browser's page. A handler that opens a dialog the player has not answered yet
// is not run: the page shows the game as the handler left it when it opened the dialog, and the
// dialog; once the player has answered, the handler is tried again with the answer given, and
// runs for real, once, through the session, when every dialog it opens has its answer. While a
// dialog waits, no other event reaches the rules.
class PageGame {
  public:
    PageGame(PagePlatform::Hooks hooks, Session::Leave leave);
    PageGame(const PageGame&) = delete;
    PageGame& operator=(const PageGame&) = delete;

    // What start-up does: the load handler, which shows the title.
    void Start();

    // An event of the player's; held back while a dialog waits or once the game has ended.
    void Deliver(const PlayerEvent& event);

    // The player closed the waiting dialog: OK on a message box, or the prompt's text (the
    // empty text when cancelled).
    void AnswerDialog(std::string answer);

    const std::optional<PageDialog>& waitingDialog() const { return waiting_; }

    // How a script's events are played: at once, stopping only at a dialog (a test's), or a
    // tick at each Step(), at the game's own pace, as the desktop's --replay plays it.
    enum class Pace { AtOnce, ByStep };

    // Plays a script's events (a recording's, a test's) through the same way in as the
    // player's: it stops at a dialog that no `answer` line has answered and goes on once the
    // player has.
    void Play(std::vector<PlayerEvent> events, Pace pace);
    bool playing() const { return !script_.empty(); }
    // The paced script's events up to and including its next tick.
    void Step();

    // What the game window shows now: while a dialog waits, the scene as its handler left it.
    const Scene& shownScene();

    // The page lost the keyboard (true) or has it back: no tick runs meanwhile, played or not.
    void SetAway(bool away);

    Session& session() { return session_; }
    const PagePlatform& platform() const { return platform_; }

  private:
    void Run(const PlayerEvent& event);
    void PlayOn();

    PagePlatform platform_;  // before session_, which holds on to it
    Session session_;
    DialogProbe probe_;
    std::optional<PlayerEvent> heldEvent_;
    std::deque<std::string> answers_;
    std::optional<PageDialog> waiting_;
    std::deque<PlayerEvent> script_;
    Pace pace_ = Pace::AtOnce;
    int ticksDue_ = 0;  // of a paced script
};

}  // namespace vexmire
