#pragma once

#include <chrono>
#include <cstdint>
#include <functional>

#include <QObject>
#include <QTimer>

namespace vexmire {

// Calls its tick 64 times a second, each tick due at a fixed deadline counted from a steady
// clock, so that late timer wake-ups never make the game drift slower. It sleeps on a precise
// single-shot timer between ticks and never spins. While paused no tick runs; ticks that fell
// due in the meantime are dropped, and pacing starts afresh from the moment it resumes.
class TickDriver : public QObject {
    Q_OBJECT
  public:
    using Clock = std::chrono::steady_clock;
    static constexpr Clock::duration kPeriod = std::chrono::microseconds(15625);  // 1/64 s
    // A tick this late or later is run at once and the ticks before it are dropped: a long
    // stall should not come back as a burst of steps.
    static constexpr Clock::duration kMaxLag = 4 * kPeriod;

    explicit TickDriver(std::function<void()> tick, QObject* parent = nullptr);

    void Start();
    // For good: the driver never ticks again after this.
    void Stop();
    void SetPaused(bool paused);
    // Tests drive the driver from a clock of their own.
    void SetClock(std::function<Clock::time_point()> now);
    // The driver's clock, which the game window's other moments are read from too.
    Clock::time_point Now() const { return now_(); }

    // Runs the tick if it is due; the timer calls this, and tests may too.
    void Poll();

    bool running() const { return running_; }
    bool paused() const { return paused_; }
    // Whether the timer is set to wake the driver.
    bool scheduled() const { return timer_.isActive(); }
    int64_t ticksRun() const { return ticksRun_; }

  private:
    void Schedule();

    std::function<void()> tick_;
    std::function<Clock::time_point()> now_ = [] { return Clock::now(); };
    QTimer timer_;
    Clock::time_point next_{};
    int64_t ticksRun_ = 0;
    bool running_ = false;
    bool stopped_ = false;
    bool paused_ = false;
    bool inTick_ = false;
};

}  // namespace vexmire
