#include "game/hints.h"
#include "tests/game_fixture.h"

namespace vexmire {

namespace {

using PuzzleTest = GameTest;

TEST_F(PuzzleTest, KeyIsPickedUpWhileStillHiddenAndOpensDoorFifteen) {
    Place(player(), 96, 60);  // touches the key's rows 32..40 from below
    player().SetTop(40);
    Tick();
    Entity& key = obstacle(23);
    EXPECT_EQ(key.left(), 440);
    EXPECT_EQ(key.top(), 704);
    EXPECT_EQ(key.width(), 9);
    EXPECT_EQ(key.height(), 25);
    EXPECT_FALSE(key.visible);

    Place(player(), 400, 125);  // on zone 22 in front of door 15
    Tick();
    EXPECT_EQ(hint(), hint::kOpenDoor);
    Place(player(), 600, 400);  // walk away without touching a wall: Enter still opens it
    Tick();
    Press(key::kEnter);
    EXPECT_EQ(obstacle(15).left(), -200);
    EXPECT_EQ(key.left(), -200);
    EXPECT_EQ(hint(), "");

    Place(player(), 400, 125);  // the open doorway now says a key is needed
    Tick();
    EXPECT_EQ(hint(), hint::kNeedKey);
    EXPECT_EQ(obstacle(15).left(), -200);
}

TEST_F(PuzzleTest, HintIsClearedByAWallAndEnterThenDoesNothing) {
    Place(player(), 790, 40);  // lever zone
    Tick();
    EXPECT_EQ(hint(), hint::kPullLever);
    Place(player(), 15, 256);
    Tick();
    Press(key::kEnter);
    EXPECT_EQ(obstacle(17).left(), 792);
    EXPECT_EQ(obstacle(18).left(), 256);
}

TEST_F(PuzzleTest, LeverOpensDoorEighteenAndBringsTheNoteWhichIsShownOnce) {
    Place(player(), 790, 40);
    Tick();
    Press(key::kEnter);
    EXPECT_EQ(obstacle(17).left(), 790);
    EXPECT_EQ(obstacle(18).left(), -200);
    EXPECT_EQ(obstacle(30).left(), 736);
    EXPECT_EQ(hint(), "");
    Tick();
    EXPECT_EQ(hint(), hint::kLeverDone);

    Place(player(), 720, 140);  // on the note zone, x 736..744
    Tick(3);
    ASSERT_EQ(platform.calls().size(), 1u);
    EXPECT_EQ(platform.calls()[0].text, "You have found a note, it says: 3916");
    EXPECT_EQ(platform.calls()[0].title, "Clue!");
    EXPECT_EQ(obstacle(30).left(), -100);
}

TEST_F(PuzzleTest, KeypadAsksAgainUntilTheExactCodeOpensTheJailDoor) {
    Place(player(), 130, 450);  // zone 28, clear of the keypad body and wall 2
    platform.QueueAnswer("3916 ");
    platform.QueueAnswer("");
    Tick(2);
    EXPECT_EQ(obstacle(1).left(), 232);
    platform.QueueAnswer("3916");
    Tick(2);
    EXPECT_EQ(obstacle(28).left(), -100);
    EXPECT_EQ(obstacle(1).left(), -100);
    EXPECT_EQ(obstacle(26).left(), -100);
    ASSERT_EQ(platform.calls().size(), 3u);
    for (const PlatformCall& call : platform.calls()) {
        EXPECT_EQ(call.kind, PlatformCall::Kind::Prompt);
        EXPECT_EQ(call.text, "Enter The Key-Code");
        EXPECT_EQ(call.title, "Key Pad");
    }
}

// The texts as the player reads them, written out here rather than taken from the game's
// own constants, so that a changed text fails.
TEST_F(PuzzleTest, ZoneHintsReadExactly) {
    struct Case {
        float left, top;
        const char* text;
    };
    const Case cases[] = {
        {700, 455, "It seems like you might be able to break this glass.. "},
        {700, 615, "Press Enter to defuse the bomb, which explodes with rainbows"},
        {200, 440, "You need to enter the key-code into the keypad to unlock this jail door"},
        {280, 280, "You need to open this door from somewhere else"},
        {400, 125, "You need a key to open this door"},
        {790, 40, "Press Enter to pull the lever"},
    };
    for (const Case& c : cases) {
        Place(player(), c.left, c.top);
        Tick();
        EXPECT_EQ(hint(), c.text) << c.left << "," << c.top;
    }
    Press(key::kEnter);  // pulls the lever
    Tick();
    EXPECT_EQ(hint(), "You have already activated this lever");
    obstacle(23).SetLeft(440);  // the key held
    Place(player(), 400, 125);
    Tick();
    EXPECT_EQ(hint(), "Press Enter to open this door");
}

TEST_F(PuzzleTest, DefusingTheBombWinsAfterItsMessage) {
    game.level.tip->caption = hint::kDefuseBomb;
    EXPECT_THROW(Press(key::kEnter), ProgramEnded);
    EXPECT_EQ(obstacle(39).left(), -200);
    ASSERT_EQ(platform.calls().size(), 2u);
    EXPECT_EQ(platform.calls()[0].text, "You win, congradulations");
    EXPECT_EQ(platform.calls()[0].title, "Game Over!");
    EXPECT_EQ(platform.calls()[1].kind, PlatformCall::Kind::End);
}

TEST_F(PuzzleTest, EnterWithAnyOtherHintDoesNothing) {
    game.level.tip->caption = "Press Enter to open this door ";
    Press(key::kEnter);
    game.level.tip->caption = "";
    Press(key::kEnter);
    EXPECT_EQ(obstacle(15).left(), 376);
    EXPECT_TRUE(platform.calls().empty());
}

TEST_F(PuzzleTest, WalkingIntoZoneTwentyOneWakesTheEnemyOnce) {
    Place(player(), 140, 150);
    game.Form_KeyDown(key::kLeft, 0);
    Tick(6);  // the walk reaches Left 128 but is tested there only at the next tick
    EXPECT_EQ(obstacle(21).left(), 128);
    Tick();
    EXPECT_EQ(obstacle(21).left(), -100);
    EXPECT_EQ(game.vars.targetX, 128);
    EXPECT_EQ(game.vars.targetY, 150);
}

}  // namespace

}  // namespace vexmire
