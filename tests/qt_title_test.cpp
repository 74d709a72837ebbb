#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QTest>

#include "qt_game_fixture.h"

namespace {

class TitleWindowTest : public QtGameTest {
  protected:
    // The window system activates the title window when Form_Load shows it.
    bool TitleIsActive() { return QTest::qWaitForWindowActive(&form2); }
};

TEST_F(TitleWindowTest, AtStartOnlyTheTitleIsShownWhileTheHiddenGameTicks) {
    EXPECT_TRUE(form2.isVisible());
    EXPECT_FALSE(form1.isVisible());
    NextTick();
    NextTick();
    EXPECT_EQ(ticksRun(), 2);
}

TEST_F(TitleWindowTest, ItemsStandWhereTheTitleWindowPutsThem) {
    EXPECT_EQ(form2.windowTitle(), "Vexmire");
    EXPECT_EQ(form2.size(), QSize(312, 206));
    EXPECT_EQ(form2.minimumSize(), form2.maximumSize());
    EXPECT_EQ(form2.cmdRun()->text(), "&New Game");
    EXPECT_EQ(form2.cmdRun()->geometry(), QRect(56, 104, 81, 25));
    EXPECT_EQ(form2.cmdEnd()->text(), "&Quit");
    EXPECT_EQ(form2.cmdEnd()->geometry(), QRect(176, 104, 81, 25));
    EXPECT_FALSE(form2.cmdRun()->isDefault() || form2.cmdRun()->autoDefault());
    EXPECT_FALSE(form2.cmdEnd()->isDefault() || form2.cmdEnd()->autoDefault());
    bool title = false;
    bool author = false;
    for (const QLabel* label : form2.findChildren<QLabel*>()) {
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

TEST_F(TitleWindowTest, NewGameHoldsTheFocusAndTabMovesBetweenTheButtons) {
    ASSERT_TRUE(TitleIsActive());
    EXPECT_EQ(QApplication::focusWidget(), form2.cmdRun());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), form2.cmdEnd());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), form2.cmdRun());
}

TEST_F(TitleWindowTest, SpaceRightAfterStartPressesNewGame) {
    ASSERT_TRUE(TitleIsActive());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
    EXPECT_TRUE(form1.isVisible());
    EXPECT_FALSE(form2.isVisible());
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
    EXPECT_FALSE(form1.isVisible());
}

TEST_F(TitleWindowTest, AltNHandsOverToTheGameWindowWhichThenTakesTheKeys) {
    ASSERT_TRUE(TitleIsActive());
    QTest::keyClick(&form2, Qt::Key_N, Qt::AltModifier);
    // An access key presses its button the way a click does, down and then up.
    EXPECT_TRUE(QTest::qWaitFor([&] { return form1.isVisible(); }));
    EXPECT_FALSE(form2.isVisible());
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form1));
    QTest::keyPress(QApplication::focusWidget(), Qt::Key_Down);
    EXPECT_EQ(game.vars.playerDY, 2);
}

TEST_F(TitleWindowTest, AltQBeepsOnceAndEndsWithoutEverShowingTheGame) {
    ASSERT_TRUE(TitleIsActive());
    QTest::keyClick(&form2, Qt::Key_Q, Qt::AltModifier);
    EXPECT_TRUE(QTest::qWaitFor([&] { return platform.ended(); }));
    EXPECT_EQ(beeps, 1);
    EXPECT_EQ(exits, 1);
    EXPECT_TRUE(platform.ended());
    EXPECT_FALSE(form1.isVisible());
    EXPECT_FALSE(form2.isVisible());
    // Nothing of the program runs any more: no tick, no button.
    NextTick();
    EXPECT_EQ(ticksRun(), 0);
    EXPECT_FALSE(form1.ticks().scheduled());
    form2.cmdRun()->click();
    EXPECT_FALSE(form1.isVisible());
}

TEST_F(TitleWindowTest, ClosingTheTitleThroughItsFrameEndsTheProgram) {
    form2.close();
    EXPECT_EQ(exits, 1);
    EXPECT_EQ(beeps, 0);
    EXPECT_FALSE(form1.isVisible());
    NextTick();
    EXPECT_EQ(ticksRun(), 0);
}

TEST_F(TitleWindowTest, ClosingTheGameWindowThroughItsFrameEndsTheProgram) {
    NewGame();
    form1.close();
    EXPECT_EQ(exits, 1);
    EXPECT_FALSE(form2.isVisible());
    NextTick();
    EXPECT_EQ(ticksRun(), 0);
}

}  // namespace
