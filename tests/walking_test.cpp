#include "scene/pixel_rect.h"
#include "tests/game_fixture.h"

namespace vexmire {

namespace {

using WalkingTest = GameTest;

TEST_F(WalkingTest, ArrowsTurnThePlayerAndSetTheStepOnTheirOwnAxis) {
    game.Form_KeyDown(key::kRight, 0);
    EXPECT_EQ(game.vars.playerDX, 2);
    EXPECT_EQ(player().picture, game.level.facesRight->picture);
    game.Form_KeyDown(key::kUp, 0);  // walks up-right, facing up
    EXPECT_EQ(game.vars.playerDX, 2);
    EXPECT_EQ(game.vars.playerDY, -2);
    EXPECT_EQ(player().picture, game.level.facesUp->picture);
    game.Form_KeyDown(key::kLeft, 0);  // right then left before any release: left wins
    EXPECT_EQ(game.vars.playerDX, -2);
    EXPECT_EQ(player().picture, game.level.facesLeft->picture);
    game.Form_KeyDown(key::kDown, 0);
    EXPECT_EQ(game.vars.playerDY, 2);
    EXPECT_EQ(player().picture, game.level.facesDown->picture);
}

TEST_F(WalkingTest, AnyKeyUpStopsThePlayerWhileOtherKeysChangeNothingOnPress) {
    game.Form_KeyDown(key::kRight, 0);
    game.Form_KeyDown(16, 0);  // Shift
    EXPECT_EQ(game.vars.playerDX, 2);
    Press(key::kSpace);  // releasing Space stops the player although Right is still held
    EXPECT_EQ(game.vars.playerDX, 0);
    EXPECT_EQ(game.vars.playerDY, 0);
}

TEST_F(WalkingTest, EachTickMovesTheStepAfterTheContactTests) {
    game.Form_KeyDown(key::kDown, 0);
    game.Form_KeyDown(key::kRight, 0);
    Tick(3);
    EXPECT_EQ(player().left(), 30);
    EXPECT_EQ(player().top(), 262);
    game.Form_KeyUp(key::kRight, 0);
    Tick(5);
    EXPECT_EQ(player().left(), 30);
}

TEST_F(WalkingTest, WalkingRightStopsAtTheWallAndOscillatesNeverMoreThanTwoPixelsIn) {
    game.Form_KeyDown(key::kRight, 0);
    const float wallLeft = obstacle(10).left();  // columns 240..256
    float rightmost = 0;
    for (int n = 0; n < 200; ++n) {
        Tick();
        const float depth = player().left() + 30 - wallLeft;
        EXPECT_LE(depth, 2) << "tick " << n;
        rightmost = std::max(rightmost, player().left());
    }
    EXPECT_EQ(rightmost, 212);
    EXPECT_EQ(player().top(), 256);
}

TEST_F(WalkingTest, LeftBoundaryPushesThePlayerRightByThree) {
    Place(player(), 17, 256);
    Tick();
    EXPECT_EQ(player().left(), 17);  // touching its right edge is no overlap
    Place(player(), 15, 256);
    Tick();
    EXPECT_EQ(player().left(), 18);
}

TEST_F(WalkingTest, EqualDepthsAtACornerPushUpBeforeLeft) {
    // Obstacle 9 spans x 480..680, y 472..488: enter its top-left corner 2 deep both ways.
    Place(player(), 452, 444);
    Tick();
    EXPECT_EQ(player().left(), 452);
    EXPECT_EQ(player().top(), 441);
}

TEST_F(WalkingTest, TopLeftCornerPushesDownAndRightInOneTick) {
    Place(player(), 16, 16);
    Tick();
    EXPECT_EQ(player().left(), 19);
    EXPECT_EQ(player().top(), 19);
}

TEST_F(WalkingTest, TouchingAnySolidObstacleClearsTheHint) {
    game.level.tip->caption = "Press Enter to pull the lever";
    Place(player(), 15, 256);
    Tick();
    EXPECT_EQ(hint(), "");
}

TEST_F(WalkingTest, ZonesNeverPushAndOpenedDoorsAreNeverTouched) {
    Place(player(), 260, 280);  // over hint zone 25 in front of door 18 and nothing solid
    Tick();
    EXPECT_EQ(player().left(), 260);
    EXPECT_EQ(player().top(), 280);
    EXPECT_EQ(hint(), "You need to open this door from somewhere else");
    obstacle(18).SetLeft(-200);
    Place(player(), 258, 312);  // where door 18 stood
    Tick();
    EXPECT_EQ(player().left(), 258);
    EXPECT_EQ(player().top(), 312);
    EXPECT_EQ(hint(), "");  // zone 25 clears the hint once the door is open
}

TEST_F(WalkingTest, TicksWithNoKeyMoveNothing) {
    const float left = player().left();
    const float top = player().top();
    Tick(10);
    EXPECT_EQ(player().left(), left);
    EXPECT_EQ(player().top(), top);
}

}  // namespace

}  // namespace vexmire
