#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QEvent>
#include <QImage>
#include <QObject>
#include <QPaintEvent>
#include <QPixmap>
#include <QRegion>
#include <QScreen>

#include "game/hints.h"
#include "platform/painter/painter.h"
#include "tests/qt_game_fixture.h"

namespace vexmire {

namespace {

// Collects what the game window is asked to paint.
class PaintWatcher : public QObject {
  public:
    bool eventFilter(QObject* /*watched*/, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            painted += static_cast<QPaintEvent*>(event)->region();
            ++paints;
        }
        return false;
    }

    QRegion painted;
    int paints = 0;
};

// The game window paints again only what a tick or a key changed; what it shows must still be
// exactly the scene, pixel for pixel.
class RepaintTest : public QtGameTest {
  protected:
    RepaintTest() {
        NewGame();
        Play(1);  // the first tick after start-up paints the whole window once
        Shown();
        gameWindow.installEventFilter(&watcher);
    }


    PaintWatcher watcher;
};

TEST_F(RepaintTest, AfterWalkingAndShootingTheWindowShowsExactlyTheScene) {
    SendKey(&gameWindow, QEvent::KeyPress, Qt::Key_Down);
    SendKey(&gameWindow, QEvent::KeyPress, Qt::Key_Space);
    SendKey(&gameWindow, QEvent::KeyPress, Qt::Key_Right);
    SendKey(&gameWindow, QEvent::KeyPress, Qt::Key_Space);
    Play(90);
    EXPECT_EQ(Shown(), RenderScene(game.scene));
}

TEST_F(RepaintTest, AHintShownAndClearedIsPaintedAsTheSceneSays) {
    player().SetLeft(400);  // just below the door that needs the key
    player().SetTop(124);
    Play(1);
    ASSERT_EQ(game.level.tip->caption, hint::kNeedKey);
    EXPECT_EQ(Shown(), RenderScene(game.scene));
    player().SetLeft(24);  // on the wall at 0, 312, which clears the hint as it pushes back
    player().SetTop(282);
    SendKey(&gameWindow, QEvent::KeyPress, Qt::Key_Down);
    Play(3);
    ASSERT_EQ(game.level.tip->caption, "");
    EXPECT_EQ(Shown(), RenderScene(game.scene));
}

TEST_F(RepaintTest, ATickThatChangesNothingPaintsNothing) {
    Play(10);
    EXPECT_EQ(watcher.paints, 0);
}

TEST_F(RepaintTest, AStepPaintsOnlyWhereThePlayerWasAndIs) {
    SendKey(&gameWindow, QEvent::KeyPress, Qt::Key_Right);
    Play(1);
    EXPECT_EQ(watcher.painted.boundingRect(), QRect(24, 256, 32, 30));
}

}  // namespace

}  // namespace vexmire
