#include <gtest/gtest.h>

#include <sstream>

#include <QInputDialog>
#include <QLineEdit>

#include "platform/painter/painter.h"
#include "script/script_recorder.h"
#include "tests/memory_file.h"
#include "tests/qt_game_fixture.h"

namespace vexmire {

// P and Pause hold the game still and let it go on, with a sign over the frame; the keys
// themselves are the window's and never reach the rules or the recording.
namespace {

class PauseTest : public QtGameTest {
  protected:
    PauseTest() : recorder(recording.fd(), "the recording", errors) {
        windows.RecordTo(recorder);
        NewGame();
    }

    void Tap(int key) {
        SendKey(&gameWindow, QEvent::KeyPress, key);
        SendKey(&gameWindow, QEvent::KeyRelease, key);
    }
    void Activation(QEvent::Type type) {
        QEvent event(type);
        QCoreApplication::sendEvent(&gameWindow, &event);
    }

    MemoryFile recording;
    std::ostringstream errors;
    ScriptRecorder recorder;
};

TEST_F(PauseTest, PausedNoTickAndNoKeyReachesTheRulesAndAHeldKeyIsLetGo) {
    SendKey(&gameWindow, QEvent::KeyPress, Qt::Key_Right);
    NextTick();
    SendKey(&gameWindow, QEvent::KeyPress, Qt::Key_P);
    EXPECT_TRUE(gameWindow.paused());
    EXPECT_EQ(game.vars.playerDX, 0);
    const int64_t before = ticksRun();
    clock.Advance(std::chrono::seconds(5));
    gameWindow.ticks().Poll();
    EXPECT_FALSE(gameWindow.ticks().scheduled());
    SendKey(&gameWindow, QEvent::KeyRelease, Qt::Key_P);
    Tap(Qt::Key_Space);
    SendKey(&gameWindow, QEvent::KeyPress, Qt::Key_Down);
    EXPECT_EQ(ticksRun(), before);
    EXPECT_EQ(game.vars.shotsFired, 0);
    EXPECT_EQ(game.vars.playerDY, 0);
    EXPECT_EQ(player().left(), 26);

    // The Pause key goes on as P does, with none of the missed ticks.
    Tap(Qt::Key_Pause);
    EXPECT_FALSE(gameWindow.paused());
    gameWindow.ticks().Poll();
    EXPECT_EQ(ticksRun(), before);
    NextTick();
    EXPECT_EQ(ticksRun(), before + 1);
    recorder.Finish();
    EXPECT_EQ(recording.Text(), "newgame\nkeydown 39\ntick 1\nkeyup 39\ntick 1\n");
}

TEST_F(PauseTest, TheSignStandsOverTheFrameAndInTheTitleAndGoesWithoutATrace) {
    Play(3);
    const QImage scene = Shown();
    EXPECT_EQ(scene, RenderScene(game.scene));
    Tap(Qt::Key_P);
    EXPECT_EQ(gameWindow.windowTitle(), "Vexmire (Paused: press P to go on)");
    const QImage paused = Shown();
    EXPECT_NE(paused, scene);
    // The sign lies across the middle of the maze; the status area stays as it was.
    EXPECT_NE(paused.copy(0, 340, 838, 80), scene.copy(0, 340, 838, 80));
    EXPECT_EQ(paused.copy(0, 704, 838, 55), scene.copy(0, 704, 838, 55));
    Tap(Qt::Key_P);
    EXPECT_EQ(gameWindow.windowTitle(), "Vexmire");
    EXPECT_EQ(Shown(), scene);
}

TEST_F(PauseTest, AnotherApplicationWithTheKeyboardShowsTheSameSignUntilItComesBack) {
    Play(1);
    const QImage scene = Shown();
    Activation(QEvent::WindowDeactivate);
    EXPECT_EQ(gameWindow.windowTitle(), "Vexmire (Paused: press P to go on)");
    EXPECT_NE(Shown(), scene);
    Activation(QEvent::WindowActivate);
    EXPECT_EQ(gameWindow.windowTitle(), "Vexmire");
    EXPECT_EQ(Shown(), scene);
}

// Paused by the player, the game stays paused when the keyboard comes back from elsewhere; held
// still by another application, it goes on by itself, as before.
TEST_F(PauseTest, APauseOutlastsAVisitToAnotherApplication) {
    Tap(Qt::Key_P);
    Activation(QEvent::WindowDeactivate);
    Activation(QEvent::WindowActivate);
    EXPECT_TRUE(gameWindow.paused());
    EXPECT_TRUE(gameWindow.ticks().paused());
    EXPECT_EQ(gameWindow.windowTitle(), "Vexmire (Paused: press P to go on)");
    Tap(Qt::Key_P);
    EXPECT_FALSE(gameWindow.ticks().paused());
}

// The dialog holds the game still by itself; a pause pressed into it would outlast it unseen.
TEST_F(PauseTest, WhileADialogIsOpenPDoesNotPause) {
    player().SetLeft(140);
    player().SetTop(480);
    WhenDialogOpens([&](QDialog* dialog) {
        auto* prompt = qobject_cast<QInputDialog*>(dialog);
        ASSERT_NE(prompt, nullptr);
        SendKey(&gameWindow, QEvent::KeyPress, Qt::Key_P);
        EXPECT_FALSE(gameWindow.paused());
        prompt->reject();
    });
    NextTick();
    EXPECT_FALSE(gameWindow.paused());
}

}  // namespace

}  // namespace vexmire
