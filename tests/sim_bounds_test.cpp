#include <gtest/gtest.h>

#include <sstream>

#include "script/command.h"
#include "sim/sim_driver.h"
#include "tests/sim_test_support.h"

namespace vexmire {

namespace {

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

}  // namespace

}  // namespace vexmire
