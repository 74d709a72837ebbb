#include "sim/sim_driver.h"

#include <cerrno>
#include <cstring>
#include <stdexcept>
#include <string>

#include "game/shell.h"
#include "script/malformed_line.h"
#include "sim/event_json.h"
#include "sim/render.h"
#include "sim/state_json.h"

namespace vexmire {

void CheckOutput(const std::ostream& out) {
    if (out) return;
    const int reason = errno;
    throw OutputFailed(reason != 0 ? std::strerror(reason) : "write error");
}

struct SimDriver::Executor {
    SimDriver& driver;

    void operator()(const PlayerEvent& event) const {
        Game& game = driver.game_;
        switch (event.kind) {
            case PlayerEvent::Kind::NewGame:
                return cmdRun_Click(driver.platform_);
            case PlayerEvent::Kind::Quit:
                return cmdEnd_Click(driver.platform_);
            case PlayerEvent::Kind::KeyDown:
                return game.Form_KeyDown(static_cast<int16_t>(event.number), 0);
            case PlayerEvent::Kind::KeyUp:
                return game.Form_KeyUp(static_cast<int16_t>(event.number), 0);
            case PlayerEvent::Kind::Press:
                game.Form_KeyDown(static_cast<int16_t>(event.number), 0);
                return game.Form_KeyUp(static_cast<int16_t>(event.number), 0);
            case PlayerEvent::Kind::Tick:
                // A tick that ends the game has run: it counts, and ProgramEnded stops the rest.
                for (int32_t n = 0; n < event.number; ++n) {
                    ++driver.ticks_;
                    game.tmr_Timer();
                }
                return;
            case PlayerEvent::Kind::Answer:
                if (driver.platform_.queuedAnswers() == kMaxQueuedAnswers) {
                    throw MalformedLine("more than " + std::to_string(kMaxQueuedAnswers) +
                                        " answers would wait unused for a prompt");
                }
                return driver.platform_.QueueAnswer(event.text);
        }
    }
    void operator()(const command::SetGeometry& set) const { (set.entity->*set.setter)(set.value); }
    void operator()(const command::SetFlag& set) const { set.entity->*set.property = set.value; }
    void operator()(const command::SetCaption& set) const { set.entity->caption = set.text; }
    void operator()(const command::SetPicture& set) const { set.entity->picture = set.picture; }
    void operator()(const command::SetVariable& set) const { *set.variable = set.value; }
    void operator()(const command::State&) const { driver.PrintState(); }
    void operator()(const command::Render& render) const {
        std::string error;
        if (!RenderGameWindow(driver.game_.scene, render.path, error)) {
            throw std::runtime_error("render: " + error);
        }
    }
};

SimDriver::SimDriver(std::ostream& out)
    : out_(out), platform_(HeadlessPlatform::CallLog::ReportOnly), game_(platform_) {
    // A long tick may print millions of events before the next flush: the first that cannot be
    // written stops it.
    platform_.SetObserver([this](const PlatformCall& call) {
        out_ << EventLine(call) << '\n';
        CheckOutput(out_);
    });
}

void SimDriver::Start() {
    Form_Load(game_);
}

void SimDriver::Execute(const Command& command) {
    std::visit(Executor{*this}, command);
}

void SimDriver::PrintState() {
    out_ << StateLine(game_, ticks_) << '\n';
}

}  // namespace vexmire
