#include "web/dialog_probe.h"

#include <algorithm>
#include <exception>
#include <utility>

namespace vexmire {

namespace {

// Thrown through the rules at the first dialog with no answer: the copy is thrown away after.
struct Unanswered {
    PageDialog dialog;
};

}  // namespace

class DialogProbe::ProbePlatform : public Platform {
  public:
    void Reset(std::deque<std::string> answers, std::deque<std::string> scripted) {
        answers_ = std::move(answers);
        scripted_ = std::move(scripted);
    }

    void ShowMessageBox(const std::string& text, const std::string& title) override {
        TakeAnswer({PageDialog::Kind::Message, text, title});
    }
    std::string PromptForText(const std::string& prompt, const std::string& title) override {
        if (!scripted_.empty()) {
            std::string answer = std::move(scripted_.front());
            scripted_.pop_front();
            return answer;
        }
        return TakeAnswer({PageDialog::Kind::Prompt, prompt, title});
    }
    void SoundBeep() override {}
    [[noreturn]] void EndProgram() override { throw ProgramEnded(); }
    void SetWindowVisible(Window, bool) override {}
    void QueueAnswer(std::string answer) override { scripted_.push_back(std::move(answer)); }

  private:
    std::string TakeAnswer(PageDialog dialog) {
        if (answers_.empty()) throw Unanswered{std::move(dialog)};
        std::string answer = std::move(answers_.front());
        answers_.pop_front();
        return answer;
    }

    std::deque<std::string> answers_;
    std::deque<std::string> scripted_;
};

DialogProbe::DialogProbe() : platform_(std::make_unique<ProbePlatform>()), game_(*platform_) {}

DialogProbe::~DialogProbe() = default;

std::optional<PageDialog> DialogProbe::FirstUnanswered(const Game& live, const PlayerEvent& event,
                                                       std::deque<std::string> answers,
                                                       std::deque<std::string> scripted) {
    std::copy(live.scene.entities().begin(), live.scene.entities().end(),
              game_.scene.entities().begin());
    game_.vars = live.vars;
    platform_->Reset(std::move(answers), std::move(scripted));
    const auto code = static_cast<int16_t>(event.number);
    try {
        switch (event.kind) {
            case PlayerEvent::Kind::Tick:
                game_.tmr_Timer();
                break;
            case PlayerEvent::Kind::KeyDown:
            case PlayerEvent::Kind::Press:
                game_.Form_KeyDown(code, 0);
                break;
            default:
                break;  // the title's buttons and key-up open no dialog
        }
    } catch (const Unanswered& unanswered) {
        return unanswered.dialog;
    } catch (const ProgramEnded&) {
    } catch (const std::exception&) {
        // A fault of the program: the real run meets it too, and reports it.
    }
    return std::nullopt;
}

}  // namespace vexmire
