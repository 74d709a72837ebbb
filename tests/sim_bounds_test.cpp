#include <gtest/gtest.h>

#include <cerrno>
#include <sstream>
#include <streambuf>
#include <string>

#include "script/command.h"
#include "script/command_parser.h"
#include "sim/run_script.h"
#include "sim/sim_driver.h"
#include "tests/sim_test_support.h"

namespace vexmire {

namespace {

// Stands the player on the keypad, so that the prompt opens again at every tick.
const std::string kOnTheKeypad =
    "set imgPlayer Left 124\nset imgPlayer Top 476\nset imgPlayer Width 1\n"
    "set imgPlayer Height 1\n";

std::string Answers(size_t count) {
    std::string script;
    for (size_t i = 0; i < count; ++i) script += "answer " + std::to_string(i) + "\n";
    return script;
}

// A script of any length runs in the same memory: what the driver has printed it forgets.

TEST(BoundedInput, TheDriverKeepsNoCallOnceItIsPrinted) {
    std::ostringstream out;
    SimDriver driver(out);
    driver.Start();
    driver.Execute(command::NewGame{});
    driver.Execute(command::Tick{1});
    EXPECT_TRUE(driver.platform().calls().empty());
    EXPECT_EQ(out.str(), kStartEvents[0] + "\n" + kStartEvents[1] + "\n" +
                             R"({"event":"window","window":"Form1","visible":true})"
                             "\n"
                             R"({"event":"window","window":"Form2","visible":false})"
                             "\n");

    // The rules' own tests read the calls back: there the platform keeps them.
    HeadlessPlatform kept;
    kept.SoundBeep();
    EXPECT_EQ(kept.calls().size(), 1u);
}

TEST(BoundedInput, AtMostATableOfAnswersWaitsAndAPromptMakesRoomForOneMore) {
    const SimRun full = RunSim(Answers(kMaxQueuedAnswers) + "state\n");
    EXPECT_EQ(full.status, 0) << full.err;

    const SimRun over = RunSim(Answers(kMaxQueuedAnswers + 1) + "state\n");
    EXPECT_EQ(over.status, 2);
    EXPECT_EQ(over.lines, kStartEvents);
    EXPECT_EQ(over.err,
              "vexmire-sim: line 1025: more than 1024 answers would wait unused for a "
              "prompt\n");

    const SimRun used = RunSim(kOnTheKeypad + Answers(kMaxQueuedAnswers) + "tick\nanswer x\n");
    EXPECT_EQ(used.status, 0) << used.err;
    EXPECT_EQ(nlohmann::json::parse(used.lines.back()).at("answer"), "0");
}

// Honest exit statuses: output that does not arrive is a failure, reported once.

// Standard output on a disk that has room for `room` more bytes.
class FullDisk : public std::streambuf {
  public:
    explicit FullDisk(size_t room) : room_(room) {}

  protected:
    int overflow(int c) override {
        if (room_ == 0) {
            errno = ENOSPC;
            return traits_type::eof();
        }
        --room_;
        return traits_type::not_eof(c);
    }

  private:
    size_t room_;
};

TEST(HonestExitStatus, OutputThatCannotBeWrittenEndsTheRunWithStatusOne) {
    FullDisk disk(0);
    std::ostream out(&disk);
    std::istringstream in("state\n");
    std::ostringstream err;
    EXPECT_EQ(RunScript(in, out, err), 1);
    EXPECT_EQ(err.str(), "vexmire-sim: cannot write standard output: No space left on device\n");
}

TEST(HonestExitStatus, ALongTickStopsAtTheFirstEventThatCannotBeWritten) {
    FullDisk disk(4096);
    std::ostream out(&disk);
    SimDriver driver(out);
    driver.Start();
    std::istringstream script(kOnTheKeypad);
    for (std::string line; std::getline(script, line);) {
        driver.Execute(*ParseLine(line, driver.game()));
    }
    EXPECT_THROW(driver.Execute(command::Tick{10'000'000}), OutputFailed);
    EXPECT_LT(driver.ticks(), 100u);  // a prompt a tick: the disk filled within a few dozen
}

}  // namespace

}  // namespace vexmire
