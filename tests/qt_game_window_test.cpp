#include <gtest/gtest.h>

#include <sstream>

#include <QDialogButtonBox>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QWindow>

#include "game/hints.h"
#include "platform/painter/painter.h"
#include "script/script_recorder.h"
#include "tests/memory_file.h"
#include "tests/qt_game_fixture.h"

namespace vexmire {

namespace {

class GameWindowTest : public QtGameTest {
  protected:
    GameWindowTest() { NewGame(); }

    void Activation(QEvent::Type type) {
        QEvent event(type);
        QCoreApplication::sendEvent(&gameWindow, &event);
    }
    // Where the player stands in the keypad's zone, clear of every wall.
    void StandAtTheKeypad() {
        player().SetLeft(140);
        player().SetTop(480);
    }
};

TEST_F(GameWindowTest, TheWindowHasTheFixedSizeAndCaptionOfTheGame) {
    EXPECT_EQ(gameWindow.windowTitle(), "Vexmire");
    EXPECT_EQ(gameWindow.size(), QSize(838, 759));
    EXPECT_EQ(gameWindow.minimumSize(), gameWindow.maximumSize());
}

TEST_F(GameWindowTest, ThePlayerWalksTwoPixelsATick) {
    SendKey(&gameWindow, QEvent::KeyPress, Qt::Key_Right);
    for (int n = 0; n < 64; ++n) NextTick();
    EXPECT_EQ(player().left(), 24 + 128);
}

TEST_F(GameWindowTest, AwayFromTheKeyboardTheGameHoldsStillAndAHeldKeyCountsAsReleased) {
    SendKey(&gameWindow, QEvent::KeyPress, Qt::Key_Right);
    NextTick();
    EXPECT_EQ(player().left(), 26);
    Activation(QEvent::WindowDeactivate);
    EXPECT_TRUE(gameWindow.away());
    EXPECT_EQ(game.vars.playerDX, 0);
    const int64_t before = ticksRun();
    clock.Advance(std::chrono::seconds(3));
    gameWindow.ticks().Poll();
    EXPECT_EQ(ticksRun(), before);
    EXPECT_FALSE(gameWindow.ticks().scheduled());
    // Back at the keyboard, play goes on at once, with none of the missed ticks.
    Activation(QEvent::WindowActivate);
    EXPECT_FALSE(gameWindow.away());
    gameWindow.ticks().Poll();
    EXPECT_EQ(ticksRun(), before);
    NextTick();
    EXPECT_EQ(ticksRun(), before + 1);
    SendKey(&gameWindow, QEvent::KeyPress, Qt::Key_Right);
    NextTick();
    EXPECT_EQ(player().left(), 28);
}

// On Wayland a key can come a moment before the window is told that it is active again.
TEST_F(GameWindowTest, AKeyThatComesBeforeTheWindowIsActiveAgainIsTheGamesAndPlayGoesOn) {
    Activation(QEvent::WindowDeactivate);
    ASSERT_TRUE(gameWindow.away());
    SendKey(&gameWindow, QEvent::KeyPress, Qt::Key_Right);
    EXPECT_FALSE(gameWindow.away());
    EXPECT_EQ(game.vars.playerDX, 2);
    NextTick();
    EXPECT_EQ(player().left(), 26);
    Activation(QEvent::WindowActivate);
    SendKey(&gameWindow, QEvent::KeyRelease, Qt::Key_Right);
    EXPECT_EQ(game.vars.playerDX, 0);
    // A release alone proves it as well.
    Activation(QEvent::WindowDeactivate);
    SendKey(&gameWindow, QEvent::KeyRelease, Qt::Key_Space);
    EXPECT_FALSE(gameWindow.away());
    EXPECT_FALSE(gameWindow.ticks().paused());
}

TEST_F(GameWindowTest, LeavingWithNoKeyHeldSendsNoKeyUp) {
    game.vars.playerDX = 2;  // as a dialog may leave it, its key released inside the dialog
    Activation(QEvent::WindowDeactivate);
    EXPECT_EQ(game.vars.playerDX, 2);
}

TEST_F(GameWindowTest, AnotherWindowTakingTheKeyboardHoldsTheGame) {
    ASSERT_TRUE(QTest::qWaitForWindowActive(&gameWindow));
    QWidget other;
    other.show();
    other.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
    EXPECT_TRUE(gameWindow.away());
    gameWindow.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&gameWindow));
    EXPECT_FALSE(gameWindow.away());
}

TEST_F(GameWindowTest, AtTheTitleTheHiddenGameIsNeverAway) {
    gameWindow.hide();
    Activation(QEvent::WindowDeactivate);
    EXPECT_FALSE(gameWindow.away());
    NextTick();
    EXPECT_EQ(ticksRun(), 1);
}

TEST_F(GameWindowTest, APromptOpenedInATickHoldsEveryFurtherTickAndKeyUntilItCloses) {
    StandAtTheKeypad();
    bool asked = false;
    WhenDialogOpens([&](QDialog* dialog) {
        auto* prompt = qobject_cast<QInputDialog*>(dialog);
        ASSERT_NE(prompt, nullptr);
        asked = true;
        EXPECT_EQ(prompt->windowTitle(), "Key Pad");
        EXPECT_EQ(prompt->labelText(), "Enter The Key-Code");
        EXPECT_EQ(prompt->textValue(), "");
        EXPECT_TRUE(platform.dialogOpen());
        // Ticks fall due and keys arrive while the prompt is open: none reaches the rules.
        clock.Advance(std::chrono::seconds(2));
        gameWindow.ticks().Poll();
        QCoreApplication::processEvents();
        SendKey(&gameWindow, QEvent::KeyPress, Qt::Key_Down);
        EXPECT_EQ(ticksRun(), 1);
        EXPECT_EQ(game.vars.playerDY, 0);
        int prompts = 0;
        for (QWidget* window : QApplication::topLevelWidgets()) {
            if (qobject_cast<QInputDialog*>(window) && window->isVisible()) ++prompts;
        }
        EXPECT_EQ(prompts, 1);
        prompt->findChild<QLineEdit*>()->setText("3916");
        prompt->accept();
    });
    NextTick();
    EXPECT_TRUE(asked);
    EXPECT_FALSE(platform.dialogOpen());
    // The tick that opened the prompt finished with its answer: the jail door is open.
    EXPECT_EQ(game.level.obstacles(1).left(), -100);
    // The pace starts afresh: no burst of the ticks that fell due meanwhile.
    gameWindow.ticks().Poll();
    EXPECT_EQ(ticksRun(), 1);
    NextTick();
    EXPECT_EQ(ticksRun(), 2);
}

// What the window manager is told about a dialog of the game, checked from inside it.
void ExpectAFixedModalDialogOf(QWidget& owner, QDialog* dialog) {
    ASSERT_NE(dialog, nullptr);
    // Once the dialog has laid itself out as it does on screen.
    QCoreApplication::processEvents();
    const Qt::WindowFlags flags = dialog->windowFlags();
    EXPECT_EQ(flags & Qt::WindowType_Mask, Qt::Dialog);
    EXPECT_FALSE(flags & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(flags & Qt::WindowMaximizeButtonHint);
    EXPECT_TRUE(flags & Qt::WindowCloseButtonHint);
    EXPECT_EQ(dialog->minimumSize(), dialog->maximumSize());
    EXPECT_EQ(dialog->size(), dialog->maximumSize());
    EXPECT_EQ(dialog->windowModality(), Qt::WindowModal);
    ASSERT_NE(dialog->windowHandle(), nullptr);
    EXPECT_EQ(dialog->windowHandle()->transientParent(), owner.windowHandle());
}

TEST_F(GameWindowTest, ThePromptAndTheMessageAreFixedModalDialogsOfTheGameWindow) {
    StandAtTheKeypad();
    bool prompted = false;
    WhenDialogOpens([&](QDialog* dialog) {
        prompted = true;
        ExpectAFixedModalDialogOf(gameWindow, dialog);
        if (dialog != nullptr) dialog->reject();
    });
    NextTick();
    EXPECT_TRUE(prompted);

    game.level.tip->caption = hint::kDefuseBomb;
    bool told = false;
    WhenDialogOpens([&](QDialog* dialog) {
        told = true;
        ExpectAFixedModalDialogOf(gameWindow, dialog);
        if (dialog != nullptr) dialog->accept();
    });
    SendKey(&gameWindow, QEvent::KeyPress, Qt::Key_Return);
    EXPECT_TRUE(told);
}

TEST_F(GameWindowTest, CancellingThePromptAnswersTheEmptyTextAndItAsksAgainNextTick) {
    StandAtTheKeypad();
    int asked = 0;
    WhenDialogOpens([&](QDialog* dialog) {
        ++asked;
        ASSERT_NE(dialog, nullptr);
        dialog->findChild<QLineEdit*>()->setText("1234");
        dialog->reject();
    });
    NextTick();
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(game.level.obstacles(1).left(), 232);  // still locked
    WhenDialogOpens([&](QDialog* dialog) {
        ++asked;
        ASSERT_NE(dialog, nullptr);
        dialog->close();
    });
    NextTick();
    EXPECT_EQ(asked, 2);
    EXPECT_EQ(game.level.obstacles(1).left(), 232);
}

TEST_F(GameWindowTest, APastedAnswerIsCutToWhatThePromptsFieldTakes) {
    StandAtTheKeypad();
    MemoryFile recording;
    std::ostringstream errors;
    ScriptRecorder recorder(recording.fd(), "r", errors);
    windows.RecordTo(recorder);
    WhenDialogOpens([&](QDialog* dialog) {
        ASSERT_NE(dialog, nullptr);
        dialog->findChild<QLineEdit*>()->insert(QString(30'000, QChar(u'\u00e9')));
        dialog->accept();
    });
    NextTick();
    // Two bytes each in the recording's line: far below the longest line a script may hold.
    std::string fieldFull;
    for (int n = 0; n < 255; ++n) fieldFull += "\u00e9";
    recorder.Finish();
    EXPECT_NE(recording.Text().find("answer " + fieldFull + "\ntick 1\n"), std::string::npos);
}

TEST_F(GameWindowTest, TheWinningMessageEndsTheProgramOnceClosed) {
    game.level.tip->caption = hint::kDefuseBomb;
    bool shown = false;
    WhenDialogOpens([&](QDialog* dialog) {
        auto* box = qobject_cast<QMessageBox*>(dialog);
        ASSERT_NE(box, nullptr);
        shown = true;
        EXPECT_EQ(box->windowTitle(), "Game Over!");
        EXPECT_EQ(box->text(), "You win, congradulations");
        EXPECT_EQ(box->icon(), QMessageBox::NoIcon);
        EXPECT_EQ(box->buttons().size(), 1);
        EXPECT_EQ(box->standardButton(box->buttons().front()), QMessageBox::Ok);
        EXPECT_EQ(exits, 0);
        box->buttons().front()->click();
    });
    SendKey(&gameWindow, QEvent::KeyPress, Qt::Key_Return);
    EXPECT_TRUE(shown);
    EXPECT_EQ(exits, 1);
    EXPECT_TRUE(platform.ended());
    EXPECT_FALSE(gameWindow.isVisible());
    EXPECT_FALSE(titleWindow.isVisible());
    // After the end no tick and no key runs a handler.
    NextTick();
    EXPECT_EQ(ticksRun(), 0);
    SendKey(&gameWindow, QEvent::KeyPress, Qt::Key_Right);
    EXPECT_EQ(game.vars.playerDX, 0);
}

TEST_F(GameWindowTest, TheFifthHitEndsTheGameAfterItsMessage) {
    game.vars.hitsTaken = 4;
    game.level.enemyBall->SetLeft(player().left() + 4);
    game.level.enemyBall->SetTop(player().top() + 4);
    std::string text;
    WhenDialogOpens([&](QDialog* dialog) {
        auto* box = qobject_cast<QMessageBox*>(dialog);
        ASSERT_NE(box, nullptr);
        text = box->text().toStdString();
        box->accept();
    });
    NextTick();
    EXPECT_EQ(text, "You have run out of health!");
    EXPECT_EQ(exits, 1);
    NextTick();
    EXPECT_EQ(ticksRun(), 1);
}

}  // namespace

}  // namespace vexmire
