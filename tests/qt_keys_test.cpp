#include <gtest/gtest.h>

#include <sstream>

#include "game/key_codes.h"
#include "platform/qt/key_map.h"
#include "script/script_recorder.h"
#include "tests/memory_file.h"
#include "tests/qt_game_fixture.h"

namespace vexmire {

namespace {

int16_t Code(int qtKey, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    return VirtualKeyCode(qtKey, modifiers);
}

TEST(KeyCodes, TheKeysOfTheGameHaveTheCodesTheRulesExpect) {
    EXPECT_EQ(Code(Qt::Key_Return), key::kEnter);
    EXPECT_EQ(Code(Qt::Key_Enter, Qt::KeypadModifier), key::kEnter);
    EXPECT_EQ(Code(Qt::Key_Space), key::kSpace);
    EXPECT_EQ(Code(Qt::Key_Left), key::kLeft);
    EXPECT_EQ(Code(Qt::Key_Up), key::kUp);
    EXPECT_EQ(Code(Qt::Key_Right), key::kRight);
    EXPECT_EQ(Code(Qt::Key_Down), key::kDown);
    // The number pad's arrows, with Num Lock off, walk too.
    EXPECT_EQ(Code(Qt::Key_Left, Qt::KeypadModifier), key::kLeft);
}

TEST(KeyCodes, OtherCommonKeysHaveTheirStandardCodes) {
    EXPECT_EQ(Code(Qt::Key_A), 65);
    EXPECT_EQ(Code(Qt::Key_Z), 90);
    EXPECT_EQ(Code(Qt::Key_0), 48);
    EXPECT_EQ(Code(Qt::Key_9), 57);
    EXPECT_EQ(Code(Qt::Key_Exclam, Qt::ShiftModifier), 49);
    EXPECT_EQ(Code(Qt::Key_5, Qt::KeypadModifier), 101);
    EXPECT_EQ(Code(Qt::Key_Shift), 16);
    EXPECT_EQ(Code(Qt::Key_Control), 17);
    EXPECT_EQ(Code(Qt::Key_Alt), 18);
    EXPECT_EQ(Code(Qt::Key_Escape), 27);
    EXPECT_EQ(Code(Qt::Key_Tab), 9);
    EXPECT_EQ(Code(Qt::Key_Backspace), 8);
    EXPECT_EQ(Code(Qt::Key_F1), 112);
    EXPECT_EQ(Code(Qt::Key_F12), 123);
    EXPECT_EQ(Code(Qt::Key_PageUp), 33);
    EXPECT_EQ(Code(Qt::Key_PageDown), 34);
    EXPECT_EQ(Code(Qt::Key_End), 35);
    EXPECT_EQ(Code(Qt::Key_Home), 36);
    EXPECT_EQ(Code(Qt::Key_Insert), 45);
    EXPECT_EQ(Code(Qt::Key_Delete), 46);
}

TEST(KeyCodes, AnUnusualKeyGetsACodeNoRuleActsOn) {
    for (const int qtKey : {static_cast<int>(Qt::Key_VolumeUp), static_cast<int>(Qt::Key_unknown),
                            static_cast<int>(Qt::Key_Eacute)}) {
        const int16_t code = Code(qtKey);
        EXPECT_EQ(code, kUnmappedKey);
        EXPECT_NE(code, key::kEnter);
        EXPECT_NE(code, key::kSpace);
        EXPECT_TRUE(code < key::kLeft || code > key::kDown);
    }
}

TEST(KeyCodes, InTheGameWindowWASDAreTheArrowsAndEveryOtherKeyIsItself) {
    EXPECT_EQ(GameWindowKeyCode(Qt::Key_W, Qt::NoModifier), 38);
    EXPECT_EQ(GameWindowKeyCode(Qt::Key_A, Qt::ShiftModifier), 37);
    EXPECT_EQ(GameWindowKeyCode(Qt::Key_S, Qt::NoModifier), 40);
    EXPECT_EQ(GameWindowKeyCode(Qt::Key_D, Qt::NoModifier), 39);
    EXPECT_EQ(GameWindowKeyCode(Qt::Key_E, Qt::NoModifier), 'E');
    EXPECT_EQ(GameWindowKeyCode(Qt::Key_5, Qt::KeypadModifier), 101);
    EXPECT_EQ(VirtualKeyCode(Qt::Key_W, Qt::NoModifier), 'W');
}

// On X11 and Wayland the window system names a key's place by its XKB keycode: on a French
// layout the key at W's place types Z, and the W key lies where a US keyboard has Z.
TEST(KeyCodes, WASDWalkByTheirPlaceOnTheKeyboardWheneverTheWindowSystemGivesIt) {
    EXPECT_EQ(GameWindowKeyCode(Qt::Key_Z, Qt::NoModifier, 25), key::kUp);
    EXPECT_EQ(GameWindowKeyCode(Qt::Key_Q, Qt::NoModifier, 38), key::kLeft);
    EXPECT_EQ(GameWindowKeyCode(Qt::Key_S, Qt::NoModifier, 39), key::kDown);
    EXPECT_EQ(GameWindowKeyCode(Qt::Key_D, Qt::ShiftModifier, 40), key::kRight);
    EXPECT_EQ(GameWindowKeyCode(Qt::Key_W, Qt::NoModifier, 52), 'W');
    EXPECT_EQ(GameWindowKeyCode(Qt::Key_A, Qt::NoModifier, 24), 'A');
    EXPECT_EQ(GameWindowKeyCode(Qt::Key_Up, Qt::NoModifier, 111), key::kUp);
    const QKeyEvent frenchZ(QEvent::KeyPress, Qt::Key_Z, Qt::NoModifier, 25, 0, 0,
                            QStringLiteral("z"));
    EXPECT_EQ(GameWindowKeyCode(frenchZ), key::kUp);
}

TEST(KeyCodes, TheShiftStateNamesShiftCtrlAndAlt) {
    EXPECT_EQ(ShiftState(Qt::NoModifier), 0);
    EXPECT_EQ(ShiftState(Qt::ShiftModifier), 1);
    EXPECT_EQ(ShiftState(Qt::ControlModifier), 2);
    EXPECT_EQ(ShiftState(Qt::AltModifier), 4);
    EXPECT_EQ(ShiftState(Qt::ShiftModifier | Qt::AltModifier | Qt::KeypadModifier), 5);
}

class KeysInTheGameWindowTest : public QtGameTest {
  protected:
    KeysInTheGameWindowTest() { NewGame(); }
};

TEST_F(KeysInTheGameWindowTest, AHeldArrowKeepsWalkingThroughTheKeyRepeat) {
    SendKey(&gameWindow, QEvent::KeyPress, Qt::Key_Right);
    EXPECT_EQ(game.vars.playerDX, 2);
    // The repeat sends a release and a press each time; the release is not a key-up.
    SendKey(&gameWindow, QEvent::KeyRelease, Qt::Key_Right, true);
    EXPECT_EQ(game.vars.playerDX, 2);
    SendKey(&gameWindow, QEvent::KeyPress, Qt::Key_Right, true);
    EXPECT_EQ(game.vars.playerDX, 2);
    NextTick();
    EXPECT_EQ(player().left(), 26);
    SendKey(&gameWindow, QEvent::KeyRelease, Qt::Key_Right);
    EXPECT_EQ(game.vars.playerDX, 0);
}

TEST_F(KeysInTheGameWindowTest, WASDWalkAsTheArrowsAndAreRecordedAsTheArrows) {
    MemoryFile recording;
    std::ostringstream errors;
    ScriptRecorder recorder(recording.fd(), "r", errors);
    windows.RecordTo(recorder);
    SendKey(&gameWindow, QEvent::KeyPress, Qt::Key_D);
    SendKey(&gameWindow, QEvent::KeyPress, Qt::Key_S);
    EXPECT_EQ(game.vars.playerDX, 2);
    EXPECT_EQ(game.vars.playerDY, 2);
    NextTick();
    EXPECT_EQ(player().left(), 26);
    EXPECT_EQ(player().top(), 258);
    SendKey(&gameWindow, QEvent::KeyRelease, Qt::Key_S);
    EXPECT_EQ(game.vars.playerDY, 0);
    SendKey(&gameWindow, QEvent::KeyPress, Qt::Key_W);
    SendKey(&gameWindow, QEvent::KeyPress, Qt::Key_A);
    EXPECT_EQ(game.vars.playerDY, -2);
    EXPECT_EQ(game.vars.playerDX, -2);
    recorder.Finish();
    // The keys still held go up as the windows close, after the recorder has gone.
    windows.session.RecordTo(nullptr);
    EXPECT_EQ(recording.Text(),
              "keydown 39\nkeydown 40\ntick 1\nkeyup 40\nkeydown 38\nkeydown 37\n");
}

TEST_F(KeysInTheGameWindowTest, EachRepeatOfAHeldSpaceFiresAgain) {
    SendKey(&gameWindow, QEvent::KeyPress, Qt::Key_Space);
    SendKey(&gameWindow, QEvent::KeyRelease, Qt::Key_Space, true);
    SendKey(&gameWindow, QEvent::KeyPress, Qt::Key_Space, true);
    SendKey(&gameWindow, QEvent::KeyRelease, Qt::Key_Space, true);
    SendKey(&gameWindow, QEvent::KeyPress, Qt::Key_Space, true);
    EXPECT_EQ(game.vars.shotsFired, 3);
}

TEST_F(KeysInTheGameWindowTest, TheReleaseOfAnyKeyStopsThePlayerEvenTabOrShift) {
    SendKey(&gameWindow, QEvent::KeyPress, Qt::Key_Down);
    SendKey(&gameWindow, QEvent::KeyPress, Qt::Key_Tab);
    SendKey(&gameWindow, QEvent::KeyRelease, Qt::Key_Tab);
    EXPECT_EQ(game.vars.playerDY, 0);
    SendKey(&gameWindow, QEvent::KeyPress, Qt::Key_Down);
    SendKey(&gameWindow, QEvent::KeyPress, Qt::Key_Shift, false, Qt::ShiftModifier);
    SendKey(&gameWindow, QEvent::KeyRelease, Qt::Key_Shift);
    EXPECT_EQ(game.vars.playerDY, 0);
}

}  // namespace

}  // namespace vexmire
