#include <gtest/gtest.h>

#include <fstream>
#include <optional>
#include <sstream>
#include <string>

#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>

#include "app/replay.h"
#include "script/script_recorder.h"
#include "tests/memory_file.h"
#include "tests/qt_game_fixture.h"
#include "tests/sim_test_support.h"

namespace vexmire {

// A replay in the real windows, paced by the test's clock and recorded again: what reaches the
// rules is exactly the script, to its last line.
namespace {

// The ticks a script runs.
int64_t TicksIn(const std::string& script) {
    std::istringstream lines(script);
    std::string word;
    int64_t ticks = 0;
    for (std::string line; std::getline(lines, line);) {
        std::istringstream fields(line);
        int64_t count = 0;
        if (fields >> word && word == "tick" && fields >> count) ticks += count;
    }
    return ticks;
}

class ReplayTest : public QtGameTest {
  protected:
    ReplayTest() : recorder(recording.fd(), "again", errors) { windows.RecordTo(recorder); }

    // Plays `script` to its end; the number of ticks that fell due on the way.
    int PlayToTheEnd(const std::string& script) {
        const std::string path = folder.filePath("game.vxs").toStdString();
        std::ofstream(path) << script;
        return PlayFileToTheEnd(path);
    }
    int PlayFileToTheEnd(const std::string& path, int speed = 1) {
        loaded.emplace(Replay::Load(path));
        EXPECT_EQ(loaded->status, 0) << loaded->message;
        // The dialogs close at the first turn of their own event loop.
        loaded->replay.PlayIn(windows, platform, speed, std::chrono::milliseconds(0));
        int due = 0;
        while (gameWindow.ticks().running() && due < 100'000) {
            NextTick();
            ++due;
        }
        recorder.Finish();
        return due;
    }

    QTemporaryDir folder;
    MemoryFile recording;
    std::ostringstream errors;
    ScriptRecorder recorder;
    std::optional<Replay::Loaded> loaded;
};

TEST_F(ReplayTest, EveryLineReachesTheRulesTheLastOneAfterTheLastTickToo) {
    PlayToTheEnd("# a short game\nnewgame\nkeydown 39\ntick 3\nstate\nkeyup 39\npress 40\n");
    EXPECT_EQ(recording.Text(), "newgame\nkeydown 39\ntick 3\nkeyup 39\nkeydown 40\nkeyup 40\n");
}

TEST_F(ReplayTest, ThousandsOfEventsBetweenTwoTicksNeverHoldTheWindowForLong) {
    std::string script = "newgame\ntick 1\n";
    std::string expected = script;
    for (int n = 0; n < 1000; ++n) {
        script += "press 32\n";
        expected += "keydown 32\nkeyup 32\n";
    }
    script += "tick 1\n";
    expected += "tick 1\n";
    const int due = PlayToTheEnd(script);
    EXPECT_EQ(recording.Text(), expected);
    // At most so many events a tick that falls due: the window stays free to close.
    EXPECT_GE(due, 1002 / Replay::kMostEventsAStep);
}

// The whole won game, played back in the windows and recorded again, comes through the driver
// to exactly the win and the state that the script itself comes to, at 8x as at 1x, in an eighth
// of the ticks.
class ReplaySpeedTest : public ReplayTest, public ::testing::WithParamInterface<int> {};

INSTANTIATE_TEST_SUITE_P(AtEverySpeed, ReplaySpeedTest, ::testing::Values(1, 8));

TEST_P(ReplaySpeedTest, TheWonGamePlayedBackInTheWindowsEndsInTheWin) {
    const std::string script = VEXMIRE_REPLAYS "/win_the_game.vxs";
    const int due = PlayFileToTheEnd(script, GetParam());
    EXPECT_EQ(exits, 1);
    std::ifstream original(script);
    std::stringstream originalText;
    originalText << original.rdbuf();
    const SimRun expected = RunSim(originalText.str());
    const SimRun replayed = RunSim(recording.Text());
    ASSERT_EQ(replayed.status, 0) << replayed.err;
    const auto events = replayed.Parsed();
    ASSERT_GE(events.size(), 3u);
    EXPECT_EQ(events[events.size() - 3]["text"], "You win, congradulations");
    EXPECT_EQ(events[events.size() - 2]["event"], "end");
    EXPECT_EQ(replayed.LastState(), expected.LastState());
    EXPECT_TRUE(errors.str().empty()) << errors.str();
    const int64_t ticks = TicksIn(recording.Text());
    EXPECT_LE(due, ticks / GetParam() + 2);
}

class ReplayKeysTest : public ReplayTest {
  protected:
    void Press(int key) {
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
        QCoreApplication::sendEvent(&titleWindow, &press);
        QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier);
        QCoreApplication::sendEvent(&titleWindow, &release);
    }
    void Start(int speed) {
        loaded.emplace(Replay::Load(VEXMIRE_REPLAYS "/win_the_game.vxs"));
        loaded->replay.PlayIn(windows, platform, speed, Replay::kReadingTime);
    }
};

TEST_F(ReplayKeysTest, RightAndPlusDoubleTheSpeedUpTo8xLeftAndMinusHalveItDownTo1x) {
    Start(2);
    EXPECT_EQ(gameWindow.windowTitle(), "Vexmire: replay at 2x");
    EXPECT_EQ(platform.readingTime(), std::chrono::milliseconds(750));
    Press(Qt::Key_Right);
    Press(Qt::Key_Plus);
    Press(Qt::Key_Right);
    EXPECT_EQ(loaded->replay.speed(), 8);
    EXPECT_EQ(gameWindow.windowTitle(), "Vexmire: replay at 8x");
    // A dialog stays up for its moment divided by the speed, but long enough to be seen.
    EXPECT_EQ(platform.readingTime(), Replay::kShortestReading);
    Press(Qt::Key_Left);
    Press(Qt::Key_Minus);
    Press(Qt::Key_Left);
    Press(Qt::Key_Left);
    EXPECT_EQ(loaded->replay.speed(), 1);
    EXPECT_EQ(platform.readingTime(), Replay::kReadingTime);
}

TEST_F(ReplayKeysTest, SpacePausesTheReplayAndGoesOnWhereItStopped) {
    Start(1);
    for (int n = 0; n < 4; ++n) NextTick();
    Press(Qt::Key_Space);
    EXPECT_EQ(gameWindow.windowTitle(), "Vexmire: replay at 1x (Paused: press Space to go on)");
    const std::string events = recording.Text();
    const int64_t ticks = ticksRun();
    const float left = player().left();
    for (int n = 0; n < 100; ++n) NextTick();
    // No other key reaches the game while it is watched.
    Press(Qt::Key_Return);
    EXPECT_EQ(ticksRun(), ticks);
    EXPECT_EQ(player().left(), left);
    EXPECT_EQ(recording.Text(), events);
    Press(Qt::Key_Space);
    EXPECT_EQ(gameWindow.windowTitle(), "Vexmire: replay at 1x");
    NextTick();
    EXPECT_EQ(ticksRun(), ticks + 1);
    EXPECT_EQ(player().left(), left + 2);
}

// The replay's hold on the keys goes with it: a field typed into afterwards takes the key.
TEST_F(ReplayKeysTest, OnceTheReplayIsGoneKeysReachTheWindowsAgain) {
    Start(1);
    loaded.reset();
    QLineEdit field;
    QTest::keyClick(&field, Qt::Key_A);
    EXPECT_EQ(field.text(), "a");
}

// The watcher pauses while the clue is up: it stays up until the replay goes on.
TEST_F(ReplayKeysTest, APausedReplayHoldsItsDialogOpenUntilItGoesOn) {
    bool held = false;
    WhenDialogOpens([&](QDialog* dialog) {
        Press(Qt::Key_Space);
        for (int n = 0; n < 10; ++n) QCoreApplication::processEvents();
        held = dialog != nullptr && dialog->isVisible();
        Press(Qt::Key_Space);
    });
    PlayFileToTheEnd(VEXMIRE_REPLAYS "/win_the_game.vxs");
    EXPECT_TRUE(held);
    EXPECT_EQ(exits, 1);
}

}  // namespace

}  // namespace vexmire
