#pragma once

#include <QObject>

#include "game/controller_mapping.h"
#include "platform/gamepad/device_wakeups.h"

struct _SDL_GameController;

namespace vexmire {

// The player's game controller, through SDL's game-controller part alone: no SDL window, no
// video, no signal handlers of SDL's. One controller is in use at a time, the first attached;
// when it is unplugged, the next one attached takes over. Without SDL's devices (no access to
// them, or SDL failing to start) nothing happens and nothing is said. The controller is read
// only when the kernel says something changed (DeviceWakeups), or when Pump is called.
class GameControllers : public QObject {
    Q_OBJECT
  public:
    explicit GameControllers(QObject* parent = nullptr);
    ~GameControllers() override;
    GameControllers(const GameControllers&) = delete;
    GameControllers& operator=(const GameControllers&) = delete;

    bool inUse() const { return controller_ != nullptr; }

    // Takes in what the controllers did since the last time: plugged in, unplugged, buttons and
    // stick.
    void Pump();

  signals:
    // The controller in use now stands so (also all let go, as it is unplugged).
    void changed(const vexmire::ControllerState& state);
    // The controller in use was unplugged.
    void lost();

  private:
    void OpenFirst();
    void Close();
    ControllerState Read() const;
    void Report(const ControllerState& state);

    DeviceWakeups wakeups_;
    _SDL_GameController* controller_ = nullptr;
    int instance_ = -1;
    ControllerState last_;
    bool started_ = false;
};

}  // namespace vexmire
