#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include <QDialog>
#include <QLineEdit>
#include <QTest>

#include "script/script_recorder.h"
#include "tests/memory_file.h"
#include "tests/qt_game_fixture.h"

namespace vexmire {

// A dialog that opens in the middle of play, with the game's own keys under the player's
// fingers: it takes no key for a moment, never one held before it opened, and a held key let go
// inside it stops the figure once it has closed.
namespace {

class DialogKeysTest : public QtGameTest {
  protected:
    DialogKeysTest() : recorder(recording.fd(), "r", errors) {
        windows.RecordTo(recorder);
        // At the keypad, whose prompt the next tick opens.
        game.level.player->SetLeft(140);
        game.level.player->SetTop(480);
    }

    void Tap(QDialog* dialog, Qt::Key key) {
        QWidget* target = dialog->focusWidget() != nullptr ? dialog->focusWidget() : dialog;
        QTest::keyClick(target, key);
    }

    MemoryFile recording;
    std::ostringstream errors;
    ScriptRecorder recorder;
};

TEST_F(DialogKeysTest, ForAMomentAfterOpeningADialogTakesNoKeyThenEnterWorksAsAlways) {
    bool answered = false;
    WhenDialogOpens([&](QDialog* dialog) {
        ASSERT_NE(dialog, nullptr);
        Tap(dialog, Qt::Key_Return);
        Tap(dialog, Qt::Key_Escape);
        clock.Advance(DialogKeyGuard::kSettling - std::chrono::milliseconds(1));
        Tap(dialog, Qt::Key_Space);
        EXPECT_TRUE(dialog->isVisible()) << "a reflex press closed the dialog";
        clock.Advance(std::chrono::milliseconds(1));
        Tap(dialog, Qt::Key_Return);
        answered = !dialog->isVisible();
        if (!answered) dialog->reject();
    });
    NextTick();
    EXPECT_TRUE(answered) << "Enter did not close the dialog once the moment had passed";
}

TEST_F(DialogKeysTest, AKeyHeldIntoADialogNeverOperatesItAndItsReleaseStopsTheFigureAfter) {
    SendKey(&gameWindow, QEvent::KeyPress, Qt::Key_Right);
    SendKey(&gameWindow, QEvent::KeyPress, Qt::Key_Return);
    ASSERT_EQ(game.vars.playerDX, 2);
    bool stillOpen = false;
    WhenDialogOpens([&](QDialog* dialog) {
        ASSERT_NE(dialog, nullptr);
        clock.Advance(std::chrono::seconds(2));
        // The keys' repeats and their releases, long after the moment has passed.
        QWidget* target = dialog->focusWidget() != nullptr ? dialog->focusWidget() : dialog;
        SendKey(target, QEvent::KeyPress, Qt::Key_Return, true);
        SendKey(target, QEvent::KeyRelease, Qt::Key_Return);
        SendKey(target, QEvent::KeyPress, Qt::Key_Right, true);
        SendKey(target, QEvent::KeyRelease, Qt::Key_Right);
        stillOpen = dialog->isVisible();
        EXPECT_EQ(game.vars.playerDX, 2) << "a key reached the rules inside the dialog";
        dialog->reject();
    });
    NextTick();
    EXPECT_TRUE(stillOpen) << "a key held before the dialog opened closed it";
    EXPECT_EQ(game.vars.playerDX, 0) << "the figure walks on by itself";
    recorder.Finish();
    // One key-up, after the tick that opened the prompt and its answer, as focus loss sends.
    const std::string text = recording.Text();
    EXPECT_NE(text.find("answer\ntick 1\nkeyup "), std::string::npos) << text;
}

// W walks as Up does, and a W held into the keypad's prompt is the game's key, not a letter.
TEST_F(DialogKeysTest, AHeldWTypesNothingIntoThePrompt) {
    SendKey(&gameWindow, QEvent::KeyPress, Qt::Key_W);
    ASSERT_EQ(game.vars.playerDY, -2);
    QString typed = "unread";
    WhenDialogOpens([&](QDialog* dialog) {
        ASSERT_NE(dialog, nullptr);
        clock.Advance(std::chrono::seconds(2));
        auto* field = dialog->findChild<QLineEdit*>();
        ASSERT_NE(field, nullptr);
        QKeyEvent repeat(QEvent::KeyPress, Qt::Key_W, Qt::NoModifier, "w", true);
        QCoreApplication::sendEvent(field, &repeat);
        typed = field->text();
        dialog->reject();
    });
    NextTick();
    EXPECT_EQ(typed, "");
    SendKey(&gameWindow, QEvent::KeyRelease, Qt::Key_W);
    EXPECT_EQ(game.vars.playerDY, 0);
}

}  // namespace

}  // namespace vexmire
