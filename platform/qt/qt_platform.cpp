#include "platform/qt/qt_platform.h"

#include <QtGui/private/qguiapplication_p.h>
#include <QtGui/private/qwindow_p.h>
#include <qpa/qplatformintegration.h>
#include <QApplication>
#include <QDialog>
#include <QEventLoop>
#include <QInputDialog>
#include <QLayout>
#include <QLineEdit>
#include <QMessageBox>
#include <QScreen>
#include <QTimer>

#include "platform/desktop/window_scale.h"

namespace vexmire {

// Marks a dialog as open for exactly as long as it runs, also when it is left by an exception.
class QtPlatform::DialogScope {
  public:
    explicit DialogScope(QtPlatform& platform) : platform_(platform) {
        if (platform_.openDialogs_++ == 0) emit platform_.dialogOpened();
    }
    ~DialogScope() {
        if (--platform_.openDialogs_ == 0) emit platform_.dialogClosed();
    }
    DialogScope(const DialogScope&) = delete;
    DialogScope& operator=(const DialogScope&) = delete;

  private:
    QtPlatform& platform_;
};

QtPlatform::QtPlatform(QObject* parent)
    : QObject(parent),
      bell_([] { QApplication::beep(); }),
      beep_([this] { bell_.Ring(); }),
      exit_([] { QCoreApplication::exit(0); }) {
    scriptedClose_.setSingleShot(true);
    connect(&scriptedClose_, &QTimer::timeout, this, [this] {
        if (scriptedDialog_) scriptedDialog_->accept();
    });
    // Quit rings the bell and ends at once: the windows go, and the player hears the bell out.
    connect(qApp, &QCoreApplication::aboutToQuit, this, [this] {
        QGuiApplicationPrivate::platformIntegration()->sync();
        bell_.LetTheSoundFinish();
    });
}

void QtPlatform::AttachWindow(Window window, QWidget* widget) {
    (window == Window::Game ? gameWindow_ : titleWindow_) = widget;
}

QWidget* QtPlatform::DialogParent() const {
    if (gameWindow_ && gameWindow_->isVisible()) return gameWindow_;
    if (titleWindow_ && titleWindow_->isVisible()) return titleWindow_;
    return nullptr;
}

// A dialog of the game looks like one to the window manager: a fixed size, a close button but no
// minimize or maximize, kept above the window it belongs to and marked modal. The game window
// holds the game still by itself while a dialog is open, so Qt's own blocking of the windows
// below is taken back: Qt drops the window system's request to close a window that a modal dialog
// blocks, and the player could not leave the game from inside the keypad prompt. A dialog cut
// short by the end of the program does not return into the rules.
int QtPlatform::RunDialog(QDialog& dialog) {
    if (ended_) throw ProgramEnded();
    DialogScope scope(*this);
    QEventLoop loop;
    connect(&dialog, &QDialog::finished, &loop, &QEventLoop::quit);
    dialog.setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint);
    dialog.setSizeGripEnabled(false);
    // The prompt lays itself out only when first asked its size, and would then keep its own
    // width free.
    dialog.sizeHint();
    if (dialog.layout() != nullptr) dialog.layout()->setSizeConstraint(QLayout::SetFixedSize);
    dialog.setWindowModality(Qt::WindowModal);
    if (scripted_) {
        scriptedDialog_ = &dialog;
        if (!holdScripted_) scriptedClose_.start(readingTime_);
    }
    dialog.show();
    // A message box sizes itself only as it is shown.
    dialog.setFixedSize(dialog.size());
    for (QWidget* window : {gameWindow_.data(), titleWindow_.data()}) {
        if (window != nullptr && window->windowHandle() != nullptr) {
            QWindowPrivate::get(window->windowHandle())->blockedByModalWindow = false;
        }
    }
    loop.exec();
    scriptedClose_.stop();
    if (ended_) throw ProgramEnded();
    return dialog.result();
}

void QtPlatform::ShowMessageBox(const std::string& text, const std::string& title) {
    QMessageBox box(QMessageBox::NoIcon, QString::fromStdString(title),
                    QString::fromStdString(text), QMessageBox::Ok, DialogParent());
    box.setTextFormat(Qt::PlainText);
    RunDialog(box);
}

std::string QtPlatform::PromptForText(const std::string& prompt, const std::string& title) {
    QInputDialog dialog(DialogParent());
    dialog.setInputMode(QInputDialog::TextInput);
    dialog.setWindowTitle(QString::fromStdString(title));
    dialog.setLabelText(QString::fromStdString(prompt));
    dialog.setTextValue(QString());
    if (auto* field = dialog.findChild<QLineEdit*>()) field->setMaxLength(kLongestAnswer);
    std::string answer;
    if (scripted_) {
        if (!scriptedAnswers_.empty()) {
            answer = std::move(scriptedAnswers_.front());
            scriptedAnswers_.pop_front();
        }
        // The watcher reads the answer in the field before the prompt closes.
        dialog.setTextValue(QString::fromStdString(answer));
        RunDialog(dialog);
    } else if (RunDialog(dialog) == QDialog::Accepted) {
        answer = dialog.textValue().toStdString();
    }
    return answer;
}

void QtPlatform::AnswerDialogsFromScript(std::chrono::milliseconds readingTime) {
    scripted_ = true;
    readingTime_ = readingTime;
}

void QtPlatform::HoldScriptedDialogs(bool hold) {
    holdScripted_ = hold;
    if (!scriptedDialog_) return;
    if (hold) {
        scriptedClose_.stop();
    } else {
        scriptedClose_.start(readingTime_);
    }
}

void QtPlatform::SoundBeep() {
    beep_();
}

// The session lets the program go once the handler that ended it has unwound.
void QtPlatform::EndProgram() {
    throw ProgramEnded();
}

void QtPlatform::Shutdown() {
    if (ended_) return;
    ended_ = true;
    emit programEnding();
    // Hidden rather than closed: closing would come back here through the windows' own
    // close handlers.
    if (gameWindow_) gameWindow_->hide();
    if (titleWindow_) titleWindow_->hide();
    exit_();
}

void QtPlatform::SetWindowVisible(Window window, bool visible) {
    QWidget* widget = window == Window::Game ? gameWindow_ : titleWindow_;
    if (!widget || ended_) return;
    if (!visible) {
        widget->hide();
        return;
    }
    const bool placed = !widget->isVisible() && PlaceOverTheOtherWindow(widget);
    widget->show();
    // Placed once: from now on the window manager keeps the window where it is, and a change of
    // its size (leaving full screen) asks for the size alone, as for a window never placed.
    if (placed && widget->windowHandle() != nullptr) {
        QWindowPrivate::get(widget->windowHandle())->positionAutomatic = true;
    }
    widget->raise();
    widget->activateWindow();
}

// A window that takes over from the other one opens where the player's eye already is: centred
// on the other window, within the screen. Wayland places windows itself.
bool QtPlatform::PlaceOverTheOtherWindow(QWidget* widget) const {
    const QWidget* other = widget == gameWindow_ ? titleWindow_.data() : gameWindow_.data();
    if (!other || !other->isVisible() || !other->screen() || widget->isFullScreen()) return false;
    const QRect placed = CentredOver(other->frameGeometry(), widget->frameSize(),
                                     other->screen()->availableGeometry());
    widget->move(placed.topLeft());
    return true;
}

}  // namespace vexmire
