#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "script/player_event.h"

namespace vexmire {

class GameAndWindows;
class QtPlatform;

// A script played back in the real windows at the game's own pace: each tick that falls due
// runs the script's events up to its next tick, then that tick. Only what a player does is
// taken (newgame, quit, keys, ticks, answers; state lines are passed over), all of it checked
// before any window opens.
class Replay {
  public:
    // How long a dialog stays open before the replay closes it, so that a watcher can read it.
    static constexpr std::chrono::milliseconds kReadingTime{1500};
    // The most events delivered at one tick that falls due; a player's own come a few a tick.
    static constexpr int kMostEventsAStep = 256;

    // The script at `path` ("-": standard input), read and checked. A failure is `status` 1 (the
    // file cannot be read) or 2 (a script too long, or a line that is malformed or not a
    // player's, named as FILE:LINE), with a one-line `message`.
    struct Loaded;
    static Loaded Load(const std::string& path);

    // Takes over both windows and the dialogs: from now on only the script reaches the rules.
    // Each dialog stays open for `readingTime`.
    void PlayIn(GameAndWindows& windows, QtPlatform& platform,
                std::chrono::milliseconds readingTime = kReadingTime);

  private:
    // Delivers the events up to and including the next tick, or the next kMostEventsAStep of
    // them; false once the script is over.
    bool Step();

    std::vector<PlayerEvent> events_;
    size_t next_ = 0;
    int32_t ticksLeft_ = -1;  // of the tick at next_, once started
    GameAndWindows* windows_ = nullptr;
};

struct Replay::Loaded {
    Replay replay;
    int status = 0;
    std::string message;
};

}  // namespace vexmire
