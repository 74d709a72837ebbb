#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QTest>

#include "tests/qt_game_fixture.h"

namespace vexmire {

namespace {

class TitleWindowTest : public QtGameTest {
  protected:
    // The window system activates the title window when Form_Load shows it.
    bool TitleIsActive() { return QTest::qWaitForWindowActive(&titleWindow); }
};

TEST_F(TitleWindowTest, AtStartOnlyTheTitleIsShownWhileTheHiddenGameTicks) {
    EXPECT_TRUE(titleWindow.isVisible());
    EXPECT_FALSE(gameWindow.isVisible());
    NextTick();
    NextTick();
    EXPECT_EQ(ticksRun(), 2);
}

TEST_F(TitleWindowTest, ItemsStandWhereTheTitleWindowPutsThem) {
    EXPECT_EQ(titleWindow.windowTitle(), "Vexmire");
    EXPECT_EQ(titleWindow.size(), QSize(312, 206));
    EXPECT_EQ(titleWindow.minimumSize(), titleWindow.maximumSize());
    EXPECT_EQ(titleWindow.cmdRun()->text(), "&New Game");
    EXPECT_EQ(titleWindow.cmdRun()->geometry(), QRect(56, 104, 81, 25));
    EXPECT_EQ(titleWindow.cmdEnd()->text(), "&Quit");
    EXPECT_EQ(titleWindow.cmdEnd()->geometry(), QRect(176, 104, 81, 25));
    EXPECT_FALSE(titleWindow.cmdRun()->isDefault() || titleWindow.cmdRun()->autoDefault());
    EXPECT_FALSE(titleWindow.cmdEnd()->isDefault() || titleWindow.cmdEnd()->autoDefault());
    bool title = false;
    bool author = false;
    for (const QLabel* label : titleWindow.findChildren<QLabel*>()) {
        if (label->text() == "Vexmire") {
            title = true;
            EXPECT_EQ(label->geometry(), QRect(0, 24, 313, 41));
            EXPECT_EQ(label->font().pixelSize(), 32);  // 24 points
            EXPECT_TRUE(label->alignment() & Qt::AlignHCenter);
        }
        if (label->text() == "Programmed By: Tolliver") {
            author = true;
            EXPECT_EQ(label->geometry(), QRect(144, 184, 153, 17));
            EXPECT_EQ(label->font().pixelSize(), 11);  // 8 points
        }
        EXPECT_EQ(label->focusPolicy(), Qt::NoFocus);
    }
    EXPECT_TRUE(title && author);
}

// The focused button shows its focus ring from the start, before any Tab.
TEST_F(TitleWindowTest, NewGameHoldsTheFocusAndTabMovesBetweenTheButtons) {
    ASSERT_TRUE(TitleIsActive());
    EXPECT_EQ(QApplication::focusWidget(), titleWindow.cmdRun());
    const QImage focused = titleWindow.cmdRun()->grab().toImage();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), titleWindow.cmdEnd());
    EXPECT_NE(titleWindow.cmdRun()->grab().toImage(), focused);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), titleWindow.cmdRun());
}

TEST_F(TitleWindowTest, SpaceRightAfterStartPressesNewGame) {
    ASSERT_TRUE(TitleIsActive());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
    EXPECT_TRUE(gameWindow.isVisible());
    EXPECT_FALSE(titleWindow.isVisible());
    EXPECT_EQ(player().left(), 24);
    EXPECT_EQ(player().top(), 256);
    EXPECT_EQ(game.level.tip->caption, "");
}

TEST_F(TitleWindowTest, SpaceOnQuitAfterTabBeepsAndEnds) {
    ASSERT_TRUE(TitleIsActive());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
    EXPECT_EQ(beeps, 1);
    EXPECT_EQ(exits, 1);
    EXPECT_FALSE(gameWindow.isVisible());
}

TEST_F(TitleWindowTest, AltNHandsOverToTheGameWindowWhichThenTakesTheKeys) {
    ASSERT_TRUE(TitleIsActive());
    QTest::keyClick(&titleWindow, Qt::Key_N, Qt::AltModifier);
    // An access key presses its button the way a click does, down and then up.
    EXPECT_TRUE(QTest::qWaitFor([&] { return gameWindow.isVisible(); }));
    EXPECT_FALSE(titleWindow.isVisible());
    ASSERT_TRUE(QTest::qWaitForWindowActive(&gameWindow));
    QTest::keyPress(QApplication::focusWidget(), Qt::Key_Down);
    EXPECT_EQ(game.vars.playerDY, 2);
}

TEST_F(TitleWindowTest, AltQBeepsOnceAndEndsWithoutEverShowingTheGame) {
    ASSERT_TRUE(TitleIsActive());
    QTest::keyClick(&titleWindow, Qt::Key_Q, Qt::AltModifier);
    EXPECT_TRUE(QTest::qWaitFor([&] { return platform.ended(); }));
    EXPECT_EQ(beeps, 1);
    EXPECT_EQ(exits, 1);
    EXPECT_TRUE(platform.ended());
    EXPECT_FALSE(gameWindow.isVisible());
    EXPECT_FALSE(titleWindow.isVisible());
    // Nothing of the program runs any more: no tick, no button.
    NextTick();
    EXPECT_EQ(ticksRun(), 0);
    EXPECT_FALSE(gameWindow.ticks().scheduled());
    titleWindow.cmdRun()->click();
    EXPECT_FALSE(gameWindow.isVisible());
}

TEST_F(TitleWindowTest, ClosingTheTitleThroughItsFrameEndsTheProgram) {
    titleWindow.close();
    EXPECT_EQ(exits, 1);
    EXPECT_EQ(beeps, 0);
    EXPECT_FALSE(gameWindow.isVisible());
    NextTick();
    EXPECT_EQ(ticksRun(), 0);
}

TEST_F(TitleWindowTest, ClosingTheGameWindowThroughItsFrameEndsTheProgram) {
    NewGame();
    gameWindow.close();
    EXPECT_EQ(exits, 1);
    EXPECT_FALSE(titleWindow.isVisible());
    NextTick();
    EXPECT_EQ(ticksRun(), 0);
}

}  // namespace

}  // namespace vexmire
