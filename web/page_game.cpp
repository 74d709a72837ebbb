#include "web/page_game.h"

#include <iterator>
#include <utility>

#include "game/shell.h"

namespace vexmire {

PageGame::PageGame(PagePlatform::Hooks hooks, Session::Leave leave)
    : platform_(std::move(hooks)), session_(platform_, std::move(leave)) {}

void PageGame::Start() {
    try {
        Form_Load(session_.game());
    } catch (const ProgramEnded&) {
    }
}

void PageGame::Deliver(const PlayerEvent& event) {
    if (waiting_ || session_.ended()) return;
    Run(event);
}

void PageGame::AnswerDialog(std::string answer) {
    if (!waiting_ || !heldEvent_) return;
    answers_.push_back(std::move(answer));
    waiting_.reset();
    Run(*heldEvent_);
    PlayOn();
}

void PageGame::Play(std::vector<PlayerEvent> events, Pace pace) {
    script_.assign(std::make_move_iterator(events.begin()), std::make_move_iterator(events.end()));
    pace_ = pace;
    ticksDue_ = 0;
    PlayOn();
}

void PageGame::Step() {
    if (pace_ != Pace::ByStep || waiting_) return;
    ticksDue_ = 1;
    PlayOn();
}

void PageGame::SetAway(bool away) {
    session_.SetAway(away);
    PlayOn();
}

// A run of ticks is played one tick at a time, so that a dialog can stop it between two; a
// paced script stops before the events after the tick that its step was due.
void PageGame::PlayOn() {
    while (!script_.empty() && !waiting_ && !session_.ended() && !session_.away()) {
        if (pace_ == Pace::ByStep && ticksDue_ == 0) break;
        PlayerEvent& next = script_.front();
        const bool tick = next.kind == PlayerEvent::Kind::Tick;
        if (tick && next.number == 0) {
            script_.pop_front();
            continue;
        }
        if (tick && pace_ == Pace::ByStep) --ticksDue_;
        if (tick && next.number > 1) {
            --next.number;
            Run(PlayerEvent::Ticks(1));
            continue;
        }
        const PlayerEvent event = std::move(next);
        script_.pop_front();
        Run(event);
    }
    if (session_.ended()) script_.clear();
}

// Only an event that may reach the rules now is tried: one the session holds back opens no
// dialog either.
void PageGame::Run(const PlayerEvent& event) {
    if (!session_.MayDeliver(event.kind)) return;
    waiting_ =
        probe_.FirstUnanswered(session_.game(), event, answers_, platform_.scriptedAnswers());
    if (waiting_) {
        heldEvent_ = event;
        return;
    }
    heldEvent_.reset();
    platform_.SetDialogAnswers(std::exchange(answers_, {}));
    session_.Deliver(event);
}

const Scene& PageGame::shownScene() {
    return waiting_ ? probe_.scene() : session_.game().scene;
}

}  // namespace vexmire
