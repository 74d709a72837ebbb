#include <gtest/gtest.h>

#include <vector>

#include <QCoreApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QWindow>

#include "platform/desktop/release_hold_back.h"
#include "tests/qt_game_fixture.h"

namespace vexmire {

namespace {

struct KeySeen {
    QEvent::Type type;
    int key;
    bool operator==(const KeySeen&) const = default;
};

// A window that notes every key event that reaches it.
class KeyLog : public QWindow {
  public:
    std::vector<KeySeen> seen;

  protected:
    void keyPressEvent(QKeyEvent* event) override { seen.push_back({event->type(), event->key()}); }
    void keyReleaseEvent(QKeyEvent* event) override {
        seen.push_back({event->type(), event->key()});
    }
};

void Send(QObject* receiver, QEvent::Type type, int key, ulong time, bool autoRepeat = false) {
    QKeyEvent event(type, key, Qt::NoModifier, static_cast<quint32>(key), 0, 0, QString(),
                    autoRepeat);
    event.setTimestamp(time);
    QCoreApplication::sendEvent(receiver, &event);
}

constexpr KeySeen kRightDown{QEvent::KeyPress, Qt::Key_Right};
constexpr KeySeen kRightUp{QEvent::KeyRelease, Qt::Key_Right};
constexpr KeySeen kDownDown{QEvent::KeyPress, Qt::Key_Down};

// The releases of a key repeated as release/press pairs that Qt did not pair up.
class ReleaseHoldBackTest : public ::testing::Test {
  protected:
    ReleaseHoldBackTest() { window.installEventFilter(&holdBack); }

    KeyLog window;
    ReleaseHoldBack holdBack;
};

TEST_F(ReleaseHoldBackTest, ARepeatsReleaseIsDroppedWhenThePressWithItsTimeFollows) {
    Send(&window, QEvent::KeyPress, Qt::Key_Right, 100);
    Send(&window, QEvent::KeyRelease, Qt::Key_Right, 760);
    EXPECT_TRUE(holdBack.holding());
    EXPECT_EQ(window.seen, (std::vector<KeySeen>{kRightDown}));
    Send(&window, QEvent::KeyPress, Qt::Key_Right, 760);
    EXPECT_FALSE(holdBack.holding());
    EXPECT_EQ(window.seen, (std::vector<KeySeen>{kRightDown, kRightDown}));
    // Pairs that Qt recognised go through as they are.
    Send(&window, QEvent::KeyRelease, Qt::Key_Right, 800, true);
    Send(&window, QEvent::KeyPress, Qt::Key_Right, 800, true);
    EXPECT_EQ(window.seen.size(), 4U);
}

TEST_F(ReleaseHoldBackTest, ARealReleaseReachesTheWindowOnceTheMomentHasPassed) {
    Send(&window, QEvent::KeyRelease, Qt::Key_Right, 100);
    // A busy machine may take tens of milliseconds to read the press after a repeat's release.
    QCoreApplication::processEvents();
    EXPECT_TRUE(holdBack.holding());
    EXPECT_GE(holdBack.holdingFor(), std::chrono::milliseconds(40));
    EXPECT_TRUE(window.seen.empty());
    holdBack.LetTheReleaseThrough();
    EXPECT_EQ(window.seen, (std::vector<KeySeen>{kRightUp}));
    EXPECT_FALSE(holdBack.holding());
}

TEST_F(ReleaseHoldBackTest, AnyOtherKeyEventLetsTheHeldReleaseThroughFirstInItsPlace) {
    Send(&window, QEvent::KeyRelease, Qt::Key_Right, 100);
    Send(&window, QEvent::KeyPress, Qt::Key_Down, 100);
    // The same key pressed again later is a new press after a real release.
    Send(&window, QEvent::KeyRelease, Qt::Key_Right, 200);
    Send(&window, QEvent::KeyPress, Qt::Key_Right, 230);
    EXPECT_EQ(window.seen, (std::vector<KeySeen>{kRightUp, kDownDown, kRightUp, kRightDown}));
    Send(&window, QEvent::KeyRelease, Qt::Key_Right, 300);
    Send(&window, QEvent::KeyRelease, Qt::Key_Down, 300);
    EXPECT_EQ(window.seen.size(), 5U);
    EXPECT_TRUE(holdBack.holding());
}

TEST_F(ReleaseHoldBackTest, AWindowLosingTheKeyboardGetsItsHeldReleaseFirst) {
    Send(&window, QEvent::KeyRelease, Qt::Key_Right, 100);
    QFocusEvent focusOut(QEvent::FocusOut, Qt::ActiveWindowFocusReason);
    QCoreApplication::sendEvent(&window, &focusOut);
    EXPECT_EQ(window.seen, (std::vector<KeySeen>{kRightUp}));
}

// The game window behind the filter, as on an X server without detectable repeat.
class HeldKeysInTheGameTest : public QtGameTest {
  protected:
    HeldKeysInTheGameTest() {
        NewGame();
        gameWindow.windowHandle()->installEventFilter(&holdBack);
    }
    void Repeat(int key, ulong time) {
        Send(gameWindow.windowHandle(), QEvent::KeyRelease, key, time);
        NextTick();  // the press is late: a tick runs between the two
        Send(gameWindow.windowHandle(), QEvent::KeyPress, key, time);
    }

    ReleaseHoldBack holdBack;
};

TEST_F(HeldKeysInTheGameTest, TwoHeldArrowsWalkDiagonallyThroughUnpairedRepeats) {
    Send(gameWindow.windowHandle(), QEvent::KeyPress, Qt::Key_Right, 100);
    Send(gameWindow.windowHandle(), QEvent::KeyPress, Qt::Key_Down, 300);
    for (ulong time = 960; time < 1600; time += 40) Repeat(Qt::Key_Down, time);
    EXPECT_EQ(game.vars.playerDX, 2);
    EXPECT_EQ(game.vars.playerDY, 2);
    Send(gameWindow.windowHandle(), QEvent::KeyRelease, Qt::Key_Down, 1700);
    holdBack.LetTheReleaseThrough();
    EXPECT_EQ(game.vars.playerDX, 0);
    EXPECT_EQ(game.vars.playerDY, 0);
}

}  // namespace

}  // namespace vexmire
