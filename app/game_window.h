#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include <QImage>
#include <QWidget>

#include "game/game.h"
#include "script/script_recorder.h"
#include "platform/qt/qt_platform.h"
#include "platform/qt/shown_scene.h"
#include "platform/qt/tick_driver.h"

namespace vexmire {

// Form1, the game window: shows the scene and delivers the tick and the keys to the rules,
// one handler at a time and never while a dialog is open or after the program has ended.
// While it is shown but another application has the keyboard, the game holds still.
class GameWindow : public QWidget {
    Q_OBJECT
  public:
    // The tick starts at once, whether or not the window is ever shown.
    GameWindow(Game& game, QtPlatform& platform, QWidget* parent = nullptr);

    // Draws the game at a whole number of screen pixels for each pixel of the game: a square of
    // them shows each one, text included.
    void SetScale(int scale);
    int scale() const { return scale_; }

    Game& game() { return game_; }
    TickDriver& ticks() { return ticks_; }
    // Whether the game is holding still because another application has the keyboard.
    bool away() const { return away_; }

    // Every event that reaches the rules from now on is also written to `recorder`.
    void RecordTo(ScriptRecorder* recorder) { recorder_ = recorder; }
    // A replay: the keyboard and the focus no longer reach the rules; each tick that falls due
    // calls `step` instead, which delivers the script's events, and the ticks stop for good
    // once `step` says the script is over.
    void PlayFromScript(std::function<bool()> step);

    // The three ways into the rules, each refused while a dialog is open or after the end.
    void RunTick();
    void RunKeyDown(int16_t code, int16_t shift);
    void RunKeyUp(int16_t code, int16_t shift);

  protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    // Tab is a key of the game like any other, not a move to another control.
    bool focusNextPrevChild(bool next) override;

  private:
    // How a handler of the rules came back.
    using Outcome = QtPlatform::HandlerEnd;

    bool MayDeliver() const;
    template <typename Handler>
    std::optional<Outcome> Deliver(Handler handler);
    void OnTickDue();
    void LeaveKeyboard();
    void ReturnKeyboard();
    void UpdatePacing();

    Game& game_;
    QtPlatform& platform_;
    TickDriver ticks_;
    ShownScene shown_;
    std::vector<int16_t> heldKeys_;  // pressed in this window and not yet released
    ScriptRecorder* recorder_ = nullptr;
    std::function<bool()> scriptStep_;
    bool away_ = false;
    bool inHandler_ = false;
    int scale_ = 1;
    // The game's picture at its own pixels, from which the screen's are drawn at any scale.
    QImage frame_;
};

}  // namespace vexmire
