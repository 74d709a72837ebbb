#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <vector>

#include <QEventLoop>
#include <QTimer>

#include "app/game_window.h"
#include "bench/qt_bench_main.h"
#include "platform/qt/tick_driver.h"

using namespace vexmire;

// How evenly the game window's own tick driver paces the game: the real windows, started as
// the program starts them, play for ten seconds with an arrow held, on Qt's event loop.

namespace {

using Clock = TickDriver::Clock;
using Milliseconds = std::chrono::duration<double, std::milli>;

constexpr auto kPlayTime = std::chrono::seconds(10);

// The driver reads its clock once right after every tick it runs. Handing it the steady clock
// through this reader lets the benchmark see each tick of the window's own driver the moment
// it has run, with no hook in the driver.
class TickRecorder {
  public:
    explicit TickRecorder(const TickDriver& driver) : driver_(driver) {}

    Clock::time_point Now() {
        const Clock::time_point now = Clock::now();
        if (driver_.ticksRun() != seen_) {
            seen_ = driver_.ticksRun();
            ticks_.push_back(now);
        }
        return now;
    }
    const std::vector<Clock::time_point>& ticks() const { return ticks_; }

  private:
    const TickDriver& driver_;
    int64_t seen_ = 0;
    std::vector<Clock::time_point> ticks_;
};

double Percentile(std::vector<double> sorted, double fraction) {
    const auto rank = static_cast<size_t>(fraction * static_cast<double>(sorted.size() - 1) + 0.5);
    return sorted[std::min(rank, sorted.size() - 1)];
}

void BM_Pacing(benchmark::State& state) {
    RealWindows real;
    GameWindow& gameWindow = real.windows.gameWindow;
    real.StartWalkingRight();

    TickRecorder recorder(gameWindow.ticks());
    gameWindow.ticks().SetClock([&recorder] { return recorder.Now(); });
    for (auto _ : state) {
        QEventLoop play;
        QTimer::singleShot(kPlayTime, Qt::PreciseTimer, &play, &QEventLoop::quit);
        play.exec();
    }
    gameWindow.hide();

    const std::vector<Clock::time_point>& ticks = recorder.ticks();
    if (ticks.size() < 3) {
        state.SkipWithError("the driver hardly ticked");
        return;
    }
    std::vector<double> intervals;
    for (size_t n = 1; n < ticks.size(); ++n) {
        intervals.push_back(Milliseconds(ticks[n] - ticks[n - 1]).count());
    }
    const double span = Milliseconds(ticks.back() - ticks.front()).count();
    std::sort(intervals.begin(), intervals.end());
    state.counters["ticks"] = static_cast<double>(ticks.size());
    state.counters["ticks_per_s"] = 1000.0 * static_cast<double>(intervals.size()) / span;
    state.counters["p50_ms"] = Percentile(intervals, 0.50);
    state.counters["p99_ms"] = Percentile(intervals, 0.99);
    state.counters["max_ms"] = intervals.back();
}
BENCHMARK(BM_Pacing)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int argc, char* argv[]) {
    return RunQtBenchmarks(argc, argv);
}
