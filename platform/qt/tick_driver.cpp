#include "platform/qt/tick_driver.h"

#include <utility>

namespace vexmire {

TickDriver::TickDriver(std::function<void()> tick, QObject* parent)
    : QObject(parent), tick_(std::move(tick)) {
    timer_.setSingleShot(true);
    timer_.setTimerType(Qt::PreciseTimer);
    connect(&timer_, &QTimer::timeout, this, &TickDriver::Poll);
}

void TickDriver::Start() {
    if (stopped_ || running_) return;
    running_ = true;
    next_ = now_() + kPeriod;
    Schedule();
}

void TickDriver::Stop() {
    stopped_ = true;
    running_ = false;
    timer_.stop();
}

void TickDriver::SetPaused(bool paused) {
    if (paused == paused_) return;
    if (paused && resting_) owed_ += TakeTicksDue(now_());
    paused_ = paused;
    if (paused_) {
        timer_.stop();
        return;
    }
    next_ = now_() + kPeriod;
    Schedule();
}

void TickDriver::Rest() {
    if (!running_) return;
    resting_ = true;
    timer_.stop();
}

int64_t TickDriver::Wake() {
    if (!resting_) return 0;
    resting_ = false;
    int64_t due = std::exchange(owed_, 0);
    if (running_ && !paused_) due += TakeTicksDue(now_());
    Schedule();
    return due;
}

int64_t TickDriver::TakeTicksDue(Clock::time_point now) {
    if (now < next_) return 0;
    const int64_t due = (now - next_) / kPeriod + 1;
    next_ += due * kPeriod;
    return due;
}

void TickDriver::SetClock(std::function<Clock::time_point()> now) {
    now_ = std::move(now);
    next_ = now_() + kPeriod;
    Schedule();
}

void TickDriver::Poll() {
    // A tick that opened a dialog is still on the stack: the next tick waits for it to finish.
    if (!running_ || paused_ || inTick_ || resting_) return;
    const Clock::time_point now = now_();
    if (now < next_) {
        Schedule();
        return;
    }
    if (now - next_ >= kMaxLag) next_ = now;
    next_ += kPeriod;
    ++ticksRun_;
    inTick_ = true;
    tick_();
    inTick_ = false;
    // A tick that waited for the player in a dialog is followed by a full period of calm.
    const Clock::time_point after = now_();
    if (after - next_ >= kMaxLag) next_ = after + kPeriod;
    Schedule();
}

void TickDriver::Schedule() {
    if (!running_ || paused_ || inTick_ || resting_) return;
    const auto wait = std::chrono::ceil<std::chrono::milliseconds>(next_ - now_());
    timer_.start(wait.count() > 0 ? wait : std::chrono::milliseconds(0));
}

}  // namespace vexmire
