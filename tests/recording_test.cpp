#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <sstream>
#include <string>

#include "script/command_parser.h"
#include "script/script_recorder.h"
#include "tests/memory_file.h"

namespace vexmire {

// The recording's integrity: whatever happens to the file, a reader finds whole lines, each
// there the moment its event reached the rules.
namespace {

int LinesIn(const std::string& text) {
    return static_cast<int>(std::count(text.begin(), text.end(), '\n'));
}

TEST(Recording, WhatTheRecorderWritesTheReaderReadsAsTheSameEvent) {
    const PlayerEvent events[] = {
        PlayerEvent::NewGame(),         PlayerEvent::Quit(),
        PlayerEvent::KeyDown(-32768),   PlayerEvent::KeyUp(32767),
        PlayerEvent::Press(13),         PlayerEvent::Ticks(0),
        PlayerEvent::Ticks(10'000'000), PlayerEvent::Answer(""),
        PlayerEvent::Answer(" 39 16 "), PlayerEvent::Answer("\u00e9\u6f22 # not a comment"),
    };
    for (const PlayerEvent& event : events) {
        const std::string line = FormatEvent(event);
        EXPECT_EQ(ParsePlayerLine(line), event) << line;
    }
    // The script's line holds one line of the prompt's field.
    EXPECT_EQ(ParsePlayerLine(FormatEvent(PlayerEvent::Answer("39\r\n16"))),
              PlayerEvent::Answer("39  16"));
}

TEST(Recording, EachLineIsInTheFileTheMomentItsEventHappened) {
    MemoryFile file;
    std::ostringstream errors;
    ScriptRecorder recorder(file.fd(), "r", errors);
    recorder.Record(PlayerEvent::NewGame());
    EXPECT_EQ(file.Text(), "newgame\n");
    for (int n = 0; n < 70; ++n) recorder.Record(PlayerEvent::Ticks(1));
    EXPECT_EQ(file.Text(), "newgame\ntick 64\n");
    recorder.Record(PlayerEvent::KeyDown(39));
    EXPECT_EQ(file.Text(), "newgame\ntick 64\ntick 6\nkeydown 39\n");
    recorder.Record(PlayerEvent::Ticks(1));
    recorder.Record(PlayerEvent::Answer("39 16\r\n"));  // inside the second tick after the key
    recorder.Record(PlayerEvent::Ticks(1));
    recorder.Record(PlayerEvent::Answer(""));
    recorder.Record(PlayerEvent::Ticks(1));
    recorder.Record(PlayerEvent::KeyUp(-5));
    recorder.Record(PlayerEvent::Quit());
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
        recorder.Record(PlayerEvent::NewGame());
        recorder.Record(PlayerEvent::KeyDown(39));
        for (int n = 0; n < 200; ++n) recorder.Record(PlayerEvent::Ticks(1));
        EXPECT_TRUE(recorder.stopped());
        recorder.Record(PlayerEvent::KeyUp(39));
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
    recorder.Record(PlayerEvent::NewGame());
    recorder.Record(PlayerEvent::Quit());
    std::signal(SIGPIPE, previous);
    ::close(ends[1]);
    EXPECT_TRUE(recorder.stopped());
    EXPECT_EQ(LinesIn(errors.str()), 1) << errors.str();
    EXPECT_NE(errors.str().find("nothing reads it any more"), std::string::npos);
}

}  // namespace

}  // namespace vexmire
