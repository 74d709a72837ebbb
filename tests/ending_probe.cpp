// Built into a copy of the real program, app/main.cpp unchanged, and never into the game itself:
// it plays one ending, named by VEXMIRE_PROBE_ENDING, the way the window system would bring it
// about (clicks on the buttons, keys and close requests sent to the windows), and prints what it
// saw on standard output for tests/ending_test.cpp, which runs it as a child process.

#include <cstdio>
#include <functional>
#include <sstream>
#include <string>

#include <qpa/qwindowsysteminterface.h>
#include <QApplication>
#include <QCoreApplication>
#include <QDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include "app/game_window.h"
#include "app/title_window.h"
#include "game/game.h"
#include "game/hints.h"

namespace vexmire {

namespace {

void Report(const std::string& line) {
    std::printf("%s\n", line.c_str());
    std::fflush(stdout);
}

GameWindow* Form1() {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* window = qobject_cast<GameWindow*>(widget)) return window;
    }
    return nullptr;
}

TitleWindow* Form2() {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* window = qobject_cast<TitleWindow*>(widget)) return window;
    }
    return nullptr;
}

// The dialog that the game has open now, modal or not.
QDialog* OpenDialog() {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        auto* dialog = qobject_cast<QDialog*>(widget);
        if (dialog != nullptr && dialog->isVisible()) return dialog;
    }
    return nullptr;
}

int ShownWindows() {
    int shown = 0;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget->isVisible()) ++shown;
    }
    return shown;
}

int64_t TicksRun() {
    return Form1()->ticks().ticksRun();
}

// Everything the rules can change, written out, to tell whether anything has.
std::string GameSnapshot() {
    const Game& game = Form1()->game();
    std::ostringstream out;
    for (const Entity& entity : game.scene.entities()) {
        out << entity.DisplayName() << ' ' << entity.left() << ' ' << entity.top() << ' '
            << entity.width() << ' ' << entity.height() << ' ' << entity.visible << ' '
            << entity.enabled << ' ' << entity.picture << ' ' << entity.caption << '\n';
    }
    const GameState& vars = game.vars;
    out << vars.shotsFired << ' ' << vars.playerDX << ' ' << vars.playerDY << ' '
        << vars.enemyShotDX << ' ' << vars.enemyShotDY << ' ' << vars.targetX << ' ' << vars.targetY
        << ' ' << vars.hitsTaken;
    for (int k = 0; k < kBallCount; ++k) out << ' ' << vars.ballDX[k] << ' ' << vars.ballDY[k];
    return out.str();
}

// What the window system does when the player asks a window to close through its frame.
void CloseThroughTheFrame(QWidget* window) {
    QWindowSystemInterface::handleCloseEvent<QWindowSystemInterface::SynchronousDelivery>(
        window->windowHandle());
}

// A key typed by the player into the game window, as the window system delivers it.
void TypeAtTheGameWindow(Qt::Key key) {
    QWindow* window = Form1()->windowHandle();
    QWindowSystemInterface::handleKeyEvent<QWindowSystemInterface::SynchronousDelivery>(
        window, QEvent::KeyPress, key, Qt::NoModifier);
    QWindowSystemInterface::handleKeyEvent<QWindowSystemInterface::SynchronousDelivery>(
        window, QEvent::KeyRelease, key, Qt::NoModifier);
}

// Calls `then` from the event loop once `ready` holds, looking again every few milliseconds.
void WhenReady(std::function<bool()> ready, std::function<void()> then) {
    auto* poll = new QTimer(QCoreApplication::instance());
    QObject::connect(poll, &QTimer::timeout,
                     [poll, ready = std::move(ready), then = std::move(then)] {
                         if (!ready()) return;
                         poll->stop();
                         poll->deleteLater();
                         then();
                     });
    poll->start(5);
}

// The moment of the ending: from here on no tick may run.
void EndingAt() {
    Report("ending at tick " + std::to_string(TicksRun()));
}

void NewGame() {
    Form2()->cmdRun()->click();
    Report(Form1()->isVisible() ? "playing" : "the game window did not open");
}

// Keys typed at the game window while a dialog is open must change nothing in the game.
void TypeKeysWhileTheDialogIsOpen() {
    const std::string before = GameSnapshot();
    const int64_t ticks = TicksRun();
    for (Qt::Key key : {Qt::Key_Right, Qt::Key_Up, Qt::Key_Space, Qt::Key_Return, Qt::Key_Left}) {
        TypeAtTheGameWindow(key);
    }
    QCoreApplication::processEvents();
    const bool unchanged = GameSnapshot() == before && TicksRun() == ticks;
    Report(unchanged ? "keys in a dialog changed nothing" : "keys in a dialog changed the game");
}

// Presses OK on the game's message box once it shows `text`.
void WhenTheMessageOpens(const QString& text) {
    WhenReady([] { return OpenDialog() != nullptr; },
              [text] {
                  auto* box = qobject_cast<QMessageBox*>(OpenDialog());
                  if (box == nullptr || box->text() != text) {
                      Report("another dialog opened");
                      QCoreApplication::exit(3);
                      return;
                  }
                  Report("message shown");
                  TypeKeysWhileTheDialogIsOpen();
                  EndingAt();
                  box->button(QMessageBox::Ok)->click();
              });
}

// Lets the game tick a few times first, hidden behind the title window or shown, so that a tick
// after the end would show; or until it rests, standing still, and its clock sleeps.
void AfterAFewTicks(std::function<void()> then) {
    const int64_t start = TicksRun();
    WhenReady([start] { return TicksRun() >= start + 3 || Form1()->ticks().resting(); },
              std::move(then));
}

void Quit() {
    AfterAFewTicks([] {
        EndingAt();
        Form2()->cmdEnd()->click();
    });
}

void CloseTheTitleWindow() {
    AfterAFewTicks([] {
        EndingAt();
        CloseThroughTheFrame(Form2());
    });
}

void CloseTheGameWindowWhilePlaying() {
    NewGame();
    AfterAFewTicks([] {
        EndingAt();
        CloseThroughTheFrame(Form1());
    });
}

void CloseTheGameWindowAtTheKeypad() {
    NewGame();
    Game& game = Form1()->game();
    game.level.player->SetLeft(140);  // in the keypad's zone, clear of every wall
    game.level.player->SetTop(480);
    WhenReady([] { return OpenDialog() != nullptr; },
              [] {
                  Report(OpenDialog()->windowTitle() == "Key Pad" ? "prompt shown"
                                                                  : "another dialog opened");
                  TypeKeysWhileTheDialogIsOpen();
                  EndingAt();
                  CloseThroughTheFrame(Form1());
              });
}

void TakeTheFifthHit() {
    NewGame();
    Game& game = Form1()->game();
    game.vars.hitsTaken = 4;
    // The enemy's ball already on the player: the next tick is the fifth hit.
    game.level.enemyBall->SetLeft(game.level.player->left() + 10);
    game.level.enemyBall->SetTop(game.level.player->top() + 10);
    WhenTheMessageOpens(QStringLiteral("You have run out of health!"));
}

void Win() {
    NewGame();
    Game& game = Form1()->game();
    game.level.player->SetLeft(700);  // on the bomb's zone, above its body
    game.level.player->SetTop(615);
    WhenReady([tip = game.level.tip] { return tip->caption == hint::kDefuseBomb; },
              [] { TypeAtTheGameWindow(Qt::Key_Return); });
    WhenTheMessageOpens(QStringLiteral("You win, congradulations"));
}

// A fault of the rules inside a key handler: a shot counter far beyond the row of balls.
void FaultInAHandler() {
    NewGame();
    Form1()->game().vars.shotsFired = 32767;
    AfterAFewTicks([] { TypeAtTheGameWindow(Qt::Key_Space); });
}

void Play(const QString& ending) {
    if (ending == "quit") return Quit();
    if (ending == "close-title") return CloseTheTitleWindow();
    if (ending == "close-game") return CloseTheGameWindowWhilePlaying();
    if (ending == "close-at-keypad") return CloseTheGameWindowAtTheKeypad();
    if (ending == "fifth-hit") return TakeTheFifthHit();
    if (ending == "win") return Win();
    if (ending == "fault") return FaultInAHandler();
    Report("unknown ending " + ending.toStdString());
    QCoreApplication::exit(3);
}

void StartProbe() {
    const QString ending = qEnvironmentVariable("VEXMIRE_PROBE_ENDING");
    QObject::connect(qApp, &QCoreApplication::aboutToQuit, [] {
        Report("quit at tick " + std::to_string(TicksRun()));
        Report("windows shown " + std::to_string(ShownWindows()));
    });
    // The first event of the loop: start-up (Form_Load) has run and the title window is up.
    QTimer::singleShot(0, [ending] { Play(ending); });
}

}  // namespace

Q_COREAPP_STARTUP_FUNCTION(StartProbe)

}  // namespace vexmire
