#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

#include "scene/checked_int.h"
#include "scene/level.h"
#include "scene/pixel_rect.h"
#include "scene/program_fault.h"
#include "scene/scene.h"

namespace vexmire {

namespace {

Entity Box(float left, float top, float width, float height) {
    Entity entity;
    entity.SetLeft(left);
    entity.SetTop(top);
    entity.SetWidth(width);
    entity.SetHeight(height);
    return entity;
}

TEST(Overlap, SquaresThatOnlyTouchDoNotOverlap) {
    EXPECT_FALSE(Overlaps(Box(0, 0, 10, 10), Box(10, 0, 10, 10)));
    EXPECT_TRUE(Overlaps(Box(0, 0, 10, 10), Box(9, 0, 10, 10)));
    EXPECT_FALSE(Overlaps(Box(0, 0, 10, 10), Box(10, 10, 10, 10)));  // corner
    EXPECT_FALSE(Overlaps(Box(0, 0, 10, 10), Box(0, 10, 10, 10)));
}

TEST(Overlap, OnePixelWideZoneIsTouchedByAnythingCoveringItsColumn) {
    const Entity zone = Box(128, 120, 1, 97);
    EXPECT_TRUE(Overlaps(zone, Box(120, 150, 9, 9)));   // columns 120..128
    EXPECT_FALSE(Overlaps(zone, Box(119, 150, 9, 9)));  // columns 119..127
    EXPECT_FALSE(Overlaps(zone, Box(129, 150, 9, 9)));
}

TEST(Overlap, EmptyRectangleOverlapsNothing) {
    EXPECT_FALSE(Overlaps(PixelRect{5, 5, 5, 20}, PixelRect{0, 0, 50, 50}));
    EXPECT_FALSE(Overlaps(PixelRect{0, 0, 50, 50}, PixelRect{5, 20, 30, 10}));
}

TEST(Overlap, HiddenEntitiesStillOverlap) {
    Entity hidden = Box(0, 0, 10, 10);
    hidden.visible = false;
    EXPECT_TRUE(Overlaps(hidden, Box(5, 5, 10, 10)));
}

TEST(RectOf, RoundsEachSumToNearestWithTiesToEven) {
    EXPECT_EQ(RectOf(Box(2.5f, 0, 3, 1)), (PixelRect{2, 0, 6, 1}));
    EXPECT_EQ(RectOf(Box(3.5f, 1.5f, 1, 1)), (PixelRect{4, 2, 4, 2}));
    EXPECT_EQ(RectOf(Box(-2.5f, -0.5f, 1, 1)), (PixelRect{-2, 0, -2, 0}));
    EXPECT_EQ(RectOf(Box(-99999, -99999, 9, 9)), (PixelRect{-99999, -99999, -99990, -99990}));
}

TEST(RectOf, FollowsEveryChangeOfTheGeometry) {
    Entity box = Box(10, 20, 30, 40);
    EXPECT_EQ(RectOf(box), (PixelRect{10, 20, 40, 60}));
    box.SetLeft(11);
    EXPECT_EQ(RectOf(box), (PixelRect{11, 20, 41, 60}));
    box.SetTop(21.5f);
    EXPECT_EQ(RectOf(box), (PixelRect{11, 22, 41, 62}));
    box.SetWidth(1);
    EXPECT_EQ(RectOf(box), (PixelRect{11, 22, 12, 62}));
    box.SetHeight(2);
    EXPECT_EQ(RectOf(box), (PixelRect{11, 22, 12, 24}));
    const Entity copy = box;
    box.SetLeft(-99999);
    EXPECT_EQ(RectOf(copy), (PixelRect{11, 22, 12, 24}));
    EXPECT_TRUE(Overlaps(copy, Box(11, 22, 1, 1)));
    EXPECT_FALSE(Overlaps(box, Box(11, 22, 1, 1)));
}

TEST(RectOf, AGeometryBeyondThirtyTwoBitsFaultsEveryTimeUntilItIsPutRight) {
    Entity box = Box(0, 0, 1, 1);
    EXPECT_EQ(RectOf(box), (PixelRect{0, 0, 1, 1}));
    box.SetWidth(3e9f);
    EXPECT_THROW(RectOf(box), ProgramFault);
    EXPECT_THROW(Overlaps(box, box), ProgramFault);
    box.SetWidth(5);
    EXPECT_EQ(RectOf(box), (PixelRect{0, 0, 5, 1}));
}

TEST(CheckedConversion, RoundsTiesToEvenAndRefusesOverflow) {
    EXPECT_EQ(checked::ToInt16(0.5), 0);
    EXPECT_EQ(checked::ToInt16(1.5), 2);
    EXPECT_EQ(checked::ToInt16(2.5), 2);
    EXPECT_EQ(checked::ToInt16(-1.5), -2);
    EXPECT_EQ(checked::ToInt16(32767.4), 32767);
    EXPECT_THROW(checked::ToInt16(32767.5), ProgramFault);
    EXPECT_THROW(checked::ToInt16(-32769), ProgramFault);
    EXPECT_THROW(checked::Add16(32767, 1), ProgramFault);
    EXPECT_THROW(checked::ToInt32(3e9), ProgramFault);
}

// The 32-bit conversion takes exactly what rounds into the 32-bit range, ties to even, and
// refuses the nearest values beyond it at both ends.
TEST(CheckedConversion, ThirtyTwoBitsTakeTheirWholeRangeAndNothingBeyond) {
    constexpr int32_t kMin = std::numeric_limits<int32_t>::min();
    constexpr int32_t kMax = std::numeric_limits<int32_t>::max();
    EXPECT_EQ(checked::ToInt32(2147483647.0), kMax);
    EXPECT_EQ(checked::ToInt32(2147483647.49), kMax);
    EXPECT_THROW(checked::ToInt32(2147483647.5), ProgramFault);  // rounds to 2^31
    EXPECT_THROW(checked::ToInt32(2147483648.0), ProgramFault);
    EXPECT_EQ(checked::ToInt32(-2147483648.0), kMin);
    EXPECT_EQ(checked::ToInt32(-2147483648.5), kMin);  // the tie goes to the even kMin
    EXPECT_THROW(checked::ToInt32(-2147483648.51), ProgramFault);
    EXPECT_THROW(checked::ToInt32(-2147483649.0), ProgramFault);
    EXPECT_EQ(checked::ToInt32(-0.5), 0);
    EXPECT_EQ(checked::ToInt32(-1.5), -2);
    EXPECT_THROW(checked::ToInt32(std::numeric_limits<double>::infinity()), ProgramFault);
    EXPECT_THROW(checked::ToInt32(-std::numeric_limits<double>::infinity()), ProgramFault);
    EXPECT_THROW(checked::ToInt32(std::numeric_limits<double>::quiet_NaN()), ProgramFault);
    EXPECT_THROW(checked::ToInt32(1e300), ProgramFault);
    EXPECT_THROW(checked::ToInt32(-1e300), ProgramFault);
}

class LevelTable : public ::testing::Test {
  protected:
    void SetUp() override { BuildLevel(scene); }
    Scene scene;
};

TEST_F(LevelTable, HoldsEveryEntityInStackingOrder) {
    ASSERT_EQ(scene.entities().size(), 92u);  // 91 drawn entities and the timer
    const auto& all = scene.entities();
    EXPECT_EQ(all[0].DisplayName(), "shpObstacle(24)");
    EXPECT_EQ(all[1].DisplayName(), "imgenemy");
    EXPECT_EQ(all[47].DisplayName(), "shpBall(0)");
    EXPECT_EQ(all[48].DisplayName(), "shpBall(19)");
    EXPECT_EQ(all[66].DisplayName(), "shpBall(1)");
    EXPECT_EQ(all[67].DisplayName(), "shpObstacle(18)");
    EXPECT_EQ(all[90].DisplayName(), "shpObstacle(1)");
    EXPECT_EQ(all[91].name, "tmr");
    EXPECT_EQ(all[91].intervalMs, 1);
    EXPECT_TRUE(all[91].enabled);
}

TEST_F(LevelTable, FamiliesHaveTheirSizesAndFailLoudlyBeyondThem) {
    EXPECT_EQ(scene.Family("shpObstacle").size(), 40);
    EXPECT_EQ(scene.Family("shpBall").size(), 20);
    EXPECT_EQ(scene.Family("shpGlass").size(), 11);
    EXPECT_EQ(scene.Family("shpLife").size(), 5);
    EXPECT_THROW(scene.Family("shpBall")(20), ProgramFault);
    EXPECT_THROW(scene.Family("shpObstacle")(-1), ProgramFault);
    EXPECT_THROW(scene.Get("imgNobody"), ProgramFault);
}

TEST_F(LevelTable, BallRowLiesInTheStatusAreaAwayFromEveryObstacle) {
    const EntityArray balls = scene.Family("shpBall");
    const EntityArray obstacles = scene.Family("shpObstacle");
    for (int k = 0; k < 20; ++k) {
        EXPECT_EQ(balls(k).left(), 416 - 16 * k);
        EXPECT_EQ(balls(k).top(), 712);
        EXPECT_EQ(balls(k).shape, ShapeKind::Oval);
        for (int i = 0; i < 40; ++i)
            EXPECT_FALSE(Overlaps(balls(k), obstacles(i))) << k << " " << i;
    }
}

TEST_F(LevelTable, OnlyZonesTheKeyAndTheShardsStartHidden) {
    const std::vector<int> hiddenObstacles = {21, 22, 23, 24, 25, 26, 27, 28, 30, 32, 39};
    const EntityArray obstacles = scene.Family("shpObstacle");
    for (int i = 0; i < 40; ++i) {
        const bool hidden =
            std::find(hiddenObstacles.begin(), hiddenObstacles.end(), i) != hiddenObstacles.end();
        EXPECT_EQ(obstacles(i).visible, !hidden) << i;
    }
    const EntityArray glass = scene.Family("shpGlass");
    for (int i = 0; i < 11; ++i) EXPECT_FALSE(glass(i).visible);
    EXPECT_TRUE(scene.Get("imgPlayer").visible);
    EXPECT_TRUE(scene.Get("shpeBall").visible);
}

TEST_F(LevelTable, KeyPlacesAndColoursMatchTheLayout) {
    const EntityArray obstacles = scene.Family("shpObstacle");
    const Entity& key = obstacles(23);
    EXPECT_EQ(RectOf(key), (PixelRect{96, 32, 121, 41}));
    EXPECT_EQ(key.fillColour, 0x0000FFFFu);
    EXPECT_EQ(obstacles(17).shape, ShapeKind::Circle);
    EXPECT_EQ(obstacles(17).left(), 792);
    EXPECT_EQ(obstacles(30).left(), 840);
    EXPECT_EQ(obstacles(31).fillColour, 0x00C0C000u);
    EXPECT_EQ(scene.Get("shpeBall").fillColour, 0x000000FFu);
    EXPECT_EQ(RectOf(scene.Get("Shape2")), (PixelRect{0, 704, 857, 761}));
    EXPECT_EQ(scene.Get("lblTip").caption, "Label Tip");
    EXPECT_EQ(scene.Get("lblAmmo").caption, "Ammo:");
    EXPECT_EQ(scene.Get("lblHealth").font.points, 12);
}

TEST_F(LevelTable, PlayerStartsWithItsOwnCopyOfTheRightFacingDrawing) {
    const Entity& player = scene.Get("imgPlayer");
    const Entity& right = scene.Get("imgRPlayer");
    EXPECT_NE(player.picture, right.picture);
    EXPECT_EQ(player.picture->drawing, right.picture->drawing);
    EXPECT_EQ(scene.Get("imgenemy").picture->drawing, scene.Get("imgDEnemy").picture->drawing);
}

}  // namespace

}  // namespace vexmire
