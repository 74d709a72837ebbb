#include "platform/headless_platform.h"

namespace vexmire {

void HeadlessPlatform::Record(PlatformCall call) {
    if (log_ == CallLog::ReportOnly) {
        if (observer_) observer_(call);
        return;
    }
    calls_.push_back(std::move(call));
    if (observer_) observer_(calls_.back());
}

void HeadlessPlatform::ShowMessageBox(const std::string& text, const std::string& title) {
    Record({PlatformCall::Kind::Message, text, title, "", Window::Game, false});
}

std::string HeadlessPlatform::PromptForText(const std::string& prompt, const std::string& title) {
    std::string answer;
    if (!answers_.empty()) {
        answer = std::move(answers_.front());
        answers_.pop_front();
    }
    Record({PlatformCall::Kind::Prompt, prompt, title, answer, Window::Game, false});
    return answer;
}

void HeadlessPlatform::SoundBeep() {
    Record({PlatformCall::Kind::Beep, "", "", "", Window::Game, false});
}

void HeadlessPlatform::EndProgram() {
    ended_ = true;
    gameVisible_ = false;
    titleVisible_ = false;
    Record({PlatformCall::Kind::End, "", "", "", Window::Game, false});
    throw ProgramEnded();
}

void HeadlessPlatform::SetWindowVisible(Window window, bool visible) {
    (window == Window::Game ? gameVisible_ : titleVisible_) = visible;
    Record({PlatformCall::Kind::Window, "", "", "", window, visible});
}

bool HeadlessPlatform::IsVisible(Window window) const {
    return window == Window::Game ? gameVisible_ : titleVisible_;
}

}  // namespace vexmire
