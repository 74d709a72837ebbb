#include <gtest/gtest.h>

#include "fuzz/script_budget.h"

namespace vexmire {

namespace {

TEST(FuzzBudget, TicksWithinTheBudgetRunAsWritten) {
    EXPECT_EQ(WithinFuzzBudget("newgame\ntick 40\ntick\ntick 0\n", 41),
              "newgame\ntick 40\ntick\ntick 0\n");
}

TEST(FuzzBudget, TicksBeyondTheBudgetAreCutAndTheLinesStay) {
    EXPECT_EQ(WithinFuzzBudget("tick 30\ntick 10000000\r\ntick\ntick 5", 40),
              "tick 30\ntick 10\ntick 0\ntick 0");
}

TEST(FuzzBudget, MalformedTickLinesStayMalformed) {
    const std::string bad = "tick 10000001\ntick -1\ntick 1e9\ntick  5\ntick x\n";
    EXPECT_EQ(WithinFuzzBudget(bad, 0), bad);
}

TEST(FuzzBudget, RenderBecomesACommentSoNoFileIsWritten) {
    EXPECT_EQ(WithinFuzzBudget("render /tmp/a.png\nrender\nrender \r\nstate\n"),
              "#ender /tmp/a.png\nrender\nrender \r\nstate\n");
}

TEST(FuzzBudget, AByteOrderMarkBeforeTheFirstLineHidesNoRenderAndNoTick) {
    EXPECT_EQ(WithinFuzzBudget("\xEF\xBB\xBFrender /tmp/a.png\n"),
              "\xEF\xBB\xBF#ender /tmp/a.png\n");
    EXPECT_EQ(WithinFuzzBudget("\xEF\xBB\xBFtick 99\n\xEF\xBB\xBFtick 99\n", 40),
              "\xEF\xBB\xBFtick 40\n\xEF\xBB\xBFtick 99\n");  // further down it is no mark
}

}  // namespace

}  // namespace vexmire
