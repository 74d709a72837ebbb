#include "web/page_game.h"

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
}

// Only an event that may reach the rules now is tried: one the session holds back opens no
// dialog either.
void PageGame::Run(const PlayerEvent& event) {
    if (!session_.MayDeliver(event.kind)) return;
    waiting_ = probe_.FirstUnanswered(session_.game(), event, answers_, platform_.scriptedAnswers());
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
