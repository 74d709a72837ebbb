#include "game_window.h"

#include <algorithm>

#include <QCloseEvent>
#include <QKeyEvent>
#include <QPaintEvent>
#include <QPainter>

#include "key_map.h"
#include "painter.h"
#include "window_scale.h"

GameWindow::GameWindow(Game& game, QtPlatform& platform, QWidget* parent)
    : QWidget(parent),
      game_(game),
      platform_(platform),
      ticks_([this] { Deliver([this] { game_.tmr_Timer(); }); }) {
    setWindowTitle(QStringLiteral("Vexmire"));
    SetScale(1);
    setFocusPolicy(Qt::StrongFocus);
    // Every pixel is painted each time: nothing for Qt to clear first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    connect(&platform_, &QtPlatform::dialogOpened, this, [this] {
        UpdatePacing();
        // The player sees the scene as the handler left it when it opened the dialog.
        update();
    });
    connect(&platform_, &QtPlatform::dialogClosed, this, &GameWindow::UpdatePacing);
    connect(&platform_, &QtPlatform::programEnding, this, [this] { ticks_.Stop(); });
    ticks_.Start();
}

bool GameWindow::MayDeliver() const {
    return !platform_.ended() && !platform_.dialogOpen() && !inHandler_;
}

// Runs one handler of the rules and paints again what it changed. The end of the program comes
// back here as ProgramEnded and goes no further: the event loop is already leaving.
template <typename Handler>
void GameWindow::Deliver(Handler handler) {
    if (!MayDeliver()) return;
    inHandler_ = true;
    try {
        handler();
    } catch (const ProgramEnded&) {
        inHandler_ = false;
        return;
    }
    inHandler_ = false;
    update(ScreenPixels(shown_.Changes(game_.scene), scale_));
}

void GameWindow::SetScale(int scale) {
    scale_ = std::max(scale, 1);
    setFixedSize(kGameWindowWidth * scale_, kGameWindowHeight * scale_);
    update();
}

// A key delivered to this window proves that it has the keyboard, even when it comes a moment
// before the window system says that the window is active again (as on Wayland).
void GameWindow::keyPressEvent(QKeyEvent* event) {
    if (!MayDeliver()) return;
    ReturnKeyboard();
    // An auto-repeated press is a new key-down: that is how a held Space keeps firing.
    const int16_t code = VirtualKeyCode(event->key(), event->modifiers());
    if (std::find(heldKeys_.begin(), heldKeys_.end(), code) == heldKeys_.end()) {
        heldKeys_.push_back(code);
    }
    Deliver([&] { game_.Form_KeyDown(code, ShiftState(event->modifiers())); });
}

void GameWindow::keyReleaseEvent(QKeyEvent* event) {
    // Only the real release is a key-up; the repeat's releases would stop a held arrow.
    if (event->isAutoRepeat() || !MayDeliver()) return;
    ReturnKeyboard();
    const int16_t code = VirtualKeyCode(event->key(), event->modifiers());
    std::erase(heldKeys_, code);
    Deliver([&] { game_.Form_KeyUp(code, ShiftState(event->modifiers())); });
}

bool GameWindow::event(QEvent* event) {
    if (event->type() == QEvent::WindowDeactivate) LeaveKeyboard();
    if (event->type() == QEvent::WindowActivate) ReturnKeyboard();
    return QWidget::event(event);
}

// Another application has taken the keyboard. The game's own dialogs take it too, but they
// hold the game still by themselves, and the keys released in them are theirs.
void GameWindow::LeaveKeyboard() {
    if (!isVisible() || platform_.dialogOpen() || away_) return;
    away_ = true;
    UpdatePacing();
    // The real release of a held key will never reach this window.
    if (!heldKeys_.empty()) {
        const int16_t code = heldKeys_.back();
        heldKeys_.clear();
        Deliver([&] { game_.Form_KeyUp(code, 0); });
    }
}

void GameWindow::ReturnKeyboard() {
    if (!away_) return;
    away_ = false;
    UpdatePacing();
}

void GameWindow::UpdatePacing() {
    ticks_.SetPaused(away_ || platform_.dialogOpen());
}

void GameWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    ReturnKeyboard();
}

// Hidden behind the title window the game keeps ticking: only a shown window can be away.
void GameWindow::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    ReturnKeyboard();
}

void GameWindow::closeEvent(QCloseEvent* event) {
    event->accept();
    platform_.Shutdown();
}

bool GameWindow::focusNextPrevChild(bool /*next*/) {
    return false;
}

void GameWindow::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    painter.scale(scale_, scale_);
    PaintScene(game_.scene, painter, GamePixels(event->region(), scale_));
}
