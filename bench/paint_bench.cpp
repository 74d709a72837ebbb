#include <benchmark/benchmark.h>

#include <cstdint>

#include <QCoreApplication>
#include <QImage>
#include <QPainter>

#include "app/game_window.h"
#include "bench/qt_bench_main.h"
#include "bench/staged_game.h"
#include "game/game.h"
#include "game/hints.h"
#include "platform/headless_platform.h"
#include "platform/painter/filled_frame.h"
#include "platform/painter/frame_layout.h"
#include "platform/painter/painter.h"
#include "platform/qt/tick_driver.h"

using namespace vexmire;

// What painting the game window costs: the whole window, and one frame of play.

namespace {

// The busy state with the longest hint shown, which wraps over three lines at the bottom right.
// Every pass paints the whole window afresh, with a painter of its own, as a full repaint does.
void BM_PaintGame(benchmark::State& state) {
    HeadlessPlatform platform;
    Game game(platform);
    StageBusyPlay(game);
    game.level.tip->caption = hint::kJailDoor;
    QImage window(kGameWindowWidth, kGameWindowHeight, QImage::Format_RGB32);
    for (auto _ : state) {
        QPainter painter(&window);
        PaintScene(game.scene, painter);
        painter.end();
        benchmark::DoNotOptimize(window.constBits());
    }
}
BENCHMARK(BM_PaintGame)->Unit(benchmark::kMicrosecond);

// One frame of play in the real game window on Qt's offscreen platform: the driver's tick with
// the player walking into a wall and pushed back, then the repaint that the tick asked for,
// flushed to the window.
void BM_WalkingFrame(benchmark::State& state) {
    RealWindows real;
    GameWindow& gameWindow = real.windows.gameWindow;
    TickDriver::Clock::time_point now = TickDriver::Clock::now();
    gameWindow.ticks().SetClock([&now] { return now; });
    real.StartWalkingRight();
    const auto frame = [&] {
        now += TickDriver::kPeriod;
        gameWindow.ticks().Poll();
        QCoreApplication::processEvents();
    };
    for (int n = 0; n < 2 * 64; ++n) frame();  // across the room and against the wall
    const int64_t before = gameWindow.ticks().ticksRun();
    for (auto _ : state) frame();
    if (gameWindow.ticks().ticksRun() - before != state.iterations()) {
        state.SkipWithError("not every frame ticked");
    }
    gameWindow.hide();
}
BENCHMARK(BM_WalkingFrame)->Unit(benchmark::kMicrosecond);

// The game's picture in a busy moment.
QImage BusyFrame() {
    HeadlessPlatform platform;
    Game game(platform);
    StageBusyPlay(game);
    return RenderScene(game.scene);
}

// Full screen on 1920 x 1080, where the frame fills the height: enlarged 2x without smoothing,
// then brought down smoothly to 1192 x 1080. Done for the whole frame at each repaint, as in
// this simple form, it costs the game window more than a tick's time on a slow machine.
void BM_FillTheHeightWholeFrame(benchmark::State& state) {
    const QImage frame = BusyFrame();
    const FrameLayout layout = LayOutFrame({1920, 1080}, frame.size());
    for (auto _ : state) {
        const QImage filled =
            frame.scaled(frame.size() * 2, Qt::IgnoreAspectRatio, Qt::FastTransformation)
                .scaled(layout.target.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        benchmark::DoNotOptimize(filled.constBits());
    }
}
BENCHMARK(BM_FillTheHeightWholeFrame)->Unit(benchmark::kMicrosecond);

// What the game window does instead after a step of the figure: only the rows it reaches.
void BM_FillTheHeightOneStep(benchmark::State& state) {
    const QImage frame = BusyFrame();
    const FrameLayout layout = LayOutFrame({1920, 1080}, frame.size());
    FilledFrame filled;
    filled.Update(frame, frame.rect(), layout);
    const QRegion step(24, 256, 32, 30);  // where the figure was and is
    for (auto _ : state) {
        filled.Update(frame, step, layout);
        benchmark::DoNotOptimize(filled.image().constBits());
    }
}
BENCHMARK(BM_FillTheHeightOneStep)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char* argv[]) {
    return RunQtBenchmarks(argc, argv);
}
