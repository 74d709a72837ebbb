#include "app/gamepad_control.h"

#include <algorithm>
#include <utility>

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>

namespace vexmire {

GamepadControl::GamepadControl(GameControllers& controllers, GameWindow& gameWindow,
                               TitleWindow& titleWindow, QtPlatform& platform, QObject* parent)
    : QObject(parent),
      gameWindow_(gameWindow),
      titleWindow_(titleWindow),
      platform_(platform),
      keyRepeat_(DesktopKeyRepeat()) {
    connect(&repeat_, &QTimer::timeout, this, &GamepadControl::Repeat);
    connect(&controllers, &GameControllers::changed, this, &GamepadControl::Take);
    connect(&controllers, &GameControllers::lost, this, &GamepadControl::Lost);
    // Once the handler that opened the dialog has finished too.
    connect(&platform_, &QtPlatform::dialogClosed, this, [this] {
        if (!std::exchange(pauseAfterDialog_, false)) return;
        QTimer::singleShot(0, this, [this] { gameWindow_.SetPaused(true); });
    });
}

// The dialog first, which holds the game still; then whichever window is shown.
void GamepadControl::Take(const ControllerState& state) {
    const ControllerChange change = mapping_.Update(state);
    ScheduleRepeat(change);
    if (platform_.dialogOpen()) {
        // A direction let go in the dialog still stops the figure once it has closed.
        for (const GameKey& key : change.keys) {
            if (!key.down) gameWindow_.ReleaseKey(key.code);
        }
        if (change.confirmed) AnswerMessage();
    } else if (titleWindow_.isVisible()) {
        if (change.confirmed) titleWindow_.PressNewGame();
    } else if (GameTakesIt()) {
        PlayInGame(change);
    }
}

bool GamepadControl::GameTakesIt() const {
    return gameWindow_.isVisible() && !gameWindow_.away();
}

void GamepadControl::PlayInGame(const ControllerChange& change) {
    for (const GameKey& key : change.keys) {
        if (key.down) {
            gameWindow_.PressKey(key.code);
        } else {
            gameWindow_.ReleaseKey(key.code);
        }
    }
    if (change.pauseToggled) gameWindow_.SetPaused(!gameWindow_.paused());
}

// As on the keyboard, a press in the dialog's first moment is taken for a reflex and passed
// over; a button held since before it opened never presses anything (only a press counts).
// The keypad's prompt asks for a code, which is typed.
void GamepadControl::AnswerMessage() {
    auto* message = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (message == nullptr || gameWindow_.dialogKeys().settling()) return;
    if (QAbstractButton* ok = message->button(QMessageBox::Ok)) ok->click();
}

// A new key restarts the repeat after its delay; letting go of one key keeps the others'
// repeats going, and the next one starts the walk again that the key-up stopped.
void GamepadControl::ScheduleRepeat(const ControllerChange& change) {
    if (mapping_.RepeatingKeys().empty()) {
        repeat_.stop();
        return;
    }
    const bool pressed = std::any_of(change.keys.begin(), change.keys.end(),
                                     [](const GameKey& key) { return key.down; });
    if (pressed || !repeat_.isActive()) repeat_.start(keyRepeat_.delay);
}

void GamepadControl::Repeat() {
    repeat_.setInterval(keyRepeat_.interval);
    if (platform_.dialogOpen() || !GameTakesIt()) return;
    for (const int16_t code : mapping_.RepeatingKeys()) gameWindow_.PressKey(code);
}

// As console games do: the game waits for the player to plug the controller back in, or to
// go on with the keyboard. The controller's keys were let go as it was unplugged, before this. A
// dialog holds the game still by itself, and the pause waits for it.
void GamepadControl::Lost() {
    if (!gameWindow_.isVisible()) return;
    if (platform_.dialogOpen()) {
        pauseAfterDialog_ = true;
    } else {
        gameWindow_.SetPaused(true);
    }
}

}  // namespace vexmire
