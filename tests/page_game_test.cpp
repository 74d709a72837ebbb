#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "game/game_snapshot.h"
#include "game/key_codes.h"
#include "scene/level_names.h"
#include "script/replay_script.h"
#include "script/script_recorder.h"
#include "tests/memory_file.h"
#include "web/page_controller.h"
#include "web/page_game.h"

namespace vexmire {

namespace {

// The page's game as the page drives it, with every call the rules made to the page kept.
class PageGameTest : public ::testing::Test {
  protected:
    PageGameTest()
        : page({[this] { calls.push_back("beep"); },
                [this](Window window, bool visible) {
                    calls.push_back(std::string(WindowName(window)) +
                                    (visible ? " shown" : " hidden"));
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

// An answer that the page's script hands over not as UTF-8 would make the recording unreadable.
TEST(PromptAnswers, AreUtf8AndNoLongerThanTheDesktopsField) {
    EXPECT_EQ(PromptAnswer("3916"), "3916");
    EXPECT_EQ(PromptAnswer("a\xED\xA0\x80"
                           "b"),
              "a\uFFFD\uFFFD\uFFFD"
              "b");  // a lone surrogate
    EXPECT_EQ(PromptAnswer(std::string(300, '7')), std::string(kLongestAnswer, '7'));
    // Counted as the desktop's field counts: a character beyond the first plane takes two.
    std::string wide;
    for (int i = 0; i < 200; ++i) wide += "\U0001F642";
    EXPECT_EQ(PromptAnswer(wide).size(), 127u * 4);
}

TEST_F(PageGameTest, AnswersWithoutAWaitingDialogAreIgnored) {
    page.AnswerDialog("3916");
    EXPECT_FALSE(page.waitingDialog().has_value());
    page.Deliver(PlayerEvent::Ticks(1));
    EXPECT_FALSE(page.waitingDialog().has_value());
}

std::string WithoutItsAnswers(const std::string& script) {
    std::istringstream in(script);
    std::string kept;
    for (std::string line; std::getline(in, line);) {
        if (line.rfind("answer", 0) != 0) kept += line + "\n";
    }
    return kept;
}

std::string ReplayText(const char* name) {
    std::ifstream file(std::string(VEXMIRE_REPLAYS) + "/" + name);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

// The whole game won: the clue, the keypad and the last message each wait for the player.
TEST(PagePlay, AScriptStopsAtEachDialogThePlayerHasNotAnsweredAndGoesOnAfter) {
    bool ended = false;
    PageGame page({}, [&ended](Ending, const std::string&) { ended = true; });
    page.Start();
    ReplayScript read = ReadReplayScript(WithoutItsAnswers(ReplayText("win_the_game.vxs")), "won");
    ASSERT_EQ(read.status, 0) << read.message;
    page.Play(std::move(read.events), PageGame::Pace::AtOnce);
    const std::vector<PageDialog> expected = {
        {PageDialog::Kind::Message, "You have found a note, it says: 3916", "Clue!"},
        {PageDialog::Kind::Prompt, "Enter The Key-Code", "Key Pad"},
        {PageDialog::Kind::Message, "You win, congradulations", "Game Over!"}};
    for (const PageDialog& dialog : expected) {
        ASSERT_TRUE(page.waitingDialog().has_value()) << dialog.title;
        EXPECT_EQ(*page.waitingDialog(), dialog);
        page.AnswerDialog(dialog.kind == PageDialog::Kind::Prompt ? "3916" : "");
    }
    EXPECT_TRUE(ended);
    EXPECT_FALSE(page.playing());
}

// A replay dropped on the page is refused as --replay refuses it, naming the file and line.
TEST(PagePlay, AMalformedOrOversizedScriptIsRefusedWithItsLineNamed) {
    ReplayScript read = ReadReplayScript("newgame\ntick 5\nset imgPlayer Left 3\n", "a.vxs");
    EXPECT_EQ(read.status, 2);
    EXPECT_EQ(read.message.rfind("a.vxs:3: ", 0), 0u) << read.message;
    EXPECT_TRUE(read.events.empty());  // not even newgame is played
    EXPECT_EQ(ReadReplayScript("tick many\n", "a.vxs").message.rfind("a.vxs:1: ", 0), 0u);
    read = ReadReplayScript(std::string(kLongestReplay + 1, '\n'), "big.vxs");
    EXPECT_EQ(read.status, 2);
    EXPECT_EQ(read.message, TooLongReplayMessage("big.vxs"));
}

// A replay in the page runs one of its ticks at each of the page's, and ends where the same
// script played at once ends.
TEST(PagePlay, AReplayByStepTakesATickAStepAndReachesTheSameGame) {
    const ReplayScript read = ReadReplayScript(ReplayText("walk_right_to_wall.vxs"), "walk");
    ASSERT_EQ(read.status, 0) << read.message;
    int32_t ticks = 0;
    for (const PlayerEvent& event : read.events) {
        if (event.kind == PlayerEvent::Kind::Tick) ticks += event.number;
    }
    PageGame atOnce({}, {});
    atOnce.Start();
    atOnce.Play(read.events, PageGame::Pace::AtOnce);
    PageGame byStep({}, {});
    byStep.Start();
    byStep.Play(read.events, PageGame::Pace::ByStep);
    int32_t steps = 0;
    for (; byStep.playing() && steps <= ticks; ++steps) byStep.Step();
    EXPECT_EQ(steps, ticks);
    EXPECT_TRUE(GameSnapshot(atOnce.session().game()).Matches(byStep.session().game()));
}

// The Gamepad API's stick runs from -1 to 1, the mapping's from -32768 to 32767: its dead zone
// is the same fraction of the travel on the page as on the desktop.
TEST(PageController, TheBrowsersStickAndButtonsMeanWhatTheDesktopsDo) {
    constexpr uint32_t kSouth = 1U << 0;
    constexpr uint32_t kStart = 1U << 9;
    constexpr uint32_t kDpadLeft = 1U << 14;
    EXPECT_EQ(KeysHeld(PadState(0, 0.244, 0)), std::vector<int16_t>{});
    EXPECT_EQ(KeysHeld(PadState(0, 0.245, 0)), std::vector<int16_t>{key::kRight});
    EXPECT_EQ(PadState(0, 1.5, -1.5).stickX, 32767);
    EXPECT_EQ(PadState(0, 1.5, -1.5).stickY, -32767);
    // A broken axis rests, and buttons past the standard layout's are no controls of the game.
    EXPECT_EQ(PadState(1U << 20, std::nan(""), INFINITY), ControllerState{});
    EXPECT_EQ(KeysHeld(PadState(kDpadLeft | kSouth, 0, 0)),
              (std::vector<int16_t>{key::kLeft, key::kSpace}));

    // The page reads: confirmed, pause, the number of keys, then each key, negative going up.
    PageController controller;
    EXPECT_EQ(controller.Take(PadState(kSouth, 1, 0)),
              (std::vector<int32_t>{1, 0, 2, key::kRight, key::kSpace}));
    EXPECT_EQ(controller.Repeats(), (std::vector<int32_t>{2, key::kRight, key::kSpace}));
    EXPECT_EQ(controller.Take(PadState(kStart, 0, 0)),
              (std::vector<int32_t>{1, 1, 2, -key::kRight, -key::kSpace}));
    EXPECT_EQ(controller.Repeats(), std::vector<int32_t>{0});
}

}  // namespace

}  // namespace vexmire
