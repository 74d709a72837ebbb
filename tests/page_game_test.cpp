#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "game/key_codes.h"
#include "scene/level_names.h"
#include "script/script_recorder.h"
#include "tests/memory_file.h"
#include "web/page_game.h"

namespace vexmire {

namespace {

// The page's game as the page drives it, with every call the rules made to the page kept.
class PageGameTest : public ::testing::Test {
  protected:
    PageGameTest()
        : page({[this] { calls.push_back("beep"); },
                [this](Window window, bool visible) {
                    calls.push_back(std::string(WindowName(window)) + (visible ? " shown" : " hidden"));
                },
                {}},
               [this](Ending, const std::string&) { calls.push_back("ended"); }) {
        page.Start();
        page.Deliver(PlayerEvent::NewGame());
        calls.clear();
    }

    Game& game() { return page.session().game(); }

    // The player stands inside the keypad's zone: the next tick opens the prompt.
    void StandInTheKeypadZone() {
        Entity* zone = game().scene.Find("shpObstacle", obstacle::kKeypadZone);
        ASSERT_NE(zone, nullptr);
        game().level.player->SetLeft(zone->left() + 1);
        game().level.player->SetTop(zone->top() + 1);
    }

    std::vector<std::string> calls;
    PageGame page;
};

TEST_F(PageGameTest, ATickThatOpensAPromptWaitsWithoutChangingTheGame) {
    StandInTheKeypadZone();
    const GameState before = game().vars;
    const float left = game().level.player->left();
    page.Deliver(PlayerEvent::Ticks(1));
    ASSERT_TRUE(page.waitingDialog().has_value());
    EXPECT_EQ(page.waitingDialog()->kind, PageDialog::Kind::Prompt);
    EXPECT_EQ(page.waitingDialog()->title, "Key Pad");
    EXPECT_EQ(game().vars, before);
    EXPECT_EQ(game().level.player->left(), left);
    // Nothing reaches the rules while the prompt waits.
    page.Deliver(PlayerEvent::KeyDown(key::kRight));
    page.Deliver(PlayerEvent::Ticks(1));
    EXPECT_EQ(game().vars, before);
}

TEST_F(PageGameTest, TheAnsweredTickRunsOnceWithTheAnswer) {
    StandInTheKeypadZone();
    page.Deliver(PlayerEvent::Ticks(1));
    page.AnswerDialog("wrong");
    EXPECT_FALSE(page.waitingDialog().has_value());
    // Still in the zone: the next tick asks again, as a cancelled prompt does on the desktop.
    page.Deliver(PlayerEvent::Ticks(1));
    ASSERT_TRUE(page.waitingDialog().has_value());
    page.AnswerDialog("3916");
    EXPECT_FALSE(page.waitingDialog().has_value());
    EXPECT_EQ(game().scene.Find("shpObstacle", obstacle::kKeypadZone)->left(), place::kFired);
    EXPECT_EQ(game().scene.Find("shpObstacle", obstacle::kJailDoor)->left(), place::kFired);
}

// What the browser records replays anywhere: the answer once, before the one tick that used it.
TEST_F(PageGameTest, TheRecordingHoldsTheAnsweredTickOnce) {
    MemoryFile file;
    std::ostringstream errors;
    ScriptRecorder recorder(file.fd(), "page.vxs", errors);
    ASSERT_TRUE(recorder.Begin());
    page.session().RecordTo(&recorder);
    StandInTheKeypadZone();
    page.Deliver(PlayerEvent::Ticks(1));
    page.Deliver(PlayerEvent::Ticks(1));  // held back: not recorded
    page.AnswerDialog("3916");
    recorder.Finish();
    const std::string text = file.Text();
    EXPECT_NE(text.find("\nanswer 3916\ntick 1\n"), std::string::npos) << text;
    EXPECT_EQ(text.find("tick 2"), std::string::npos) << text;
}

TEST_F(PageGameTest, WhileADialogWaitsThePageShowsTheGameAsTheHandlerLeftIt) {
    StandInTheKeypadZone();
    page.Deliver(PlayerEvent::Ticks(1));
    ASSERT_TRUE(page.waitingDialog().has_value());
    EXPECT_NE(&page.shownScene(), &game().scene);
    EXPECT_EQ(page.shownScene().entities().size(), game().scene.entities().size());
    page.AnswerDialog("");
    EXPECT_EQ(&page.shownScene(), &game().scene);
}

TEST_F(PageGameTest, QuitBeepsOnceAndEndsTheGame) {
    PageGame title({[this] { calls.push_back("beep"); }, {}, {}},
                   [this](Ending, const std::string&) { calls.push_back("ended"); });
    title.Start();
    title.Deliver(PlayerEvent::Quit());
    EXPECT_EQ(calls, (std::vector<std::string>{"beep", "ended"}));
    EXPECT_TRUE(title.session().ended());
}

TEST_F(PageGameTest, AnswersWithoutAWaitingDialogAreIgnored) {
    page.AnswerDialog("3916");
    EXPECT_FALSE(page.waitingDialog().has_value());
    page.Deliver(PlayerEvent::Ticks(1));
    EXPECT_FALSE(page.waitingDialog().has_value());
}

}  // namespace

}  // namespace vexmire
