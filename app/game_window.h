#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include <QImage>
#include <QWidget>

#include "app/dialog_key_guard.h"
#include "app/pause_sign.h"
#include "game/game.h"
#include "platform/desktop/resting_pointer.h"
#include "platform/painter/filled_frame.h"
#include "platform/painter/frame_layout.h"
#include "platform/qt/qt_platform.h"
#include "platform/qt/shown_scene.h"
#include "platform/qt/tick_driver.h"
#include "session/session.h"

namespace vexmire {

// Form1, the game window: shows the scene and delivers the tick and the keys to the rules
// through the session, which decides whether each may reach them now. While it is shown but
// another application has the keyboard, or while the player has paused it, the game holds still
// and the window says so. P, Pause and F11 are the window's own keys: they pause and go on, and
// show the game full screen and back, and never reach the rules.
class GameWindow : public QWidget {
    Q_OBJECT
  public:
    // The tick starts at once, whether or not the window is ever shown.
    GameWindow(Session& session, QtPlatform& platform, QWidget* parent = nullptr);

    // Draws the game at a whole number of device pixels for each pixel of the game: a square of
    // them shows each one, text included. `ratio` is the device pixels to one of the window
    // system's units (a Wayland output's scale); 0 takes the window's own. Full screen, the
    // screen decides (FrameLayout).
    void SetScale(int devicePixels, qreal ratio = 0);
    // Where the frame lies in the window now, in the screen's pixels.
    FrameLayout Layout() const;

    // Full screen (also before the window is first shown) or back to the window as it was.
    void SetFullScreen(bool fullScreen);
    RestingPointer& pointer() { return pointer_; }

    Game& game() { return session_.game(); }
    TickDriver& ticks() { return ticks_; }
    // Whether the game is holding still because another application has the keyboard.
    bool away() const { return session_.away(); }
    // Paused by the player: no tick and no key reaches the rules, and a held key counts as
    // released. In a replay the script waits, with its dialog, and nothing is released.
    void SetPaused(bool paused);
    bool paused() const { return session_.paused(); }
    // P, Pause and F11, as the window takes them: true for the press and the release of one of
    // them, which then go no further.
    bool TakeWindowKey(const QKeyEvent& key);
    // A replay: the keyboard and the focus no longer reach the rules; each tick that falls due
    // calls `step` instead, which delivers the script's events, and the ticks stop for good
    // once `step` says the script is over.
    void PlayFromScript(std::function<bool()> step);
    // The replay's speed, for the title.
    void ShowReplaySpeed(int speed);

    // Lets the game rest: once a tick changes nothing, the process sleeps until the next event,
    // and the ticks it slept through are counted on the same grid (the real game; a replay
    // ticks as its script says).
    void LetRest();

    // A game key pressed or let go on the keyboard or on a controller, on its way to the rules.
    // A key let go inside one of the game's dialogs stops the figure once it has closed.
    void PressKey(int16_t code);
    void ReleaseKey(int16_t code);
    const DialogKeyGuard& dialogKeys() const { return *dialogKeys_; }

    // Hands `event` to the session and shows what it changed.
    Session::Outcome Deliver(const PlayerEvent& event);
    void RunTick() { Deliver(PlayerEvent::Ticks(1)); }

  protected:
    bool event(QEvent* event) override;
    void changeEvent(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    // Tab is a key of the game like any other, not a move to another control.
    bool focusNextPrevChild(bool next) override;

  private:
    void OnTickDue();
    void LeaveKeyboard();
    void ReturnKeyboard();
    void ReleaseHeldKeys();
    void UpdatePacing();
    void ShowNote();
    void FitToWindowState();
    void FreeTheSize();
    int DeviceRatio() const;
    // The window's area that shows a region of the game's pixels.
    QRegion WindowArea(const QRegion& game) const;
    void PaintWhole(QPainter& painter, const FrameLayout& layout, const QRegion& screen);
    void PaintFilled(QPainter& painter, const FrameLayout& layout, const QRegion& screen);

    Session& session_;
    QtPlatform& platform_;
    TickDriver ticks_;
    ShownScene shown_;
    DialogKeyGuard* dialogKeys_;
    std::vector<int16_t> heldKeys_;  // pressed in this window and not yet released
    std::function<bool()> scriptStep_;
    RestingPointer pointer_;
    WindowNote note_;
    int scale_ = 1;     // device pixels for each pixel of the game, in a window
    qreal ratio_ = 1;   // device pixels for each of the window system's units
    // The game's picture at its own pixels, from which the screen's are drawn at any scale.
    QImage frame_;
    // The picture filling a full screen's height, where no whole factor of 2 or more fits.
    FilledFrame filled_;
};

}  // namespace vexmire
