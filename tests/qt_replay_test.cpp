#include <gtest/gtest.h>

#include <fstream>
#include <optional>
#include <sstream>
#include <string>

#include <QTemporaryDir>

#include "app/replay.h"
#include "script/script_recorder.h"
#include "tests/memory_file.h"
#include "tests/qt_game_fixture.h"
#include "tests/sim_test_support.h"

namespace vexmire {

// A replay in the real windows, paced by the test's clock and recorded again: what reaches the
// rules is exactly the script, to its last line.
namespace {

class ReplayTest : public QtGameTest {
  protected:
    ReplayTest() : recorder(recording.fd(), "again", errors) { windows.RecordTo(recorder); }

    // Plays `script` to its end; the number of ticks that fell due on the way.
    int PlayToTheEnd(const std::string& script) {
        const std::string path = folder.filePath("game.vxs").toStdString();
        std::ofstream(path) << script;
        return PlayFileToTheEnd(path);
    }
    int PlayFileToTheEnd(const std::string& path) {
        loaded.emplace(Replay::Load(path));
        EXPECT_EQ(loaded->status, 0) << loaded->message;
        // The dialogs close at the first turn of their own event loop.
        loaded->replay.PlayIn(windows, platform, std::chrono::milliseconds(0));
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
// to exactly the win and the state that the script itself comes to.
TEST_F(ReplayTest, TheWonGamePlayedBackInTheWindowsEndsInTheWin) {
    const std::string script = VEXMIRE_REPLAYS "/win_the_game.vxs";
    PlayFileToTheEnd(script);
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
}

}  // namespace

}  // namespace vexmire
