#include "game/script_recorder.h"

#include <utility>

namespace vexmire {

ScriptRecorder::ScriptRecorder(std::ostream& out, std::string name, std::ostream& errors)
    : out_(out), name_(std::move(name)), errors_(errors) {}

bool ScriptRecorder::Begin() {
    out_ << "# vexmire " VEXMIRE_VERSION
            " recording: play it again with vexmire-sim or "
            "vexmire --replay\n";
    out_.flush();
    stopped_ = !out_;
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
    if (stopped_) return;
    out_ << line << '\n';
    out_.flush();
    if (out_) return;
    stopped_ = true;
    errors_ << "vexmire: stopped recording: " << name_
            << " could not be written (is the disk full?); the game goes on\n";
    errors_.flush();
}

}  // namespace vexmire
