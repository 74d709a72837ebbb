#include "app/replay.h"

#include <algorithm>
#include <sstream>
#include <type_traits>
#include <variant>

#include <QCoreApplication>
#include <QEvent>
#include <QObject>

#include "app/game_windows.h"
#include "app/replay_file.h"
#include "platform/headless_platform.h"
#include "script/command_parser.h"
#include "script/malformed_line.h"
#include "script/script_reader.h"

namespace vexmire {

namespace {

// Lines that change the game behind the rules' back: no player can make them.
bool IsNotAPlayersEvent(const std::string& line) {
    const std::string verb = line.substr(0, line.find(' '));
    return verb == "set" || verb == "var" || verb == "render";
}

bool IsPassedOver(const Command& command) {
    return std::holds_alternative<command::State>(command);
}

// While a replay runs, keys and clicks reach no window of the game; closing one still ends it.
class InputBlocker : public QObject {
  public:
    using QObject::QObject;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        switch (event->type()) {
            case QEvent::KeyPress:
            case QEvent::KeyRelease:
            case QEvent::ShortcutOverride:
            case QEvent::Shortcut:
            case QEvent::MouseButtonPress:
            case QEvent::MouseButtonRelease:
            case QEvent::MouseButtonDblClick:
            case QEvent::Wheel:
                return true;
            default:
                return QObject::eventFilter(watched, event);
        }
    }
};

}  // namespace

Replay::Loaded Replay::Load(const std::string& path) {
    Loaded loaded;
    ReplayFile file = ReadReplayFile(path);
    if (file.status != 0) {
        loaded.status = file.status;
        loaded.message = std::move(file.message);
        return loaded;
    }
    // Names in the script are checked against a game of its own, never the one played.
    HeadlessPlatform scratchPlatform;
    Game scratch(scratchPlatform);
    // Room for a command a line at once: a growing list would at times need twice as much.
    loaded.replay.commands_.reserve(std::count(file.text.begin(), file.text.end(), '\n') + 1);
    std::istringstream text(std::move(file.text));
    ScriptReader reader(text);
    try {
        std::string line;
        while (reader.Next(line)) {
            if (IsNotAPlayersEvent(line)) {
                throw MalformedLine(Quoted(line.substr(0, line.find(' '))) +
                                    " is not an event a player makes and has no place in a "
                                    "replay");
            }
            auto command = ParseLine(line, scratch);
            if (command && !IsPassedOver(*command)) {
                loaded.replay.commands_.push_back(std::move(*command));
            }
        }
    } catch (const MalformedLine& malformed) {
        loaded.status = 2;
        loaded.message = ReplayName(path) + ":" + std::to_string(reader.lineNumber()) + ": " +
                         malformed.what();
    }
    return loaded;
}

void Replay::PlayIn(GameWindows& windows, QtPlatform& platform) {
    windows_ = &windows;
    platform_ = &platform;
    platform.AnswerDialogsFromScript(kReadingTime);
    QCoreApplication::instance()->installEventFilter(
        new InputBlocker(QCoreApplication::instance()));
    windows.gameWindow.PlayFromScript([this] { return Step(); });
}

bool Replay::Step() {
    // However many events a script puts between two ticks, the window answers a close or a
    // stop signal within one tick: the rest wait for the next tick that falls due.
    for (int events = 0; events < kMostEventsAStep; ++events) {
        if (next_ == commands_.size() || platform_->ended()) return false;
        const Command& command = commands_[next_];
        if (const auto* tick = std::get_if<command::Tick>(&command)) {
            if (ticksLeft_ < 0) ticksLeft_ = tick->count;
            if (ticksLeft_ > 0) --ticksLeft_;
            if (ticksLeft_ == 0) {
                ++next_;
                ticksLeft_ = -1;
                if (tick->count == 0) continue;
            }
            windows_->gameWindow.RunTick();
            return !platform_->ended();
        }
        ++next_;
        Run(command);
    }
    return true;
}

void Replay::Run(const Command& command) {
    GameWindow& gameWindow = windows_->gameWindow;
    std::visit(
        [&](const auto& event) {
            using Event = std::decay_t<decltype(event)>;
            if constexpr (std::is_same_v<Event, command::NewGame>) {
                windows_->titleWindow.PressNewGame();
            } else if constexpr (std::is_same_v<Event, command::Quit>) {
                windows_->titleWindow.PressQuit();
            } else if constexpr (std::is_same_v<Event, command::KeyDown>) {
                gameWindow.RunKeyDown(event.code, 0);
            } else if constexpr (std::is_same_v<Event, command::KeyUp>) {
                gameWindow.RunKeyUp(event.code, 0);
            } else if constexpr (std::is_same_v<Event, command::Press>) {
                gameWindow.RunKeyDown(event.code, 0);
                gameWindow.RunKeyUp(event.code, 0);
            } else if constexpr (std::is_same_v<Event, command::Answer>) {
                platform_->QueueAnswer(event.text);
            }
        },
        command);
}

}  // namespace vexmire
