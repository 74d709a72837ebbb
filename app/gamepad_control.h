#pragma once

#include <QObject>
#include <QTimer>

#include "app/game_window.h"
#include "app/title_window.h"
#include "game/controller_mapping.h"
#include "platform/desktop/x11_key_repeat.h"
#include "platform/gamepad/game_controllers.h"
#include "platform/qt/qt_platform.h"

namespace vexmire {

// The game controller as the game's windows take it. In the game window its directions, South
// and East are the keys the keyboard sends (arrows, Space, Enter), held and repeated as held
// keys are, and Start pauses and goes on as P does; on the title South or Start chooses New
// Game, and in a message they answer OK. Unplugging the controller pauses the game. While
// another application has the keyboard the controller does nothing.
class GamepadControl : public QObject {
  public:
    GamepadControl(GameControllers& controllers, GameWindow& gameWindow, TitleWindow& titleWindow,
                   QtPlatform& platform, QObject* parent = nullptr);

    void Take(const ControllerState& state);
    void Lost();
    // Sends the held keys' repeats now, as the repeat's timer does.
    void Repeat();
    bool repeating() const { return repeat_.isActive(); }

  private:
    void PlayInGame(const ControllerChange& change);
    void AnswerMessage();
    void ScheduleRepeat(const ControllerChange& change);
    bool GameTakesIt() const;

    GameWindow& gameWindow_;
    TitleWindow& titleWindow_;
    QtPlatform& platform_;
    ControllerMapping mapping_;
    QTimer repeat_;
    KeyRepeat keyRepeat_;  // the desktop's, as a held key repeats
    bool pauseAfterDialog_ = false;
};

}  // namespace vexmire
