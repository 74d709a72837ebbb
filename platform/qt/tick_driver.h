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
// due in the meantime are dropped, and pacing starts afresh from the moment it resumes. While
// the game rests the driver does not wake at all.
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

    // The game rests: no tick would change it. The timer stops and the process sleeps; the
    // ticks go on falling due on the same grid, uncounted until Wake.
    void Rest();
    // Sets the timer going again after a rest, on the same grid, and returns how many ticks
    // fell due while the game rested (none while the driver was paused).
    int64_t Wake();
    bool resting() const { return resting_; }

    bool running() const { return running_; }
    bool paused() const { return paused_; }
    // Whether the timer is set to wake the driver.
    bool scheduled() const { return timer_.isActive(); }
    int64_t ticksRun() const { return ticksRun_; }

  private:
    void Schedule();
    // The ticks due by `now` that have not run, and the grid moved past them.
    int64_t TakeTicksDue(Clock::time_point now);

    std::function<void()> tick_;
    std::function<Clock::time_point()> now_ = [] { return Clock::now(); };
    QTimer timer_;
    Clock::time_point next_{};
    int64_t ticksRun_ = 0;
    int64_t owed_ = 0;  // ticks that fell due while resting, before a pause
    bool running_ = false;
    bool stopped_ = false;
    bool paused_ = false;
    bool inTick_ = false;
    bool resting_ = false;
};

}  // namespace vexmire
