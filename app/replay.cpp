#include "app/replay.h"

#include <algorithm>

#include <QCoreApplication>
#include <QEvent>
#include <QObject>

#include "app/game_and_windows.h"
#include "app/replay_file.h"

namespace vexmire {

namespace {

// While a replay runs, keys and clicks reach no window of the game; closing one still ends it.
// The watcher's own keys go to the replay.
class InputBlocker : public QObject {
  public:
    explicit InputBlocker(Replay& replay) : replay_(replay) {}

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        switch (event->type()) {
            case QEvent::KeyPress:
            case QEvent::KeyRelease:
                replay_.TakeKey(*static_cast<QKeyEvent*>(event));
                return true;
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

  private:
    Replay& replay_;
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
    ReplayScript script = ReadReplayScript(std::move(file.text), ReplayName(path));
    loaded.status = script.status;
    loaded.message = std::move(script.message);
    loaded.replay.events_ = std::move(script.events);
    return loaded;
}

bool Replay::IsSpeed(int speed) {
    return speed == 1 || speed == 2 || speed == 4 || speed == 8;
}

void Replay::PlayIn(GameAndWindows& windows, QtPlatform& platform, int speed,
                    std::chrono::milliseconds readingTime) {
    windows_ = &windows;
    platform_ = &platform;
    readingTime_ = readingTime;
    platform.AnswerDialogsFromScript(readingTime);
    inputBlocker_ = std::make_unique<InputBlocker>(*this);
    QCoreApplication::instance()->installEventFilter(inputBlocker_.get());
    windows.gameWindow.PlayFromScript([this] { return StepAtSpeed(); });
    SetSpeed(speed);
}

bool Replay::TakeKey(const QKeyEvent& key) {
    GameWindow& window = windows_->gameWindow;
    if (window.TakeWindowKey(key)) return true;
    if (key.type() != QEvent::KeyPress || key.isAutoRepeat()) return false;
    switch (key.key()) {
        case Qt::Key_Space:
            window.SetPaused(!window.paused());
            return true;
        case Qt::Key_Right:
        case Qt::Key_Plus:
        case Qt::Key_Equal:  // the key that + is on
            SetSpeed(speed_ * 2);
            return true;
        case Qt::Key_Left:
        case Qt::Key_Minus:
            SetSpeed(speed_ / 2);
            return true;
        default:
            return false;
    }
}

void Replay::SetSpeed(int speed) {
    speed_ = std::clamp(speed, 1, kFastest);
    platform_->SetReadingTime(
        std::max(readingTime_ / speed_, std::min(readingTime_, kShortestReading)));
    windows_->gameWindow.ShowReplaySpeed(speed_);
}

// A step may wait in a dialog, during which the watcher may pause: the next step waits too.
bool Replay::StepAtSpeed() {
    for (int step = 0; step < speed_ && !windows_->session.paused(); ++step) {
        if (!Step()) return false;
    }
    return true;
}

bool Replay::Step() {
    // However many events a script puts between two ticks, the window answers a close or a
    // stop signal within one tick: the rest wait for the next tick that falls due.
    for (int delivered = 0; delivered < kMostEventsAStep; ++delivered) {
        if (next_ == events_.size() || windows_->session.ended()) return false;
        if (windows_->session.paused()) return true;
        const PlayerEvent& event = events_[next_];
        if (event.kind == PlayerEvent::Kind::Tick) {
            if (ticksLeft_ < 0) ticksLeft_ = event.number;
            if (ticksLeft_ > 0) --ticksLeft_;
            if (ticksLeft_ == 0) {
                ++next_;
                ticksLeft_ = -1;
                if (event.number == 0) continue;
            }
            windows_->gameWindow.RunTick();
            return !windows_->session.ended();
        }
        ++next_;
        windows_->gameWindow.Deliver(event);
    }
    return true;
}

}  // namespace vexmire
