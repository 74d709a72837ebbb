#include "game/script_recorder.h"

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

void ScriptRecorder::NewGame() {
    WriteTicks();
    WriteLine("newgame");
}

void ScriptRecorder::Quit() {
    WriteTicks();
    WriteLine("quit");
}

void ScriptRecorder::KeyDown(int16_t code) {
    WriteTicks();
    WriteLine("keydown " + std::to_string(code));
}

void ScriptRecorder::KeyUp(int16_t code) {
    WriteTicks();
    WriteLine("keyup " + std::to_string(code));
}

void ScriptRecorder::TickRan() {
    if (++pendingTicks_ == kLongestTickRun) WriteTicks();
}

void ScriptRecorder::Answer(const std::string& text) {
    WriteTicks();
    // The prompt's field holds one line; a line end in it would end the script's line.
    std::string oneLine = text;
    for (char& c : oneLine) {
        if (c == '\n' || c == '\r') c = ' ';
    }
    WriteLine(oneLine.empty() ? "answer" : "answer " + oneLine);
}

void ScriptRecorder::Finish() {
    WriteTicks();
}

void ScriptRecorder::WriteTicks() {
    if (pendingTicks_ == 0) return;
    const int ticks = pendingTicks_;
    pendingTicks_ = 0;
    WriteLine("tick " + std::to_string(ticks));
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
