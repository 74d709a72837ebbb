#pragma once

#include <chrono>
#include <deque>
#include <functional>
#include <string>

#include <QDialog>
#include <QObject>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include "game/platform.h"
#include "platform/qt/desktop_bell.h"

namespace vexmire {

// The platform on Qt Widgets: real dialogs, the desktop's bell, and the two windows shown,
// hidden and closed. While one of its dialogs is open it says so (dialogOpen and the two
// signals), so that the game window neither ticks nor takes keys inside the dialog.
class QtPlatform : public QObject, public Platform {
    Q_OBJECT
  public:
    explicit QtPlatform(QObject* parent = nullptr);

    void ShowMessageBox(const std::string& text, const std::string& title) override;
    std::string PromptForText(const std::string& prompt, const std::string& title) override;
    void SoundBeep() override;
    [[noreturn]] void EndProgram() override;
    void SetWindowVisible(Window window, bool visible) override;

    void AttachWindow(Window window, QWidget* widget);
    // The desktop's part of the program's end, once the session has decided it: the windows go
    // and the event loop is left, also from inside a dialog, which then returns no answer.
    void Shutdown();

    bool dialogOpen() const { return openDialogs_ > 0; }
    bool ended() const { return ended_; }

    // A replay: every dialog is shown for `readingTime`, then closed with OK, and the prompt
    // gives the queued answers in turn (the empty text, as Cancel, when none is queued).
    void AnswerDialogsFromScript(std::chrono::milliseconds readingTime);
    // A faster replay shows its next dialogs for a shorter time.
    void SetReadingTime(std::chrono::milliseconds readingTime) { readingTime_ = readingTime; }
    std::chrono::milliseconds readingTime() const { return readingTime_; }
    // A paused replay keeps its dialog open until it goes on, then for a whole reading time.
    void HoldScriptedDialogs(bool hold);
    void QueueAnswer(std::string answer) override {
        scriptedAnswers_.push_back(std::move(answer));
    }

    // Tests observe the beep and the end of the program here instead of hearing one and
    // leaving the event loop.
    void SetBeep(std::function<void()> beep) { beep_ = std::move(beep); }
    void SetExit(std::function<void()> exit) { exit_ = std::move(exit); }

  signals:
    void dialogOpened();
    void dialogClosed();
    void programEnding();

  private:
    class DialogScope;

    QWidget* DialogParent() const;
    // Shows the dialog and waits until the player closes it; its result.
    int RunDialog(QDialog& dialog);

    bool PlaceOverTheOtherWindow(QWidget* widget) const;

    DesktopBell bell_;
    QPointer<QWidget> gameWindow_;
    QPointer<QWidget> titleWindow_;
    std::function<void()> beep_;
    std::function<void()> exit_;
    std::deque<std::string> scriptedAnswers_;
    std::chrono::milliseconds readingTime_{0};
    QTimer scriptedClose_;
    QPointer<QDialog> scriptedDialog_;
    bool scripted_ = false;
    bool holdScripted_ = false;
    int openDialogs_ = 0;
    bool ended_ = false;
};

}  // namespace vexmire
