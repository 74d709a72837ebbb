#include <limits>
#include <vector>

#include "game/ball_pixels.h"
#include "tests/game_fixture.h"

namespace vexmire {

namespace {

using ShotsTest = GameTest;

TEST_F(ShotsTest, FirstShotFliesRightAcrossTheStartRoomAndStopsAtWallTen) {
    Press(key::kSpace);
    EXPECT_EQ(game.vars.shotsFired, 1);
    EXPECT_EQ(ball(0).left(), 54);
    EXPECT_EQ(ball(0).top(), 274);
    EXPECT_EQ(game.vars.ballDX[0], 10);
    EXPECT_EQ(game.vars.ballDY[0], 0);
    Tick(18);
    EXPECT_EQ(ball(0).left(), 234);  // first place that overlaps wall 10
    Tick();
    EXPECT_EQ(ball(0).top(), -99999);
    EXPECT_EQ(ball(0).left(), -99989);   // out of play, it still moves by its velocity
    EXPECT_EQ(game.vars.ballDX[0], 10);  // velocities are never cleared
}

TEST_F(ShotsTest, BallIsPlacedAtTheGunOfEachFacing) {
    struct Case {
        int16_t arrow;
        float left, top;
        int16_t dx, dy;
    };
    const Case cases[] = {
        {key::kRight, 330, 268, 10, 0},
        {key::kDown, 303, 280, 0, 10},
        {key::kLeft, 292, 253, -10, 0},
        {key::kUp, 318, 242, 0, -10},
    };
    int n = 0;
    for (const Case& c : cases) {
        Place(player(), 300, 250);
        Press(c.arrow);
        Press(key::kSpace);
        EXPECT_EQ(ball(n).left(), c.left) << n;
        EXPECT_EQ(ball(n).top(), c.top) << n;
        EXPECT_EQ(game.vars.ballDX[n], c.dx) << n;
        EXPECT_EQ(game.vars.ballDY[n], c.dy) << n;
        ++n;
    }
}

TEST_F(ShotsTest, NineteenthAndTwentiethShotsStopTheOldestBalls) {
    Place(player(), 500, 380);  // in the open, facing right into the long corridor
    for (int n = 0; n < 18; ++n) Press(key::kSpace);
    Tick();
    const float ball0 = ball(0).left();
    const float ball1 = ball(1).left();
    Press(key::kSpace);  // 19th: ball 0 stops for good
    Tick();
    EXPECT_EQ(ball(0).left(), ball0);
    EXPECT_EQ(ball(1).left(), ball1 + 10);
    Press(key::kSpace);  // 20th: ball 1 stops too
    Tick();
    EXPECT_EQ(ball(1).left(), ball1 + 10);
    EXPECT_EQ(ball(19).left(), 530 + 10);
    EXPECT_EQ(ball(2).left(), ball1 + 10 + 10);
}

TEST_F(ShotsTest, SpaceAfterTheTwentiethShotFiresNothing) {
    for (int n = 0; n < 25; ++n) Press(key::kSpace);
    EXPECT_EQ(game.vars.shotsFired, 20);
    for (int k = 0; k < 20; ++k) EXPECT_NE(ball(k).top(), 712) << k;  // the row is empty
    const GameState before = game.vars;
    game.Form_KeyDown(key::kSpace, 0);
    EXPECT_EQ(game.vars, before);
    Tick(3);
}

TEST_F(ShotsTest, BallFiredIntoAnAdjacentWallLeavesPlayWithoutMoving) {
    Place(player(), 210, 256);  // right edge at 240, touching wall 10
    Press(key::kSpace);
    EXPECT_EQ(ball(0).left(), 240);
    Tick();
    EXPECT_EQ(ball(0).top(), -99999);
}

TEST_F(ShotsTest, BallBreaksTheGlassPaneThroughTheHintZone) {
    Place(player(), 700, 400);
    Press(key::kDown);
    Press(key::kSpace);  // ball at Left 703, Top 430, moving down
    EXPECT_EQ(ball(0).top(), 430);
    Tick(5);  // 480: over zone 32 (y 480..488), which lets balls through
    EXPECT_EQ(ball(0).top(), 480);
    EXPECT_EQ(obstacle(31).left(), 680);
    Tick();  // the pane is tested at 480 too: rows 480..488 reach its row 488
    EXPECT_EQ(obstacle(31).left(), -200);
    EXPECT_EQ(obstacle(32).left(), -200);
    EXPECT_EQ(ball(0).left(), -99999);
    for (int shard = 0; shard < 11; ++shard) EXPECT_TRUE(game.level.glass(shard).visible);
}

TEST_F(ShotsTest, TwoBallsOnThePaneInOneTickBreakItOnce) {
    ball(3).SetLeft(700);
    ball(3).SetTop(485);
    ball(7).SetLeft(720);
    ball(7).SetTop(485);
    game.vars.shotsFired = 8;
    game.vars.ballDY[3] = 10;
    game.vars.ballDY[7] = 10;
    Tick();
    EXPECT_EQ(ball(3).top(), -99999 + 10);  // the lower index breaks it and leaves play
    EXPECT_EQ(ball(7).left(), 720);         // tested at the pane's new place: flies on
    EXPECT_EQ(ball(7).top(), 495);
}

TEST_F(ShotsTest, BallCrossingTheOnePixelZoneLeavesPlayOnlyWhenItCoversTheColumn) {
    ball(0).SetLeft(110);  // columns 120..128 after one step: covers column 128
    ball(0).SetTop(150);
    ball(1).SetLeft(109);  // columns 119..127, then 129..137: skips it
    ball(1).SetTop(170);
    game.vars.shotsFired = 2;
    game.vars.ballDX[0] = 10;
    game.vars.ballDX[1] = 10;
    Tick(2);
    EXPECT_EQ(ball(0).top(), -99999);
    EXPECT_EQ(ball(1).top(), 170);
}

TEST_F(ShotsTest, BallsPassThroughThePlayerAndTheEnemyBall) {
    Place(player(), 500, 380);
    ball(0).SetLeft(505);
    ball(0).SetTop(385);
    enemyBall().SetLeft(505);
    enemyBall().SetTop(385);
    game.vars.shotsFired = 1;
    game.vars.ballDX[0] = 10;
    Tick();
    EXPECT_EQ(ball(0).left(), 515);
}

// Twenty balls in rows must answer exactly as one rectangle against another does, for touching,
// empty, inside-out and the widest rectangles alike.
TEST(BallPixels, AnswerExactlyAsOneRectangleAgainstAnother) {
    constexpr int32_t kMin = std::numeric_limits<int32_t>::min();
    constexpr int32_t kMax = std::numeric_limits<int32_t>::max();
    const int32_t edges[] = {kMin, 0, 1, 2, kMax};
    std::vector<PixelRect> rects;
    for (int32_t left : edges)
        for (int32_t top : edges)
            for (int32_t right : edges)
                for (int32_t bottom : edges) rects.push_back(PixelRect{left, top, right, bottom});

    for (size_t first = 0; first < rects.size(); first += kBallCount) {
        BallPixels balls;
        for (int16_t k = 0; k < kBallCount; ++k) {
            balls.Set(k, rects[(first + static_cast<size_t>(k)) % rects.size()]);
        }
        for (const PixelRect& obstacle : rects) {
            bool any = false;
            for (int16_t k = 0; k < kBallCount; ++k) {
                const PixelRect& ball = rects[(first + static_cast<size_t>(k)) % rects.size()];
                ASSERT_EQ(balls.Overlaps(k, obstacle), Overlaps(ball, obstacle));
                any = any || Overlaps(ball, obstacle);
            }
            ASSERT_EQ(balls.AnyOverlaps(obstacle), any);
        }
    }
}

}  // namespace

}  // namespace vexmire
