#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include <QCoreApplication>
#include <QImage>
#include <QLabel>
#include <QScreen>

#include "platform/painter/painter.h"
#include "platform/desktop/window_scale.h"
#include "tests/qt_game_fixture.h"

namespace vexmire {

namespace {

const QSize kGame(838, 759);

TEST(WholeWindowScale, TheLargestWholeFactorThatFitsTheScreenAndTheDesktopsWish) {
    // 150% on a 1920 x 1080 screen: 2x would be 1676 x 1518.
    EXPECT_EQ(WholeWindowScale(QSize(1920, 1050), kGame, 1.5), 1);
    EXPECT_EQ(WholeWindowScale(QSize(3840, 2130), kGame, 2.0), 2);
    EXPECT_EQ(WholeWindowScale(QSize(3840, 2130), kGame, 1.0), 1);
    EXPECT_EQ(WholeWindowScale(QSize(3840, 2130), kGame, 3.0), 2);
    EXPECT_EQ(WholeWindowScale(QSize(7680, 4320), kGame, 3.0), 3);
}

TEST(WholeWindowScale, TheDesktopsScaleRoundsHalfUp) {
    EXPECT_EQ(WholeWindowScale(QSize(3840, 2160), kGame, 1.25), 1);
    EXPECT_EQ(WholeWindowScale(QSize(3840, 2160), kGame, 1.5), 2);
    EXPECT_EQ(WholeWindowScale(QSize(3840, 2160), kGame, 1.75), 2);
    EXPECT_EQ(WholeWindowScale(QSize(3840, 2160), kGame, 2.49), 2);
}

TEST(WholeWindowScale, NeverBelowOneAndABadScaleCountsAsOne) {
    EXPECT_EQ(WholeWindowScale(QSize(800, 600), kGame, 2.0), 1);
    EXPECT_EQ(WholeWindowScale(QSize(0, 0), kGame, 1.0), 1);
    EXPECT_EQ(WholeWindowScale(QSize(3840, 2160), QSize(0, 0), 2.0), 1);
    EXPECT_EQ(WholeWindowScale(QSize(3840, 2160), kGame, 0.0), 1);
    EXPECT_EQ(WholeWindowScale(QSize(3840, 2160), kGame, -2.0), 1);
    EXPECT_EQ(WholeWindowScale(QSize(3840, 2160), kGame, std::nan("")), 1);
    EXPECT_EQ(WholeWindowScale(QSize(3840, 2160), kGame, std::numeric_limits<double>::infinity()),
              2);
}

// A Wayland output at 200% of a 1920 x 1080 screen: one device pixel to a pixel of the game, in
// a window of half as many units, rounded up to whole ones; the region arithmetic follows.
TEST(WindowSizeInUnits, HalfUnitsRoundUpAndRegionsCoverEveryPixelTheyTouch) {
    EXPECT_EQ(WholeWindowScale(QSize(1920, 1080), kGame, 2.0), 1);
    EXPECT_EQ(WindowSizeInUnits(kGame, 1, 2.0), QSize(419, 380));
    EXPECT_EQ(WindowSizeInUnits(kGame, 2, 2.0), kGame);
    EXPECT_EQ(WindowSizeInUnits(kGame, 2, 1.0), QSize(1676, 1518));
    EXPECT_EQ(ScreenPixels(QRegion(3, 5, 4, 3), 0.5), QRegion(1, 2, 3, 2));
    EXPECT_EQ(GamePixels(QRegion(1, 2, 3, 2), 0.5), QRegion(2, 4, 6, 4));
    EXPECT_EQ(GamePixels(QRegion(3, 5, 2, 1), 2), QRegion(1, 2, 2, 1));
}

TEST(CentredOver, TheOtherWindowsCentreWithinTheScreen) {
    const QRect screen(0, 0, 1920, 1050);
    EXPECT_EQ(CentredOver(QRect(804, 446, 312, 206), QSize(838, 759), screen),
              QRect(541, 169, 838, 759));
    EXPECT_EQ(CentredOver(QRect(1700, 900, 312, 206), QSize(838, 759), screen),
              QRect(1082, 291, 838, 759));
    EXPECT_EQ(CentredOver(QRect(0, 0, 10, 10), QSize(838, 759), QRect(100, 30, 1820, 1020)),
              QRect(100, 30, 838, 759));
    EXPECT_EQ(CentredOver(QRect(0, 0, 800, 600), QSize(1676, 1518), QRect(0, 0, 800, 600)),
              QRect(0, 0, 1676, 1518));
}

TEST(FontAtWindowScale, TheDialogsTextFollowsTheGamesFactorNotTheDesktops) {
    QFont font;
    font.setPointSizeF(9);
    // Xft.dpi 192 on a 1080p screen, where the game is drawn at 1x.
    EXPECT_DOUBLE_EQ(FontAtWindowScale(font, 1, 1, 192).pointSizeF(), 4.5);
    EXPECT_DOUBLE_EQ(FontAtWindowScale(font, 2, 1, 192).pointSizeF(), 9);
    // A Wayland output at 200%: a unit is two device pixels.
    EXPECT_DOUBLE_EQ(FontAtWindowScale(font, 1, 2, 96).pointSizeF(), 4.5);
    EXPECT_DOUBLE_EQ(FontAtWindowScale(font, 2, 2, 96).pointSizeF(), 9);
    font.setPixelSize(12);
    EXPECT_EQ(FontAtWindowScale(font, 2, 1, 192).pixelSize(), 24);
    EXPECT_EQ(FontAtWindowScale(font, 1, 0, 96).pixelSize(), 12);
}

TEST(ScreenFactor, ByPlaceOrByNameAsTheDesktopWritesThem) {
    EXPECT_EQ(ScreenFactor("1.5", "screen", 0), 1.5);
    EXPECT_EQ(ScreenFactor("1.5", "screen", 1), std::nullopt);
    EXPECT_EQ(ScreenFactor("1;2", "HDMI-1", 1), 2.0);
    EXPECT_EQ(ScreenFactor("eDP-1=1.5;HDMI-1=1;", "eDP-1", 1), 1.5);
    EXPECT_EQ(ScreenFactor("eDP-1=1.5;HDMI-1=1;", "HDMI-1", 0), 1.0);
    EXPECT_EQ(ScreenFactor("eDP-1=1.5", "DP-2", 0), std::nullopt);
    EXPECT_EQ(ScreenFactor("", "screen", 0), std::nullopt);
}

TEST(ScreenFactor, TextThatIsNoFactorGivesNone) {
    EXPECT_EQ(ScreenFactor("big", "screen", 0), std::nullopt);
    EXPECT_EQ(ScreenFactor("eDP-1=", "eDP-1", 0), std::nullopt);
    EXPECT_EQ(ScreenFactor("eDP-1=-2", "eDP-1", 0), std::nullopt);
    EXPECT_EQ(ScreenFactor("0;nan;inf", "screen", 1), std::nullopt);
}

TEST(TakeScalingFromQt, KeepsTheDesktopsWishAndLeavesQtNothingToScaleBy) {
    qputenv("QT_SCALE_FACTOR", "1.5");
    qputenv("QT_SCREEN_SCALE_FACTORS", "eDP-1=2;");
    const DesktopScaleWish wish = TakeScalingFromQt();
    EXPECT_EQ(wish.everyScreen, 1.5);
    EXPECT_EQ(wish.eachScreen, "eDP-1=2;");
    EXPECT_FALSE(qEnvironmentVariableIsSet("QT_SCALE_FACTOR"));
    EXPECT_FALSE(qEnvironmentVariableIsSet("QT_SCREEN_SCALE_FACTORS"));
    EXPECT_EQ(qEnvironmentVariable("QT_ENABLE_HIGHDPI_SCALING"), "0");
    qputenv("QT_SCALE_FACTOR", "lots");
    EXPECT_EQ(TakeScalingFromQt().everyScreen, std::nullopt);
    qunsetenv("QT_ENABLE_HIGHDPI_SCALING");
}

// The windows drawn at twice the size: every pixel of the game becomes a square of four.
class ScaledWindowsTest : public QtGameTest {
  protected:
    ScaledWindowsTest() {
        gameWindow.SetScale(2);
        titleWindow.SetScale(2);
    }
};

TEST_F(ScaledWindowsTest, AfterWalkingAndShootingEveryPixelIsASquareTextIncluded) {
    NewGame();
    Play(1);
    SendKey(&gameWindow, QEvent::KeyPress, Qt::Key_Down);
    SendKey(&gameWindow, QEvent::KeyPress, Qt::Key_Space);
    SendKey(&gameWindow, QEvent::KeyPress, Qt::Key_Right);
    Play(40);
    EXPECT_EQ(gameWindow.size(), QSize(1676, 1518));
    EXPECT_EQ(Shown(), RenderScene(game.scene).scaled(QSize(1676, 1518)));
}

// On a Wayland output at 200% where only 1x fits, the frame fills a window of half its size in
// units, and the spare row shows the floor.
TEST_F(QtGameTest, AtOneDevicePixelInUnitsOfTwoTheWindowIsHalfTheFrameRoundedUp) {
    gameWindow.SetScale(1, 2.0);
    EXPECT_EQ(gameWindow.size(), QSize(419, 380));
    gameWindow.SetScale(1);
    EXPECT_EQ(gameWindow.size(), kGame);
}

TEST_F(ScaledWindowsTest, TheTitleWindowFollowsTheSameFactor) {
    EXPECT_EQ(titleWindow.size(), QSize(624, 412));
    EXPECT_EQ(titleWindow.cmdRun()->geometry(), QRect(112, 208, 162, 50));
    EXPECT_EQ(titleWindow.cmdEnd()->geometry(), QRect(352, 208, 162, 50));
    EXPECT_EQ(titleWindow.cmdRun()->font().pixelSize(), 22);
    for (const QLabel* label : titleWindow.findChildren<QLabel*>()) {
        if (label->text() == "Vexmire") {
            EXPECT_EQ(label->geometry(), QRect(0, 48, 626, 82));
            EXPECT_EQ(label->font().pixelSize(), 64);
        }
    }
    titleWindow.SetScale(1);
    EXPECT_EQ(titleWindow.size(), QSize(312, 206));
    EXPECT_EQ(titleWindow.cmdRun()->font().pixelSize(), 11);
}

}  // namespace

}  // namespace vexmire
