#include <gtest/gtest.h>

#include <cerrno>
#include <sstream>
#include <streambuf>
#include <string>

#include "script/command_parser.h"
#include "sim/run_script.h"
#include "sim/sim_driver.h"
#include "tests/sim_test_support.h"

namespace vexmire {

namespace {

// Stands the player on the keypad, so that the prompt opens again at every tick.
const std::string kOnTheKeypad =
    "set imgPlayer Left 124\nset imgPlayer Top 476\nset imgPlayer Width 1\nset imgPlayer Height "
    "1\n";

std::string Answers(size_t count) {
    std::string script;
    for (size_t i = 0; i < count; ++i) script += "answer " + std::to_string(i) + "\n";
    return script;
}

// Standard output on a disk with room for `room` more bytes.
class FullDisk : public std::streambuf {
  public:
    explicit FullDisk(size_t room) : room_(room) {}

  protected:
    int overflow(int c) override {
        if (room_ == 0) errno = ENOSPC;
        return room_ == 0 ? traits_type::eof() : (--room_, traits_type::not_eof(c));
    }

  private:
    size_t room_;
};

// A script of any length runs in the same memory: the driver forgets each event once it is
// printed, and only so many answers may wait, however many a prompt has used.
TEST(BoundedInput, TheDriverKeepsNoEventAndOnlySoManyAnswersWait) {
    std::ostringstream out;
    SimDriver driver(out);
    driver.Start();
    driver.Execute(PlayerEvent::NewGame());
    EXPECT_TRUE(driver.platform().calls().empty());

    EXPECT_EQ(RunSim(Answers(kMaxQueuedAnswers)).status, 0);
    EXPECT_EQ(RunSim(Answers(kMaxQueuedAnswers + 1)).err,
              "vexmire-sim: line 1025: more than 1024 answers would wait unused for a prompt\n");
    EXPECT_EQ(RunSim(kOnTheKeypad + Answers(kMaxQueuedAnswers) + "tick\nanswer x\n").status, 0);
}

// Output that does not arrive is a failure, reported once, and nothing more is tried.
TEST(HonestExitStatus, OutputThatCannotBeWrittenStopsTheRunAtOnceWithStatusOne) {
    FullDisk noRoom(0);
    std::ostream full(&noRoom);
    std::istringstream in("state\n");
    std::ostringstream err;
    EXPECT_EQ(RunScript(in, full, err), 1);
    EXPECT_EQ(err.str(), "vexmire-sim: cannot write standard output: No space left on device\n");

    FullDisk someRoom(4096);
    std::ostream filling(&someRoom);
    SimDriver driver(filling);
    driver.Start();
    std::istringstream keypad(kOnTheKeypad);
    for (std::string line; std::getline(keypad, line);) {
        driver.Execute(*ParseLine(line, driver.game()));
    }
    EXPECT_THROW(driver.Execute(PlayerEvent::Ticks(10'000'000)), OutputFailed);
    EXPECT_LT(driver.ticks(), 100u);  // a prompt a tick: the disk is full within a few dozen
}

}  // namespace

}  // namespace vexmire
