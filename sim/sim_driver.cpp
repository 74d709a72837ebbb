#include "sim/sim_driver.h"

#include <cerrno>
#include <cstring>
#include <stdexcept>
#include <string>

#include "game/shell.h"
#include "game/platform.h"
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

    // The game's end stops the script: the caller prints the last state and reads no further
    // line. A fault of the program goes on to the caller as it came.
    void operator()(const PlayerEvent& event) const {
        Session& session = driver.session_;
        if (event.kind == PlayerEvent::Kind::Answer &&
            driver.platform_.queuedAnswers() == kMaxQueuedAnswers) {
            throw MalformedLine("more than " + std::to_string(kMaxQueuedAnswers) +
                                " answers would wait unused for a prompt");
        }
        if (event.kind != PlayerEvent::Kind::Tick) {
            session.Deliver(event);
        } else {
            // A tick that ends the game has run: it counts.
            for (int32_t n = 0; n < event.number && !session.ended(); ++n) {
                ++driver.ticks_;
                session.Deliver(PlayerEvent::Ticks(1));
            }
        }
        if (session.ended()) throw ProgramEnded();
    }
    void operator()(const command::SetGeometry& set) const { (set.entity->*set.setter)(set.value); }
    void operator()(const command::SetFlag& set) const { set.entity->*set.property = set.value; }
    void operator()(const command::SetCaption& set) const { set.entity->caption = set.text; }
    void operator()(const command::SetPicture& set) const { set.entity->picture = set.picture; }
    void operator()(const command::SetVariable& set) const { *set.variable = set.value; }
    void operator()(const command::State&) const { driver.PrintState(); }
    void operator()(const command::Render& render) const {
        std::string error;
        if (!RenderGameWindow(driver.game().scene, render.path, error)) {
            throw std::runtime_error("render: " + error);
        }
    }
};

SimDriver::SimDriver(std::ostream& out)
    : out_(out),
      platform_(HeadlessPlatform::CallLog::ReportOnly),
      session_(platform_, [](Ending, const std::string&) {}) {
    // A long tick may print millions of events before the next flush: the first that cannot be
    // written stops it.
    platform_.SetObserver([this](const PlatformCall& call) {
        out_ << EventLine(call) << '\n';
        CheckOutput(out_);
    });
}

void SimDriver::Start() {
    Form_Load(game());
}

void SimDriver::Execute(const Command& command) {
    std::visit(Executor{*this}, command);
}

void SimDriver::PrintState() {
    out_ << StateLine(game(), ticks_) << '\n';
}

}  // namespace vexmire
