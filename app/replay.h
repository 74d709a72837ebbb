#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include <QKeyEvent>
#include <QObject>

#include "script/player_event.h"

namespace vexmire {

class GameAndWindows;
class QtPlatform;

// A script played back in the real windows at the game's own pace, or 2, 4 or 8 times as fast:
// each tick that falls due runs the script's events up to its next tick, then that tick, as many
// times over as the speed says. Only what a player does is taken (newgame, quit, keys, ticks,
// answers; state lines are passed over), all of it checked before any window opens.
//
// The watcher's keys: Space (or P, or Pause) pauses and goes on, Right or + doubles the speed up
// to 8x, Left or - halves it down to 1x, F11 shows it full screen. No other key and no click
// reaches the windows.
class Replay {
  public:
    // How long a dialog stays open before the replay closes it, so that a watcher can read it:
    // at a higher speed that time divided by the speed, but never less than kShortestReading.
    static constexpr std::chrono::milliseconds kReadingTime{1500};
    static constexpr std::chrono::milliseconds kShortestReading{200};
    static constexpr int kFastest = 8;
    // The most events delivered at one tick that falls due; a player's own come a few a tick.
    static constexpr int kMostEventsAStep = 256;

    // The script at `path` ("-": standard input), read and checked. A failure is `status` 1 (the
    // file cannot be read) or 2 (a script too long, or a line that is malformed or not a
    // player's, named as FILE:LINE), with a one-line `message`.
    struct Loaded;
    static Loaded Load(const std::string& path);

    // Whether `speed` is one the replay plays at: 1, 2, 4 or 8.
    static bool IsSpeed(int speed);

    // Takes over both windows and the dialogs: from now on only the script reaches the rules,
    // at `speed`. Each dialog stays open for `readingTime`, divided by the speed.
    void PlayIn(GameAndWindows& windows, QtPlatform& platform, int speed = 1,
                std::chrono::milliseconds readingTime = kReadingTime);

    int speed() const { return speed_; }
    // A watcher's key, pressed; false for a key the replay has no use for.
    bool TakeKey(const QKeyEvent& key);

  private:
    void SetSpeed(int speed);
    // As many steps as the speed says, fewer once paused or over; false once the script is over.
    bool StepAtSpeed();
    // Delivers the events up to and including the next tick, or the next kMostEventsAStep of
    // them; false once the script is over.
    bool Step();

    std::vector<PlayerEvent> events_;
    size_t next_ = 0;
    int32_t ticksLeft_ = -1;  // of the tick at next_, once started
    GameAndWindows* windows_ = nullptr;
    QtPlatform* platform_ = nullptr;
    std::chrono::milliseconds readingTime_ = kReadingTime;
    int speed_ = 1;
    // Goes with the replay: a blocker left behind would hand the keys to a replay that is gone.
    std::unique_ptr<QObject> inputBlocker_;
};

struct Replay::Loaded {
    Replay replay;
    int status = 0;
    std::string message;
};

}  // namespace vexmire
