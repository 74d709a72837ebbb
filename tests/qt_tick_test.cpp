#include <gtest/gtest.h>

#include <chrono>

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QEventLoop>

#include "platform/qt/tick_driver.h"
#include "tests/qt_game_fixture.h"

namespace vexmire {

namespace {

using std::chrono::milliseconds;

class TickPacingTest : public ::testing::Test {
  protected:
    TickPacingTest() : driver([this] { OnTick(); }) { driver.SetClock(clock.Reader()); }

    virtual void OnTick() {}

    // Polls the driver once a millisecond of the test's clock, as a punctual timer would.
    void RunFor(milliseconds span) {
        for (milliseconds passed{0}; passed < span; passed += milliseconds(1)) {
            clock.Advance(milliseconds(1));
            driver.Poll();
        }
    }

    TestClock clock;
    TickDriver driver;
};

TEST_F(TickPacingTest, SixtyFourTicksEachSecondWithoutDrift) {
    driver.Start();
    RunFor(milliseconds(1000));
    EXPECT_EQ(driver.ticksRun(), 64);
    RunFor(milliseconds(9000));
    EXPECT_EQ(driver.ticksRun(), 640);
}

TEST_F(TickPacingTest, NothingTicksBeforeItsDeadline) {
    driver.Start();
    clock.Advance(TickDriver::kPeriod - milliseconds(1));
    driver.Poll();
    EXPECT_EQ(driver.ticksRun(), 0);
    EXPECT_TRUE(driver.scheduled());
    clock.Advance(milliseconds(1));
    driver.Poll();
    EXPECT_EQ(driver.ticksRun(), 1);
}

TEST_F(TickPacingTest, ASlightlyLateWakeUpIsCaughtUpSoThePaceHolds) {
    driver.Start();
    clock.Advance(2 * TickDriver::kPeriod + milliseconds(3));
    driver.Poll();
    driver.Poll();
    driver.Poll();
    EXPECT_EQ(driver.ticksRun(), 2);
}

TEST_F(TickPacingTest, ALongStallIsDroppedRatherThanReplayedInABurst) {
    driver.Start();
    clock.Advance(std::chrono::seconds(2));
    for (int n = 0; n < 10; ++n) driver.Poll();
    EXPECT_EQ(driver.ticksRun(), 1);
    clock.Advance(TickDriver::kPeriod);
    driver.Poll();
    EXPECT_EQ(driver.ticksRun(), 2);
}

TEST_F(TickPacingTest, WhilePausedNoTickRunsAndThePaceStartsAfreshAfterwards) {
    driver.Start();
    driver.SetPaused(true);
    EXPECT_FALSE(driver.scheduled());
    clock.Advance(std::chrono::seconds(5));
    for (int n = 0; n < 10; ++n) driver.Poll();
    EXPECT_EQ(driver.ticksRun(), 0);
    driver.SetPaused(false);
    EXPECT_TRUE(driver.scheduled());
    driver.Poll();
    EXPECT_EQ(driver.ticksRun(), 0);
    RunFor(milliseconds(1000));
    EXPECT_EQ(driver.ticksRun(), 64);
}

// At rest the driver sets no timer at all; woken, it counts the ticks that fell due on the grid
// meanwhile, as if each had run, and goes on ticking on the same grid.
TEST_F(TickPacingTest, ARestSleepsWithoutATimerAndWakesOnTheSameGrid) {
    driver.Start();
    RunFor(milliseconds(100));
    EXPECT_EQ(driver.ticksRun(), 6);
    driver.Rest();
    EXPECT_FALSE(driver.scheduled());
    RunFor(milliseconds(1000));
    EXPECT_EQ(driver.ticksRun(), 6);
    EXPECT_EQ(driver.Wake(), 64);  // 70 ticks in 1.1 s
    EXPECT_TRUE(driver.scheduled());
    EXPECT_EQ(driver.Wake(), 0);
    RunFor(milliseconds(100));
    EXPECT_EQ(driver.ticksRun(), 12);  // 76 in 1.2 s
}

// Time paused is no time of the game's, at rest as while ticking.
TEST_F(TickPacingTest, ARestCountsNoTickWhilePaused) {
    driver.Start();
    driver.Rest();
    RunFor(milliseconds(500));
    driver.SetPaused(true);
    RunFor(milliseconds(5000));
    driver.SetPaused(false);
    EXPECT_FALSE(driver.scheduled());
    RunFor(milliseconds(500));
    EXPECT_EQ(driver.Wake(), 32 + 32);
    EXPECT_EQ(driver.ticksRun(), 0);
}

TEST_F(TickPacingTest, AStoppedDriverNeverTicksAgain) {
    driver.Start();
    driver.Stop();
    driver.SetPaused(true);
    driver.SetPaused(false);
    driver.Start();
    RunFor(milliseconds(100));
    EXPECT_EQ(driver.ticksRun(), 0);
    EXPECT_FALSE(driver.scheduled());
}

class NestedLoopTickTest : public TickPacingTest {
  protected:
    // A tick that waits in an event loop of its own, as one that opens a dialog does.
    void OnTick() override {
        ++entered;
        clock.Advance(std::chrono::seconds(1));
        driver.Poll();
        QEventLoop loop;
        loop.processEvents();
    }
    int entered = 0;
};

TEST_F(NestedLoopTickTest, ATickThatWaitsIsNeverEnteredAgainWhileItWaits) {
    driver.Start();
    clock.Advance(TickDriver::kPeriod);
    driver.Poll();
    EXPECT_EQ(entered, 1);
    EXPECT_EQ(driver.ticksRun(), 1);
    // The time it waited is not made up afterwards either.
    driver.Poll();
    EXPECT_EQ(driver.ticksRun(), 1);
}

TEST(TickTimer, TheRealClockAndTimerDeliverTicks) {
    int ticks = 0;
    TickDriver driver([&] { ++ticks; });
    driver.Start();
    const QDeadlineTimer patience(5000);
    while (ticks < 3 && !patience.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    }
    EXPECT_GE(ticks, 3);
}

}  // namespace

}  // namespace vexmire
