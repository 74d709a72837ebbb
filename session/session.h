#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "game/game.h"
#include "game/platform.h"
#include "script/player_event.h"
#include "script/script_recorder.h"

namespace vexmire {

// Every way a running game ends, each with its exit status.
enum class Ending {
    ByTheRules,    // won, lost, or Quit: 0
    WindowClosed,  // by the player, the window manager or the window's destruction: 0
    StopSignal,    // SIGTERM, SIGINT, SIGHUP: 0
    DisplayGone,   // the display server went away under the game: 1
    Fault,         // a fault of the program itself: 1
};

int ExitStatus(Ending ending);

// One running game's way in and way out. Every event a player makes, from whatever source (a
// window, a replay, a script), enters through Deliver, which decides in one place whether it may
// reach the rules now, records it and hands it to them. Every ending leaves through End, which
// finishes the recording once and then lets the program go.
//
// The session stands between the rules and the window system (it is the platform the rules
// call), so that it sees every dialog open and close, every answer given and the rules' own
// end.
class Session : public Platform {
  public:
    // The window system's part of an ending, called once, after the recording is finished:
    // the desktop closes its windows and leaves its event loop (at once, for a fault); the
    // driver stops reading. `why` says what the fault or the ending was; the status is
    // ExitStatus(ending).
    using Leave = std::function<void(Ending ending, const std::string& why)>;

    Session(Platform& windowSystem, Leave leave);
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    Game& game() { return game_; }

    // Every event that reaches the rules from now on is also written to `recorder`.
    void RecordTo(ScriptRecorder* recorder) { recorder_ = recorder; }
    bool recording() const { return recorder_ != nullptr; }

    // How an event came back from the rules.
    enum class Outcome {
        Ran,           // the handler ran to its end
        HeldBack,      // not delivered, and not recorded: see MayDeliver
        EndedTheGame,  // the rules ended the program in it (a tick that did is recorded)
        CutShort,      // the program ended from outside while its dialog was open
    };
    // A tick is one tick; a press its key-down, then its key-up; an answer waits for the next
    // prompt.
    Outcome Deliver(const PlayerEvent& event);

    // Whether `kind` may reach the rules now. Nothing may once the program has ended, while a
    // dialog is open (no handler runs while another waits for its dialog), or while a handler
    // runs; no tick runs while the game is away (another application has the keyboard), and
    // neither a tick nor a key while the player has paused it. Held back means dropped and not
    // recorded.
    bool MayDeliver(PlayerEvent::Kind kind) const;

    // Lets the game rest: a tick that changed nothing (no property, no variable, no call to the
    // platform) leaves the game where every later tick would leave it too, so the ticks after
    // it need only be counted, not run, until the next event. `ticksDue` wakes the ticks' clock
    // and tells how many fell due on its grid while the game rested. vexmire-sim and a replay
    // never rest: they tick exactly as their script says.
    void LetRest(std::function<int64_t()> ticksDue);
    // Whether the last tick changed nothing, so that the clock may sleep.
    bool resting() const { return resting_; }
    // Writes out the ticks that fell due while the game rested, as if each had run, and sets the
    // clock going again. Every event does this first, and so does the game before it is held
    // still (away, paused) or ends.
    void Wake();

    // Another application has the keyboard (true) or it is back (false).
    void SetAway(bool away);
    bool away() const { return away_; }
    // The player has paused the game (true) or gone on (false).
    void SetPaused(bool paused);
    bool paused() const { return paused_; }
    bool dialogOpen() const { return openDialogs_ > 0; }
    bool ended() const { return ending_.has_value(); }
    // How the program ends; ByTheRules until it has.
    Ending ending() const { return ending_.value_or(Ending::ByTheRules); }

    // The one way out: the recording finished once, and the window system let go with the
    // ending's status. The first ending decides.
    void End(Ending ending, const std::string& why = {});

    // The platform the rules call, passed on to the window system.
    void ShowMessageBox(const std::string& text, const std::string& title) override;
    std::string PromptForText(const std::string& prompt, const std::string& title) override;
    void SoundBeep() override;
    [[noreturn]] void EndProgram() override;
    void SetWindowVisible(Window window, bool visible) override;
    void QueueAnswer(std::string answer) override;

  private:
    class DialogScope;

    template <typename Handler>
    Outcome Run(Handler handler, bool isTick);
    void Record(const PlayerEvent& event);
    void FinishRecording();

    void RunTick();

    Platform& windowSystem_;
    Leave leave_;
    std::function<int64_t()> ticksDue_;
    Game game_;
    ScriptRecorder* recorder_ = nullptr;
    std::optional<Ending> ending_;
    int openDialogs_ = 0;
    int platformCalls_ = 0;  // by the rules, so far
    bool away_ = false;
    bool resting_ = false;
    bool paused_ = false;
    bool inHandler_ = false;
    bool finished_ = false;
};

}  // namespace vexmire
