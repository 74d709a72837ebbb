#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <sstream>
#include <string>

#include "game/script_recorder.h"
#include "tests/memory_file.h"

namespace vexmire {

// The recording's integrity: whatever happens to the file, a reader finds whole lines, each
// there the moment its event reached the rules.
namespace {

int LinesIn(const std::string& text) {
    return static_cast<int>(std::count(text.begin(), text.end(), '\n'));
}

TEST(Recording, EachLineIsInTheFileTheMomentItsEventHappened) {
    MemoryFile file;
    std::ostringstream errors;
    ScriptRecorder recorder(file.fd(), "r", errors);
    recorder.NewGame();
    EXPECT_EQ(file.Text(), "newgame\n");
    for (int n = 0; n < 70; ++n) recorder.TickRan();
    EXPECT_EQ(file.Text(), "newgame\ntick 64\n");
    recorder.KeyDown(39);
    EXPECT_EQ(file.Text(), "newgame\ntick 64\ntick 6\nkeydown 39\n");
    recorder.TickRan();
    recorder.Answer("39 16\r\n");  // inside the second tick after the key
    recorder.TickRan();
    recorder.Answer("");
    recorder.TickRan();
    recorder.KeyUp(-5);
    recorder.Quit();
    recorder.Finish();
    EXPECT_EQ(file.Text(),
              "newgame\ntick 64\ntick 6\nkeydown 39\ntick 1\nanswer 39 16  \ntick 1\nanswer\n"
              "tick 1\nkeyup -5\nquit\n");
    EXPECT_TRUE(errors.str().empty());
}

// A file size limit cuts a write short exactly as a full disk does.
class FullDisk {
  public:
    explicit FullDisk(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &before_);
        previous_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = before_;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FullDisk() {
        setrlimit(RLIMIT_FSIZE, &before_);
        std::signal(SIGXFSZ, previous_);
    }

  private:
    rlimit before_ = {};
    void (*previous_)(int) = nullptr;
};

TEST(Recording, AFullDiskCutsItBetweenTwoLinesAndSaysSoOnceWhileTheGameGoesOn) {
    MemoryFile file;
    std::ostringstream errors;
    ScriptRecorder recorder(file.fd(), "game.vxs", errors);
    {
        // Room for "newgame", "keydown 39", "tick 64" and three bytes of the next "tick 64".
        FullDisk disk(30);
        recorder.NewGame();
        recorder.KeyDown(39);
        for (int n = 0; n < 200; ++n) recorder.TickRan();
        EXPECT_TRUE(recorder.stopped());
        recorder.KeyUp(39);
        recorder.Finish();
    }
    EXPECT_EQ(file.Text(), "newgame\nkeydown 39\ntick 64\n");
    EXPECT_EQ(LinesIn(errors.str()), 1) << errors.str();
    EXPECT_NE(errors.str().find("game.vxs"), std::string::npos);
    EXPECT_NE(errors.str().find("the game goes on"), std::string::npos);
}

TEST(Recording, AReaderThatLeavesStopsTheRecordingAndNotTheGame) {
    int ends[2];
    ASSERT_EQ(::pipe(ends), 0);
    const auto previous = std::signal(SIGPIPE, SIG_IGN);
    std::ostringstream errors;
    ScriptRecorder recorder(ends[1], "the pipe", errors);
    EXPECT_TRUE(recorder.Begin());
    ::close(ends[0]);
    recorder.NewGame();
    recorder.Quit();
    std::signal(SIGPIPE, previous);
    ::close(ends[1]);
    EXPECT_TRUE(recorder.stopped());
    EXPECT_EQ(LinesIn(errors.str()), 1) << errors.str();
    EXPECT_NE(errors.str().find("nothing reads it any more"), std::string::npos);
}

}  // namespace

}  // namespace vexmire
