#include "platform/gamepad/game_controllers.h"

#include <SDL.h>

namespace vexmire {

namespace {

constexpr char kInputDevices[] = "/dev/input";

struct ButtonOf {
    ControllerButton button;
    SDL_GameControllerButton sdl;
};

constexpr ButtonOf kButtons[] = {
    {ControllerButton::South, SDL_CONTROLLER_BUTTON_A},
    {ControllerButton::East, SDL_CONTROLLER_BUTTON_B},
    {ControllerButton::Start, SDL_CONTROLLER_BUTTON_START},
    {ControllerButton::DpadUp, SDL_CONTROLLER_BUTTON_DPAD_UP},
    {ControllerButton::DpadDown, SDL_CONTROLLER_BUTTON_DPAD_DOWN},
    {ControllerButton::DpadLeft, SDL_CONTROLLER_BUTTON_DPAD_LEFT},
    {ControllerButton::DpadRight, SDL_CONTROLLER_BUTTON_DPAD_RIGHT},
};

// The game says nothing about controllers, whatever SDL would like to say.
void KeepQuiet(void* /*data*/, int /*category*/, SDL_LogPriority /*priority*/,
               const char* /*message*/) {}

// SDL stays out of the window system and out of the game's own handling of stop signals. Every
// controller is read through its node in the folder of input devices, whose events wake the game
// (DeviceWakeups), and SDL learns of new ones from that folder too, as the game does, rather than
// from udev's announcements, which may come after the game has looked.
bool StartSdl() {
    SDL_LogSetOutputFunction(KeepQuiet, nullptr);
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    SDL_SetHint(SDL_HINT_JOYSTICK_HIDAPI, "0");
    SDL_SetHint("SDL_JOYSTICK_DISABLE_UDEV", "1");
    SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
    return SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) == 0;
}

}  // namespace

GameControllers::GameControllers(QObject* parent)
    : QObject(parent), wakeups_([this] { Pump(); }, this) {
    started_ = StartSdl();
    if (!started_) return;
    wakeups_.WatchFolder(kInputDevices);
    Pump();
}

GameControllers::~GameControllers() {
    if (!started_) return;
    Close();
    SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
}

// A handler reached from here may open a dialog, inside which the controller is pumped again:
// every change is taken in before it is reported.
void GameControllers::Pump() {
    if (!started_) return;
    SDL_PumpEvents();
    bool unplugged = false;
    SDL_Event event;
    while (SDL_PeepEvents(&event, 1, SDL_GETEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT) > 0) {
        if (event.type == SDL_CONTROLLERDEVICEREMOVED && event.cdevice.which == instance_) {
            unplugged = true;
        }
    }
    if (unplugged) {
        Close();
        Report(ControllerState{});
        emit lost();
    }
    if (controller_ == nullptr) OpenFirst();
    if (controller_ != nullptr) Report(Read());
}

void GameControllers::OpenFirst() {
    for (int index = 0; index < SDL_NumJoysticks(); ++index) {
        if (!SDL_IsGameController(index)) continue;
        controller_ = SDL_GameControllerOpen(index);
        if (controller_ == nullptr) continue;
        instance_ = SDL_JoystickGetDeviceInstanceID(index);
        const char* path = SDL_JoystickPathForIndex(index);
        wakeups_.WatchDevice(path != nullptr ? path : "");
        return;
    }
}

void GameControllers::Close() {
    if (controller_ == nullptr) return;
    wakeups_.WatchDevice("");
    SDL_GameControllerClose(controller_);
    controller_ = nullptr;
    instance_ = -1;
}

ControllerState GameControllers::Read() const {
    ControllerState state;
    for (const ButtonOf& button : kButtons) {
        state.Set(button.button, SDL_GameControllerGetButton(controller_, button.sdl) == 1);
    }
    state.stickX = SDL_GameControllerGetAxis(controller_, SDL_CONTROLLER_AXIS_LEFTX);
    state.stickY = SDL_GameControllerGetAxis(controller_, SDL_CONTROLLER_AXIS_LEFTY);
    return state;
}

void GameControllers::Report(const ControllerState& state) {
    if (state == last_) return;
    last_ = state;
    emit changed(state);
}

}  // namespace vexmire
