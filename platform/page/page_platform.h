#pragma once

#include <deque>
#include <functional>
#include <string>
#include <string_view>

#include "game/platform.h"

namespace vexmire {

// A dialog that the rules open, as the page shows it.
struct PageDialog {
    enum class Kind { Message, Prompt };
    Kind kind = Kind::Message;
    std::string text;
    std::string title;

    friend bool operator==(const PageDialog&, const PageDialog&) = default;
};

// What the prompt gives the rules for the text the player typed: well-formed UTF-8, a malformed
// sequence replaced by U+FFFD, and no longer than the desktop's field takes (kLongestAnswer
// UTF-16 code units).
std::string PromptAnswer(std::string_view typed);

// The browser's window system. A page cannot wait inside a tick for the player, so it asks the
// player before the handler runs for real, and the handler's dialogs are answered from what the
// player said: each message box takes one answer (OK), each prompt one typed text, in the order
// the handler opens them. A replay's answers come first, as on the desktop.
class PagePlatform : public Platform {
  public:
    // What the page does for the rules; each may be left empty.
    struct Hooks {
        std::function<void()> beep;
        std::function<void(Window window, bool visible)> showWindow;
        std::function<void()> end;
    };

    explicit PagePlatform(Hooks hooks) : hooks_(std::move(hooks)) {}

    // The answers to the dialogs that the next handler opens, in their order.
    void SetDialogAnswers(std::deque<std::string> answers) { answers_ = std::move(answers); }
    const std::deque<std::string>& scriptedAnswers() const { return scripted_; }
    bool IsVisible(Window window) const;

    void ShowMessageBox(const std::string& text, const std::string& title) override;
    std::string PromptForText(const std::string& prompt, const std::string& title) override;
    void SoundBeep() override;
    [[noreturn]] void EndProgram() override;
    void SetWindowVisible(Window window, bool visible) override;
    void QueueAnswer(std::string answer) override { scripted_.push_back(std::move(answer)); }

  private:
    std::string NextAnswer(const char* dialog);

    Hooks hooks_;
    std::deque<std::string> answers_;
    std::deque<std::string> scripted_;
    bool gameVisible_ = false;
    bool titleVisible_ = false;
};

}  // namespace vexmire
