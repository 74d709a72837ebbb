#include "script/script_recorder.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <utility>

namespace vexmire {

ScriptRecorder::ScriptRecorder(int fd, std::string name, std::ostream& errors)
    : out_(fd), name_(std::move(name)), errors_(errors) {}

bool ScriptRecorder::Begin() {
    stopped_ = !out_.Write("# vexmire " VEXMIRE_VERSION
                           " recording: play it again with vexmire-sim or vexmire --replay");
    return !stopped_;
}

void ScriptRecorder::Record(const PlayerEvent& event) {
    if (event.kind != PlayerEvent::Kind::Tick) {
        Flush();
        WriteLine(FormatEvent(event));
        return;
    }
    // A run of ticks counted while the game rested may be hours long: a line a second of it.
    for (int32_t left = event.number; left > 0;) {
        const int32_t counted = std::min(left, kLongestTickRun - pendingTicks_);
        pendingTicks_ += counted;
        left -= counted;
        if (pendingTicks_ == kLongestTickRun) Flush();
    }
}

void ScriptRecorder::Flush() {
    if (pendingTicks_ == 0) return;
    const int ticks = std::exchange(pendingTicks_, 0);
    WriteLine(FormatEvent(PlayerEvent::Ticks(ticks)));
}

void ScriptRecorder::WriteLine(const std::string& line) {
    if (stopped_ || out_.Write(line)) return;
    stopped_ = true;
    errors_ << "vexmire: stopped recording: " << name_ << " could not be written ("
            << (out_.error() == EPIPE ? "nothing reads it any more" : std::strerror(out_.error()))
            << "); the recording holds every line up to there, and the game goes on\n";
    errors_.flush();
}

}  // namespace vexmire
