#include "tests/game_fixture.h"

namespace vexmire {

namespace {

using EnemyTest = GameTest;

TEST_F(EnemyTest, DormantBallStaysParkedTickAfterTick) {
    Tick(50);
    EXPECT_EQ(enemyBall().left(), -100);
    EXPECT_EQ(enemyBall().top(), 160);
}

TEST_F(EnemyTest, CrossingZoneTwentyOneLaunchesFromTheGunAndAimsAfterTheFirstMove) {
    Place(player(), 128, 150);  // over the one-pixel zone at column 128
    Tick();
    EXPECT_EQ(obstacle(21).left(), -100);
    EXPECT_EQ(game.vars.targetX, 128);
    EXPECT_EQ(game.vars.targetY, 150);
    // The launch tick moves with the old velocity (0, 0), then aims: 48/30 -> 2, 94/30 -> 3.
    EXPECT_EQ(enemyBall().left(), 99);
    EXPECT_EQ(enemyBall().top(), 44);
    EXPECT_EQ(game.vars.enemyShotDX, 2);
    EXPECT_EQ(game.vars.enemyShotDY, 3);
    Tick();
    EXPECT_EQ(enemyBall().left(), 101);
    EXPECT_EQ(enemyBall().top(), 47);
}

TEST_F(EnemyTest, AimRoundsHalvesToEven) {
    obstacle(21).SetLeft(-100);
    Place(enemyBall(), -5000, -5000);  // far from anything that would relaunch it
    struct Case {
        int16_t target;
        int16_t dx;
    };
    for (const Case c : {Case{95, 0}, Case{125, 2}, Case{155, 2}, Case{35, -2}, Case{65, 0}}) {
        game.vars.targetX = c.target;
        Tick();
        EXPECT_EQ(game.vars.enemyShotDX, c.dx) << c.target;
    }
    game.vars.targetY = 71;
    Tick();
    EXPECT_EQ(game.vars.enemyShotDY, 0);
    game.vars.targetY = 101;
    Tick();
    EXPECT_EQ(game.vars.enemyShotDY, 2);
}

TEST_F(EnemyTest, BallInAWallIsRelaunchedNextTickAndStepsWithTheOldVelocity) {
    obstacle(21).SetLeft(-100);
    game.vars.enemyShotDX = 5;
    game.vars.enemyShotDY = -4;
    game.vars.targetX = 24;
    game.vars.targetY = 256;
    enemyBall().SetLeft(200);
    enemyBall().SetTop(14);  // inside the top wall
    Place(player(), 500, 380);
    Tick();
    EXPECT_EQ(game.vars.targetX, 500);  // the player's place at the relaunch
    EXPECT_EQ(game.vars.targetY, 380);
    EXPECT_EQ(enemyBall().left(), 99 + 5);
    EXPECT_EQ(enemyBall().top(), 44 - 4);
    EXPECT_EQ(game.vars.enemyShotDX, 14);  // 420/30
    EXPECT_EQ(game.vars.enemyShotDY, 11);  // 324/30 = 10.8
}

// Only obstacles 0 to 21 stop the enemy's ball: it rests inside the key, the zones, the
// keypad, the glass pane and the bomb as if they were not there.
TEST_F(EnemyTest, BallIsStoppedByNoObstacleBeyondTwentyOne) {
    obstacle(21).SetLeft(-100);
    Place(player(), 500, 380);
    game.vars.targetX = 80;  // aimed at the origin: the velocity stays (0, 0)
    game.vars.targetY = 56;
    struct Case {
        int obstacle;
        float left, top;  // a place of the ball inside it, clear of obstacles 0 to 21
    };
    const Case cases[] = {{23, 100, 32},  {26, 222, 450}, {27, 786, 34},
                          {28, 130, 540}, {29, 121, 500}, {31, 740, 488},
                          {32, 740, 480}, {33, 740, 660}, {39, 740, 640}};
    for (const Case& c : cases) {
        Place(enemyBall(), c.left, c.top);
        ASSERT_TRUE(Overlaps(enemyBall(), obstacle(c.obstacle))) << c.obstacle;
        Tick();
        EXPECT_EQ(enemyBall().left(), c.left) << c.obstacle;
        EXPECT_EQ(enemyBall().top(), c.top) << c.obstacle;
        EXPECT_EQ(game.vars.targetX, 80) << c.obstacle;  // no relaunch took the player's place
    }
}

TEST_F(EnemyTest, ZoneTwentyFourAloneLeavesTheBallRestingAtTheGun) {
    obstacle(24).SetLeft(-100);
    game.vars.enemyShotDX = 0;
    Place(enemyBall(), 99, 44);
    Tick(5);
    EXPECT_EQ(enemyBall().left(), 99);
    EXPECT_EQ(enemyBall().top(), 44);
    EXPECT_EQ(game.vars.enemyShotDX, 0);
}

TEST_F(EnemyTest, BallFromBelowDefeatsTheEnemyAndRevealsTheKey) {
    ball(0).SetLeft(100);
    ball(0).SetTop(54);  // below the enemy (rows 24..53), moving up
    game.vars.shotsFired = 1;
    game.vars.ballDY[0] = -10;
    Tick();  // moves to Top 44: inside the enemy, below the key (rows 32..40)
    EXPECT_TRUE(enemy().visible);
    Tick();
    EXPECT_FALSE(enemy().visible);
    EXPECT_FALSE(enemy().enabled);
    EXPECT_FALSE(ball(0).visible);
    EXPECT_EQ(enemyBall().left(), -99999);
    EXPECT_EQ(enemyBall().top(), 160);
    EXPECT_TRUE(obstacle(23).visible);
    Tick();  // hidden, the ball still obeys the shot rules: now at Top 34 it meets the key
    EXPECT_EQ(ball(0).top(), -99999 - 10);
}

TEST_F(EnemyTest, BallOverTheHiddenKeyLeavesPlayBeforeItCanHitTheEnemy) {
    ball(0).SetLeft(100);
    ball(0).SetTop(30);
    game.vars.shotsFired = 1;
    Tick();
    EXPECT_EQ(ball(0).top(), -99999);
    EXPECT_TRUE(enemy().visible);
}

TEST_F(EnemyTest, TwoBallsOnTheEnemyInOneTickAreBothHidden) {
    ball(4).SetLeft(110);
    ball(4).SetTop(44);
    ball(9).SetLeft(100);
    ball(9).SetTop(45);
    game.vars.shotsFired = 10;
    Tick();
    EXPECT_FALSE(ball(4).visible);
    EXPECT_FALSE(ball(9).visible);
    EXPECT_FALSE(enemy().visible);
}

TEST_F(EnemyTest, DefeatedEnemyRunsNoFurtherRule) {
    enemy().visible = false;
    obstacle(21).SetLeft(-100);
    game.vars.targetX = 500;
    Place(enemyBall(), -99999, 160);
    Tick(3);
    EXPECT_EQ(game.vars.enemyShotDX, 0);
    EXPECT_EQ(enemyBall().left(), -99999);
}

}  // namespace

}  // namespace vexmire
