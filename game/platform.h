#pragma once

#include <stdexcept>
#include <string>

namespace vexmire {

// The two top-level windows of the game.
enum class Window { Game, Title };  // Form1, Form2

inline const char* WindowName(Window window) {
    return window == Window::Game ? "Form1" : "Form2";
}

// Raised by EndProgram so that control never returns into the rules: whoever delivered the
// event (the window's event handler, the headless driver) catches it and ends the program.
class ProgramEnded : public std::exception {
  public:
    const char* what() const noexcept override { return "the program has ended"; }
};

// The most characters the text prompt's field takes, as such fields traditionally do: every
// answer a player can give fits a script line that the game reads back.
constexpr int kLongestAnswer = 255;

// What the rules and the shell need from a window system.
class Platform {
  public:
    virtual ~Platform() = default;

    // Modal: returns once the player has closed the box with OK.
    virtual void ShowMessageBox(const std::string& text, const std::string& title) = 0;
    // Modal: the typed text on OK, the empty text on Cancel or close.
    virtual std::string PromptForText(const std::string& prompt, const std::string& title) = 0;
    virtual void SoundBeep() = 0;
    // Ends the program at once; implementations throw ProgramEnded after closing down.
    [[noreturn]] virtual void EndProgram() = 0;
    // Showing a window also makes it the active one.
    virtual void SetWindowVisible(Window window, bool visible) = 0;
    // A scripted answer (a replay's, the driver's): the next prompt gives it instead of the
    // player's. The rules never call this.
    virtual void QueueAnswer(std::string answer) = 0;
};

}  // namespace vexmire
