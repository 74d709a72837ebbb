#include <gtest/gtest.h>

#include <sstream>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <SDL.h>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include "app/gamepad_control.h"
#include "game/hints.h"
#include "platform/gamepad/device_wakeups.h"
#include "platform/gamepad/game_controllers.h"
#include "script/script_recorder.h"
#include "tests/memory_file.h"
#include "tests/qt_game_fixture.h"

namespace vexmire {

// A controller plugged into the real windows: SDL's virtual controller in the process, which
// needs no device, read by the game's own controller code.
namespace {

class GamepadTest : public QtGameTest {
  protected:
    GamepadTest()
        : recorder(recording.fd(), "r", errors),
          control(controllers, gameWindow, titleWindow, platform) {
        windows.RecordTo(recorder);
        SDL_VirtualJoystickDesc desc{};
        desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
        desc.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
        desc.naxes = SDL_CONTROLLER_AXIS_MAX;
        desc.nbuttons = SDL_CONTROLLER_BUTTON_MAX;
        // Every axis and button of a controller, numbered as SDL numbers a controller's.
        desc.axis_mask = (1u << SDL_CONTROLLER_AXIS_MAX) - 1;
        desc.button_mask = (1u << SDL_CONTROLLER_BUTTON_MAX) - 1;
        desc.name = "Virtual controller";
        device = SDL_JoystickAttachVirtualEx(&desc);
        pad = SDL_JoystickOpen(device);
        controllers.Pump();
    }
    ~GamepadTest() override { Unplug(); }

    void Button(SDL_GameControllerButton button, bool down) {
        SDL_JoystickSetVirtualButton(pad, button, down ? 1 : 0);
        controllers.Pump();
    }
    void Stick(int16_t x, int16_t y) {
        SDL_JoystickSetVirtualAxis(pad, SDL_CONTROLLER_AXIS_LEFTX, x);
        SDL_JoystickSetVirtualAxis(pad, SDL_CONTROLLER_AXIS_LEFTY, y);
        controllers.Pump();
    }
    void Unplug() {
        if (pad == nullptr) return;
        SDL_JoystickClose(pad);
        pad = nullptr;
        SDL_JoystickDetachVirtual(device);
        controllers.Pump();
    }
    std::string Recorded() {
        recorder.Finish();
        return recording.Text();
    }

    MemoryFile recording;
    std::ostringstream errors;
    ScriptRecorder recorder;
    GameControllers controllers;
    GamepadControl control;
    int device = -1;
    SDL_Joystick* pad = nullptr;
};

TEST_F(GamepadTest, TheStickWalksSouthFiresAndEastActsRecordedAsTheKeyboardsCodes) {
    ASSERT_TRUE(controllers.inUse());
    NewGame();
    Stick(32767, 0);
    EXPECT_EQ(game.vars.playerDX, 2);
    EXPECT_TRUE(control.repeating());
    NextTick();
    Button(SDL_CONTROLLER_BUTTON_A, true);
    control.Repeat();
    EXPECT_EQ(game.vars.shotsFired, 2);
    // Letting go of South stops the figure, as Space's release does; the stick's next repeat
    // walks on.
    Button(SDL_CONTROLLER_BUTTON_A, false);
    EXPECT_EQ(game.vars.playerDX, 0);
    control.Repeat();
    EXPECT_EQ(game.vars.playerDX, 2);
    Stick(0, 0);
    EXPECT_FALSE(control.repeating());
    Button(SDL_CONTROLLER_BUTTON_B, true);
    Button(SDL_CONTROLLER_BUTTON_B, false);
    EXPECT_EQ(Recorded(),
              "newgame\nkeydown 39\ntick 1\nkeydown 32\nkeydown 39\nkeydown 32\nkeyup 32\n"
              "keydown 39\nkeyup 39\nkeydown 13\nkeyup 13\n");
}

TEST_F(GamepadTest, StartPausesAndGoesOnWithoutReachingTheRules) {
    NewGame();
    Button(SDL_CONTROLLER_BUTTON_START, true);
    EXPECT_TRUE(gameWindow.paused());
    Button(SDL_CONTROLLER_BUTTON_START, false);
    Button(SDL_CONTROLLER_BUTTON_START, true);
    EXPECT_FALSE(gameWindow.paused());
    EXPECT_EQ(Recorded(), "newgame\n");
}

TEST_F(GamepadTest, OnTheTitleSouthChoosesNewGame) {
    ASSERT_TRUE(titleWindow.isVisible());
    Button(SDL_CONTROLLER_BUTTON_A, true);
    EXPECT_TRUE(gameWindow.isVisible());
    EXPECT_FALSE(titleWindow.isVisible());
}

TEST_F(GamepadTest, InAMessageSouthAnswersOkOnceItsFirstMomentHasPassed) {
    NewGame();
    game.level.tip->caption = hint::kDefuseBomb;
    bool stillOpen = false;
    WhenDialogOpens([&](QDialog* dialog) {
        ASSERT_NE(dialog, nullptr);
        Button(SDL_CONTROLLER_BUTTON_A, true);
        Button(SDL_CONTROLLER_BUTTON_A, false);
        stillOpen = dialog->isVisible();
        clock.Advance(DialogKeyGuard::kSettling);
        Button(SDL_CONTROLLER_BUTTON_A, true);
        if (dialog->isVisible()) dialog->reject();
    });
    Button(SDL_CONTROLLER_BUTTON_B, true);
    EXPECT_TRUE(stillOpen) << "a reflex press answered the message";
    EXPECT_EQ(exits, 1) << "South did not answer the winning message";
}

TEST_F(GamepadTest, UnpluggingTheControllerLetsGoOfItsKeysAndPausesTheGame) {
    NewGame();
    Stick(0, -32767);
    EXPECT_EQ(game.vars.playerDY, -2);
    Unplug();
    EXPECT_FALSE(controllers.inUse());
    EXPECT_TRUE(gameWindow.paused());
    EXPECT_EQ(game.vars.playerDY, 0);
    EXPECT_FALSE(control.repeating());
    EXPECT_EQ(Recorded(), "newgame\nkeydown 38\nkeyup 38\n");
}

// Both at the keypad, whose prompt the next tick opens.
TEST_F(GamepadTest, AStickLetGoInsideADialogStopsTheFigureOnceItHasClosed) {
    NewGame();
    player().SetLeft(140);
    player().SetTop(480);
    Stick(32767, 0);
    WhenDialogOpens([&](QDialog* dialog) {
        ASSERT_NE(dialog, nullptr);
        Stick(0, 0);
        dialog->reject();
    });
    NextTick();
    EXPECT_EQ(game.vars.playerDX, 0) << "the figure walks on by itself";
}

TEST_F(GamepadTest, UnpluggedInsideADialogTheGamePausesOnceTheDialogHasClosed) {
    NewGame();
    player().SetLeft(140);
    player().SetTop(480);
    WhenDialogOpens([&](QDialog* dialog) {
        ASSERT_NE(dialog, nullptr);
        Unplug();
        EXPECT_FALSE(gameWindow.paused());
        dialog->reject();
    });
    NextTick();
    EXPECT_TRUE(QTest::qWaitFor([&] { return gameWindow.paused(); }));
}

// The kernel wakes the game for a device that came or sent an event; a device that has gone is
// no longer listened to, which would otherwise wake the game without end.
TEST(DeviceWakeups, ANewDeviceOrAnEventWakesTheGameAndADeviceGoneIsLeftAlone) {
    QTemporaryDir folder;
    int wakes = 0;
    DeviceWakeups wakeups([&] { ++wakes; });
    wakeups.WatchFolder(folder.path().toStdString());
    QFile(folder.filePath("event7")).open(QIODevice::WriteOnly);
    EXPECT_TRUE(QTest::qWaitFor([&] { return wakes > 0; }));

    const std::string device = folder.filePath("device").toStdString();
    ASSERT_EQ(mkfifo(device.c_str(), 0600), 0);
    wakeups.WatchDevice(device);
    const int writer = open(device.c_str(), O_WRONLY | O_NONBLOCK);
    ASSERT_GE(writer, 0);
    wakes = 0;
    ASSERT_EQ(write(writer, "event", 5), 5);
    EXPECT_TRUE(QTest::qWaitFor([&] { return wakes > 0; }));
    close(writer);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !wakeups.watchingDevice(); }));
}

}  // namespace

}  // namespace vexmire
