#include "app/game_window.h"

#include <algorithm>

#include <QCloseEvent>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QPaintEvent>
#include <QPainter>

#include "platform/qt/key_map.h"
#include "platform/painter/painter.h"
#include "platform/desktop/window_scale.h"

namespace vexmire {

GameWindow::GameWindow(Session& session, QtPlatform& platform, QWidget* parent)
    : QWidget(parent),
      session_(session),
      platform_(platform),
      ticks_([this] { OnTickDue(); }),
      dialogKeys_(new DialogKeyGuard([this] { return platform_.dialogOpen(); },
                                     [this] { return ticks_.Now(); }, this)),
      frame_(kGameWindowWidth, kGameWindowHeight, QImage::Format_RGB32) {
    setWindowTitle(QStringLiteral("Vexmire"));
    SetScale(1);
    setFocusPolicy(Qt::StrongFocus);
    // Every pixel is painted each time: nothing for Qt to clear first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    QCoreApplication::instance()->installEventFilter(dialogKeys_);
    connect(&platform_, &QtPlatform::dialogOpened, this, [this] {
        dialogKeys_->Opened(heldKeys_);
        UpdatePacing();
        // The player sees the scene as the handler left it when it opened the dialog.
        update();
    });
    connect(&platform_, &QtPlatform::dialogClosed, this, &GameWindow::UpdatePacing);
    connect(&platform_, &QtPlatform::programEnding, this, [this] { ticks_.Stop(); });
    ticks_.Start();
}

// Paints again what the rules changed. A held key released while a dialog of the handler was
// open reached nothing: the figure would walk on by itself once the dialog closed. It goes up
// now, as when another application takes the keyboard, once the handler has finished (no
// handler runs while a dialog is open).
Session::Outcome GameWindow::Deliver(const PlayerEvent& event) {
    const Session::Outcome outcome = session_.Deliver(event);
    if (outcome == Session::Outcome::Ran) {
        update(ScreenPixels(shown_.Changes(game().scene), scale_));
    }
    if (const std::optional<int16_t> released = dialogKeys_->TakeReleased()) {
        std::erase(heldKeys_, *released);
        Deliver(PlayerEvent::KeyUp(*released));
    }
    return outcome;
}

void GameWindow::LetRest() {
    session_.LetRest([this] { return ticks_.Wake(); });
}

void GameWindow::OnTickDue() {
    if (!scriptStep_) {
        RunTick();
        if (session_.resting()) ticks_.Rest();
        return;
    }
    if (!scriptStep_()) ticks_.Stop();
}

void GameWindow::PlayFromScript(std::function<bool()> step) {
    scriptStep_ = std::move(step);
    ReturnKeyboard();
}

void GameWindow::SetScale(int devicePixels, qreal ratio) {
    devicePixels = std::max(devicePixels, 1);
    ratio = ratio > 0 ? ratio : std::max<qreal>(devicePixelRatioF(), 1);
    scale_ = devicePixels / ratio;
    setFixedSize(WindowSizeInUnits(frame_.size(), devicePixels, ratio));
    update();
}

// A key delivered to this window proves that it has the keyboard, even when it comes a moment
// before the window system says that the window is active again (as on Wayland).
void GameWindow::keyPressEvent(QKeyEvent* event) {
    if (scriptStep_ || !session_.MayDeliver(PlayerEvent::Kind::KeyDown)) return;
    ReturnKeyboard();
    // An auto-repeated press is a new key-down: that is how a held Space keeps firing. The
    // rules take every key with the shift state 0.
    const int16_t code = VirtualKeyCode(event->key(), event->modifiers());
    if (std::find(heldKeys_.begin(), heldKeys_.end(), code) == heldKeys_.end()) {
        heldKeys_.push_back(code);
    }
    Deliver(PlayerEvent::KeyDown(code));
}

void GameWindow::keyReleaseEvent(QKeyEvent* event) {
    // Only the real release is a key-up; the repeat's releases would stop a held arrow.
    if (scriptStep_ || event->isAutoRepeat() ||
        !session_.MayDeliver(PlayerEvent::Kind::KeyUp)) {
        return;
    }
    ReturnKeyboard();
    const int16_t code = VirtualKeyCode(event->key(), event->modifiers());
    std::erase(heldKeys_, code);
    Deliver(PlayerEvent::KeyUp(code));
}

bool GameWindow::event(QEvent* event) {
    if (event->type() == QEvent::WindowDeactivate) LeaveKeyboard();
    if (event->type() == QEvent::WindowActivate) ReturnKeyboard();
    return QWidget::event(event);
}

// Another application has taken the keyboard. The game's own dialogs take it too, but they
// hold the game still by themselves, and the keys released in them are theirs.
void GameWindow::LeaveKeyboard() {
    // A replay goes on whoever has the keyboard.
    if (scriptStep_ || !isVisible() || platform_.dialogOpen() || session_.away()) return;
    session_.SetAway(true);
    UpdatePacing();
    // The real release of a held key will never reach this window. One key-up is enough:
    // the rules stop the figure on any key's release, whatever its code.
    if (!heldKeys_.empty()) {
        const int16_t code = heldKeys_.back();
        heldKeys_.clear();
        Deliver(PlayerEvent::KeyUp(code));
    }
}

void GameWindow::ReturnKeyboard() {
    if (!session_.away()) return;
    session_.SetAway(false);
    UpdatePacing();
}

void GameWindow::UpdatePacing() {
    ticks_.SetPaused(session_.away() || platform_.dialogOpen());
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
    session_.End(Ending::WindowClosed);
}

bool GameWindow::focusNextPrevChild(bool /*next*/) {
    return false;
}

// The scene is painted at the game's own pixels first and each pixel then shown as a square of
// the screen's: the window shows exactly the picture the game draws, at 2x as at 1x, whether the
// factor is the game's own or the device pixel ratio of a Wayland output at 200%. Painting the
// scene at the larger size would draw the labels' text in finer glyphs of its own.
void GameWindow::paintEvent(QPaintEvent* event) {
    const QRegion area = GamePixels(event->region(), scale_) & frame_.rect();
    QPainter framePainter(&frame_);
    PaintScene(game().scene, framePainter, area);
    framePainter.end();
    QPainter painter(this);
    // Where a window's size rounds up to whole units (a frame of 759 rows in a window of 380
    // units of two), the spare row shows the floor.
    const QRectF shown(QPointF(0, 0), QSizeF(frame_.size()) * scale_);
    painter.fillRect(QRectF(0, shown.bottom(), width(), height() - shown.bottom()),
                     ToQColor(kFloorColour));
    painter.fillRect(QRectF(shown.right(), 0, width() - shown.right(), height()),
                     ToQColor(kFloorColour));
    painter.scale(scale_, scale_);
    for (const QRect& rect : area) painter.drawImage(rect.topLeft(), frame_, rect);
}

}  // namespace vexmire
