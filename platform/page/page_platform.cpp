#include "platform/page/page_platform.h"

#include "scene/program_fault.h"

namespace vexmire {

bool PagePlatform::IsVisible(Window window) const {
    return window == Window::Game ? gameVisible_ : titleVisible_;
}

// The page learns of every dialog before the handler runs for real, so a dialog without an
// answer is a fault of the program, never the player's.
std::string PagePlatform::NextAnswer(const char* dialog) {
    if (answers_.empty()) {
        throw ProgramFault(std::string("a ") + dialog + " opened that the page had not shown");
    }
    std::string answer = std::move(answers_.front());
    answers_.pop_front();
    return answer;
}

void PagePlatform::ShowMessageBox(const std::string&, const std::string&) {
    NextAnswer("message box");
}

std::string PagePlatform::PromptForText(const std::string&, const std::string&) {
    if (!scripted_.empty()) {
        std::string answer = std::move(scripted_.front());
        scripted_.pop_front();
        return answer;
    }
    std::string answer = NextAnswer("prompt");
    if (answer.size() > static_cast<size_t>(kLongestAnswer)) answer.resize(kLongestAnswer);
    return answer;
}

void PagePlatform::SoundBeep() {
    if (hooks_.beep) hooks_.beep();
}

void PagePlatform::EndProgram() {
    if (hooks_.end) hooks_.end();
    throw ProgramEnded();
}

void PagePlatform::SetWindowVisible(Window window, bool visible) {
    (window == Window::Game ? gameVisible_ : titleVisible_) = visible;
    if (hooks_.showWindow) hooks_.showWindow(window, visible);
}

}  // namespace vexmire
