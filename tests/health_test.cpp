#include "tests/game_fixture.h"

namespace vexmire {

namespace {

using HealthTest = GameTest;

// Puts the enemy's ball on the player for the next tick's hit test.
void LandOnPlayer(Entity& enemyBall, const Entity& player) {
    enemyBall.SetLeft(player.left() + 10);
    enemyBall.SetTop(player.top() + 10);
}

TEST_F(HealthTest, EachHitHidesOneBarFromTheRightAndRelaunches) {
    Place(player(), 500, 380);
    const float barLefts[] = {176, 160, 144, 128};
    for (int hit = 1; hit <= 4; ++hit) {
        LandOnPlayer(enemyBall(), player());
        Tick();
        EXPECT_EQ(game.vars.hitsTaken, hit);
        EXPECT_EQ(game.vars.targetX, 500);
        EXPECT_EQ(game.vars.targetY, 380);
        EXPECT_EQ(enemyBall().left(), 99);  // dormant: the relaunch places it, nothing moves it
        EXPECT_EQ(enemyBall().top(), 44);
        for (int bar = 0; bar < 5; ++bar) {
            EXPECT_EQ(game.level.lives(bar).visible, bar >= hit) << hit << " " << bar;
        }
        EXPECT_EQ(game.level.lives(hit - 1).left(), barLefts[hit - 1]);
    }
    EXPECT_TRUE(game.level.lives(4).visible);
}

TEST_F(HealthTest, FifthHitShowsTheMessageThenEndsBeforeTheRestOfTheTick) {
    game.vars.hitsTaken = 4;
    game.Form_KeyDown(key::kRight, 0);
    Place(player(), 500, 380);
    Press(key::kSpace);
    game.Form_KeyDown(key::kRight, 0);
    LandOnPlayer(enemyBall(), player());
    const float ballLeft = ball(0).left();
    EXPECT_THROW(Tick(), ProgramEnded);
    ASSERT_EQ(platform.calls().size(), 2u);
    EXPECT_EQ(platform.calls()[0].kind, PlatformCall::Kind::Message);
    EXPECT_EQ(platform.calls()[0].text, "You have run out of health!");
    EXPECT_EQ(platform.calls()[0].title, "Game Over!");
    EXPECT_EQ(platform.calls()[1].kind, PlatformCall::Kind::End);
    EXPECT_EQ(player().left(), 500);  // neither the step nor the balls ran
    EXPECT_EQ(ball(0).left(), ballLeft);
    EXPECT_TRUE(game.level.lives(4).visible);
}

TEST_F(HealthTest, BallThatMovesOntoThePlayerCountsOnlyAtTheNextTick) {
    obstacle(21).SetLeft(-100);
    Place(player(), 500, 380);
    game.vars.targetX = 500;
    game.vars.targetY = 380;
    game.vars.enemyShotDX = 10;
    Place(enemyBall(), 485, 390);  // one step short of the player
    Tick();
    EXPECT_EQ(game.vars.hitsTaken, 0);
    EXPECT_EQ(enemyBall().left(), 495);
    Tick();
    EXPECT_EQ(game.vars.hitsTaken, 1);
}

TEST_F(HealthTest, PlayerStandingAtTheGunWithAStillBallIsHitEveryTickUntilTheEnd) {
    Place(player(), 80, 45);  // over the launch point, and a target aimed at (0, 0)
    obstacle(21).SetLeft(-100);
    RelaunchEnemyShot(game);
    EXPECT_TRUE(TickUntilEnd(10));
    EXPECT_EQ(game.vars.hitsTaken, 5);
}

TEST_F(HealthTest, TheEnemyItselfDoesNoHarm) {
    Place(player(), 96, 24);
    Tick(20);
    EXPECT_EQ(game.vars.hitsTaken, 0);
}

}  // namespace

}  // namespace vexmire
