#pragma once

#include <cstddef>
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "game/platform.h"

namespace vexmire {

// One call the rules or the shell made to the platform.
struct PlatformCall {
    enum class Kind { Window, Message, Prompt, Beep, End };
    Kind kind;
    std::string text;    // message or prompt text
    std::string title;   // dialog title
    std::string answer;  // what a prompt returned
    Window window = Window::Game;
    bool visible = false;

    friend bool operator==(const PlatformCall&, const PlatformCall&) = default;
};

// A platform without a window system: records every call, answers prompts from a queue
// (the empty text, as Cancel, when the queue is empty) and ends the program by throwing
// ProgramEnded, so that nothing after EndProgram runs.
class HeadlessPlatform : public Platform {
  public:
    // Whether calls() keeps what was reported. The rules' tests read the calls back; a driver
    // that prints each call as it happens keeps none, so that a script of any length runs in
    // the same memory.
    enum class CallLog { Keep, ReportOnly };

    explicit HeadlessPlatform(CallLog log = CallLog::Keep) : log_(log) {}

    void ShowMessageBox(const std::string& text, const std::string& title) override;
    std::string PromptForText(const std::string& prompt, const std::string& title) override;
    void SoundBeep() override;
    [[noreturn]] void EndProgram() override;
    void SetWindowVisible(Window window, bool visible) override;

    void QueueAnswer(std::string answer) override { answers_.push_back(std::move(answer)); }
    size_t queuedAnswers() const { return answers_.size(); }

    const std::vector<PlatformCall>& calls() const { return calls_; }
    void ClearCalls() { calls_.clear(); }
    bool ended() const { return ended_; }
    bool IsVisible(Window window) const;

    // Called after each call, kept or not, so that a driver can report events as they happen.
    void SetObserver(std::function<void(const PlatformCall&)> observer) {
        observer_ = std::move(observer);
    }

  private:
    void Record(PlatformCall call);

    std::deque<std::string> answers_;
    std::vector<PlatformCall> calls_;
    std::function<void(const PlatformCall&)> observer_;
    CallLog log_;
    bool gameVisible_ = false;
    bool titleVisible_ = false;
    bool ended_ = false;
};

}  // namespace vexmire
