#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <functional>

#include <QApplication>
#include <QCoreApplication>
#include <QDialog>
#include <QImage>
#include <QKeyEvent>
#include <QScreen>
#include <QTimer>
#include <QWidget>

#include "app/game_window.h"
#include "app/game_and_windows.h"
#include "app/title_window.h"
#include "game/game.h"
#include "game/shell.h"
#include "platform/qt/qt_platform.h"
#include "platform/qt/tick_driver.h"

namespace vexmire {

// A clock that moves only when the test moves it.
class TestClock {
  public:
    using Clock = TickDriver::Clock;

    std::function<Clock::time_point()> Reader() {
        return [this] { return now_; };
    }
    void Advance(Clock::duration by) { now_ += by; }

  private:
    Clock::time_point now_ = Clock::time_point{} + std::chrono::hours(1);
};

// The real windows of the game, started as the program starts it, with the beep and the end
// of the program counted instead of heard and left, and the tick paced by the test's clock.
class QtGameTest : public ::testing::Test {
  protected:
    QtGameTest()
        : windows(platform),
          game(windows.game),
          gameWindow(windows.gameWindow),
          titleWindow(windows.titleWindow) {
        platform.SetBeep([this] { ++beeps; });
        platform.SetExit([this] { ++exits; });
        gameWindow.ticks().SetClock(clock.Reader());
        Form_Load(game);
    }
    ~QtGameTest() override {
        gameWindow.hide();
        titleWindow.hide();
    }

    // Moves the clock to the next tick's deadline and lets the driver see it.
    void NextTick() {
        clock.Advance(TickDriver::kPeriod);
        gameWindow.ticks().Poll();
    }
    int64_t ticksRun() { return gameWindow.ticks().ticksRun(); }
    // Ticks, each followed by the repaint it asked for.
    void Play(int ticks) {
        for (int n = 0; n < ticks; ++n) {
            NextTick();
            QCoreApplication::processEvents();
        }
    }
    // What the game window shows now, once every pending repaint has been done.
    QImage Shown() {
        QCoreApplication::processEvents();
        return gameWindow.screen()
            ->grabWindow(gameWindow.winId())
            .toImage()
            .convertToFormat(QImage::Format_RGB32);
    }

    void NewGame() {
        titleWindow.cmdRun()->click();
        QCoreApplication::processEvents();
    }

    void SendKey(QWidget* widget, QEvent::Type type, int key, bool autoRepeat = false,
                 Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QKeyEvent event(type, key, modifiers, QString(), autoRepeat);
        QCoreApplication::sendEvent(widget, &event);
    }

    // Runs `act` on the game's dialog as soon as the next one is open, from inside its own
    // event loop, the way a player's click would reach it. Never after the test has ended.
    void WhenDialogOpens(std::function<void(QDialog*)> act) {
        QTimer::singleShot(0, &gameWindow, [act = std::move(act)] { act(OpenDialog()); });
    }
    static QDialog* OpenDialog() {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            auto* dialog = qobject_cast<QDialog*>(widget);
            if (dialog != nullptr && dialog->isVisible()) return dialog;
        }
        return nullptr;
    }

    Entity& player() { return *game.level.player; }

    TestClock clock;
    QtPlatform platform;
    GameAndWindows windows;
    Game& game;
    GameWindow& gameWindow;
    TitleWindow& titleWindow;
    int beeps = 0;
    int exits = 0;
};

}  // namespace vexmire
