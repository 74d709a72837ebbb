#include "session/session.h"

#include <algorithm>
#include <climits>
#include <exception>
#include <utility>

#include "game/game_snapshot.h"
#include "game/shell.h"

namespace vexmire {

int ExitStatus(Ending ending) {
    return ending == Ending::DisplayGone || ending == Ending::Fault ? 1 : 0;
}

// Marks a dialog as open for exactly as long as it runs, also when it is left by an exception.
class Session::DialogScope {
  public:
    explicit DialogScope(Session& session) : session_(session) { ++session_.openDialogs_; }
    ~DialogScope() { --session_.openDialogs_; }
    DialogScope(const DialogScope&) = delete;
    DialogScope& operator=(const DialogScope&) = delete;

  private:
    Session& session_;
};

Session::Session(Platform& windowSystem, Leave leave)
    : windowSystem_(windowSystem), leave_(std::move(leave)), game_(*this) {}

bool Session::MayDeliver(PlayerEvent::Kind kind) const {
    if (ended() || dialogOpen() || inHandler_) return false;
    switch (kind) {
        case PlayerEvent::Kind::Tick:
            return !away_ && !paused_;
        case PlayerEvent::Kind::KeyDown:
        case PlayerEvent::Kind::KeyUp:
        case PlayerEvent::Kind::Press:
            return !paused_;
        case PlayerEvent::Kind::NewGame:
        case PlayerEvent::Kind::Quit:
        case PlayerEvent::Kind::Answer:
            return true;
    }
    return false;
}

void Session::LetRest(std::function<int64_t()> ticksDue) {
    ticksDue_ = std::move(ticksDue);
}

void Session::Wake() {
    if (!std::exchange(resting_, false)) return;
    for (int64_t due = ticksDue_(); due > 0;) {
        const auto run = static_cast<int32_t>(std::min<int64_t>(due, INT32_MAX));
        Record(PlayerEvent::Ticks(run));
        due -= run;
    }
}

void Session::SetAway(bool away) {
    if (away) Wake();
    away_ = away;
}

void Session::SetPaused(bool paused) {
    if (paused) Wake();
    paused_ = paused;
}

Session::Outcome Session::Deliver(const PlayerEvent& event) {
    using Kind = PlayerEvent::Kind;
    if (!MayDeliver(event.kind)) return Outcome::HeldBack;
    Wake();
    const auto code = static_cast<int16_t>(event.number);
    switch (event.kind) {
        case Kind::NewGame:
            Record(event);
            return Run([this] { cmdRun_Click(*this); }, false);
        case Kind::Quit:
            Record(event);
            return Run([this] { cmdEnd_Click(*this); }, false);
        case Kind::KeyDown:
            Record(event);
            return Run([&] { game_.Form_KeyDown(code, 0); }, false);
        case Kind::KeyUp:
            Record(event);
            return Run([&] { game_.Form_KeyUp(code, 0); }, false);
        case Kind::Press: {
            const Outcome down = Deliver(PlayerEvent::KeyDown(code));
            return down == Outcome::Ran ? Deliver(PlayerEvent::KeyUp(code)) : down;
        }
        case Kind::Tick:
            return Run([this] { RunTick(); }, true);
        case Kind::Answer:
            windowSystem_.QueueAnswer(event.text);
            return Outcome::Ran;
    }
    return Outcome::HeldBack;
}

// A tick is written once it has run: a tick cut short by the program's end in one of its
// dialogs never finished, and is left out together with the answer its prompt never gave; a
// tick that ended the game, or met a fault of the program, is kept, so that it can be
// replayed.
template <typename Handler>
Session::Outcome Session::Run(Handler handler, bool isTick) {
    inHandler_ = true;
    Outcome outcome = Outcome::Ran;
    try {
        handler();
    } catch (const ProgramEnded&) {
        outcome = ending_ == Ending::ByTheRules ? Outcome::EndedTheGame : Outcome::CutShort;
    } catch (const std::exception& fault) {
        inHandler_ = false;
        if (isTick) Record(PlayerEvent::Ticks(1));
        End(Ending::Fault, fault.what());
        throw;
    }
    inHandler_ = false;
    if (isTick && outcome != Outcome::CutShort) Record(PlayerEvent::Ticks(1));
    // The recording is whole up to a rest, although nothing is written while the game sleeps.
    if (resting_ && recorder_ != nullptr && !finished_) recorder_->Flush();
    if (ended()) FinishRecording();
    return outcome;
}

// The rest is judged only where the game may rest: elsewhere a tick costs no copy of the game.
void Session::RunTick() {
    if (!ticksDue_) {
        game_.tmr_Timer();
        return;
    }
    const GameSnapshot before(game_);
    const int calls = platformCalls_;
    game_.tmr_Timer();
    resting_ = platformCalls_ == calls && before.Matches(game_);
}

void Session::Record(const PlayerEvent& event) {
    if (recorder_ != nullptr && !finished_) recorder_->Record(event);
}

// The first ending decides. The window system lets go at once: a dialog open in a handler
// returns no answer, and the handler unwinds. Its tick, if the rules ended the game in it, is
// still to be recorded then, and so the recording is finished only once the handler is done;
// when the display server has gone, the process ends right after this, handler or not.
void Session::End(Ending ending, const std::string& why) {
    if (ending_) return;
    Wake();
    ending_ = ending;
    if (!inHandler_ || ending == Ending::DisplayGone) FinishRecording();
    leave_(ending, why);
}

void Session::FinishRecording() {
    if (std::exchange(finished_, true)) return;
    if (recorder_ != nullptr) recorder_->Finish();
}

void Session::ShowMessageBox(const std::string& text, const std::string& title) {
    ++platformCalls_;
    DialogScope scope(*this);
    windowSystem_.ShowMessageBox(text, title);
}

// The answer comes back inside the tick that opened the prompt: it is written before the tick.
std::string Session::PromptForText(const std::string& prompt, const std::string& title) {
    ++platformCalls_;
    std::string answer;
    {
        DialogScope scope(*this);
        answer = windowSystem_.PromptForText(prompt, title);
    }
    Record(PlayerEvent::Answer(answer));
    return answer;
}

void Session::SoundBeep() {
    ++platformCalls_;
    windowSystem_.SoundBeep();
}

void Session::EndProgram() {
    ++platformCalls_;
    End(Ending::ByTheRules);
    windowSystem_.EndProgram();
    throw ProgramEnded();  // the window system's own has thrown it already
}

void Session::SetWindowVisible(Window window, bool visible) {
    ++platformCalls_;
    windowSystem_.SetWindowVisible(window, visible);
}

void Session::QueueAnswer(std::string answer) {
    windowSystem_.QueueAnswer(std::move(answer));
}

}  // namespace vexmire
