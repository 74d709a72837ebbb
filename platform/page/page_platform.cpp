#include "platform/page/page_platform.h"

#include "scene/program_fault.h"
#include "scene/utf8.h"

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
    return PromptAnswer(NextAnswer("prompt"));
}

// A page's text field can hold half of a surrogate pair, which the page's script hands on as
// bytes that are not UTF-8; recorded as they are, they would make the recording unreadable.
std::string PromptAnswer(std::string_view typed) {
    std::u32string answer = DecodeUtf8(typed);
    int units = 0;
    for (size_t i = 0; i < answer.size(); ++i) {
        units += answer[i] >= 0x10000 ? 2 : 1;
        if (units > kLongestAnswer) {
            answer.resize(i);
            break;
        }
    }
    return EncodeUtf8(answer);
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
