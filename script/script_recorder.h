#pragma once

#include <ostream>
#include <string>

#include "script/line_file.h"
#include "script/player_event.h"

namespace vexmire {

// Writes every event that reaches the rules as a script of vexmire-sim's language, so that the
// game can be played again, headless or in the windows, exactly as it went. Each line goes out
// whole and at once, so that a game ended in any way, even killed, leaves a script that replays
// up to its last line, and a full disk or a reader that went away only ever cuts it between two
// lines. Ticks are written in runs of at most one second.
class ScriptRecorder {
  public:
    static constexpr int kLongestTickRun = 64;

    // `fd` is the recording, open for writing, named `name` to the player; `errors` hears, in
    // one line, that the recording had to stop.
    ScriptRecorder(int fd, std::string name, std::ostream& errors);
    ScriptRecorder(const ScriptRecorder&) = delete;
    ScriptRecorder& operator=(const ScriptRecorder&) = delete;

    // Writes the first line, which names the program. False, and nothing said, when even that
    // cannot be written: the caller reports that the recording could not begin.
    bool Begin();

    // An event that reached the rules. Ticks are counted and written once a second or before
    // the next other event; an answer is the one to the prompt that the tick now running has
    // opened, and so goes before that tick, where a replay must queue it.
    void Record(const PlayerEvent& event);
    // Writes the ticks that are still counted and not yet written: as the game comes to rest,
    // and at its end.
    void Flush();
    void Finish() { Flush(); }

    // Whether the recording stopped because it could not be written.
    bool stopped() const { return stopped_; }
    // The errno of the write that stopped it.
    int writeError() const { return out_.error(); }

  private:
    void WriteLine(const std::string& line);

    LineFile out_;
    std::string name_;
    std::ostream& errors_;
    int pendingTicks_ = 0;
    bool stopped_ = false;
};

}  // namespace vexmire
