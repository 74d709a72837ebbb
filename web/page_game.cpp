#include "web/page_game.h"

#include <sstream>
#include <utility>

#include "game/shell.h"
#include "script/command_parser.h"
#include "script/malformed_line.h"
#include "script/script_reader.h"

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

bool PageGame::Play(std::string_view script, std::string& error) {
    std::istringstream in{std::string(script)};
    ScriptReader reader(in);
    std::deque<PlayerEvent> events;
    try {
        for (std::string line; reader.Next(line);) {
            if (auto event = ParsePlayerLine(line)) events.push_back(std::move(*event));
        }
    } catch (const MalformedLine& malformed) {
        error = "line " + std::to_string(reader.lineNumber()) + ": " + malformed.what();
        return false;
    }
    script_ = std::move(events);
    PlayOn();
    return true;
}

void PageGame::SetAway(bool away) {
    session_.SetAway(away);
    PlayOn();
}

// A run of ticks is played one tick at a time, so that a dialog can stop it between two.
void PageGame::PlayOn() {
    while (!script_.empty() && !waiting_ && !session_.ended() && !session_.away()) {
        PlayerEvent& next = script_.front();
        if (next.kind == PlayerEvent::Kind::Tick && next.number > 1) {
            --next.number;
            Run(PlayerEvent::Ticks(1));
            continue;
        }
        const PlayerEvent event = std::move(next);
        script_.pop_front();
        if (event.kind != PlayerEvent::Kind::Tick || event.number == 1) Run(event);
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
