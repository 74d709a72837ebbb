#include "app/game_window.h"

#include <algorithm>

#include <QCloseEvent>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScreen>

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
      pointer_(this),
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
    if (outcome == Session::Outcome::Ran) update(WindowArea(shown_.Changes(game().scene)));
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
    note_.replay = true;
    ReturnKeyboard();
    ShowNote();
}

void GameWindow::ShowReplaySpeed(int speed) {
    note_.replaySpeed = speed;
    ShowNote();
}

void GameWindow::SetScale(int devicePixels, qreal ratio) {
    scale_ = std::max(devicePixels, 1);
    ratio_ = ratio > 0 ? ratio : std::max<qreal>(devicePixelRatioF(), 1);
    FitToWindowState();
}

// The size limits go before the window asks for the whole screen: a window of a fixed size
// cannot take it.
void GameWindow::SetFullScreen(bool fullScreen) {
    if (fullScreen == isFullScreen()) return;
    if (fullScreen) FreeTheSize();
    setWindowState(windowState() ^ Qt::WindowFullScreen);
}

void GameWindow::FreeTheSize() {
    setMinimumSize(0, 0);
    setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
}

// Also when the window manager makes the window full screen or takes it back.
void GameWindow::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange) FitToWindowState();
}

void GameWindow::FitToWindowState() {
    if (isFullScreen()) {
        FreeTheSize();
        // Made full screen by the compositor, a Wayland window has kept the size it was fixed at:
        // the screen was offered once, and is taken now. On X11 the window manager sizes the
        // window itself, and a size asked for here would race with it.
        if (QGuiApplication::platformName() == QLatin1String("wayland") && screen() != nullptr &&
            size() != screen()->size()) {
            resize(screen()->size());
        }
    } else {
        setFixedSize(WindowSizeInUnits(frame_.size(), scale_, ratio_));
    }
    pointer_.SetHiding(isFullScreen());
    update();
}

int GameWindow::DeviceRatio() const {
    return std::max(1, qRound(devicePixelRatioF()));
}

FrameLayout GameWindow::Layout() const {
    return LayOutFrame(size() * DeviceRatio(), frame_.size());
}

QRegion GameWindow::WindowArea(const QRegion& game) const {
    const FrameLayout layout = Layout();
    const QRegion screen = layout.whole() ? ScreenPixels(game, layout.wholeFactor)
                                          : FilledFrame::RowsReached(game, layout, frame_.size());
    return GamePixels(screen.translated(layout.target.topLeft()), DeviceRatio());
}

bool GameWindow::TakeWindowKey(const QKeyEvent& key) {
    const bool pause = key.key() == Qt::Key_P || key.key() == Qt::Key_Pause;
    if (!pause && key.key() != Qt::Key_F11) return false;
    if (key.type() != QEvent::KeyPress || key.isAutoRepeat()) return true;
    ReturnKeyboard();
    if (pause) {
        SetPaused(!paused());
    } else {
        SetFullScreen(!isFullScreen());
    }
    return true;
}

// The game's own dialogs hold it still already, and a key held into one is theirs: play is
// paused only outside them, a replay at any moment.
void GameWindow::SetPaused(bool paused) {
    if (paused == session_.paused() || session_.ended()) return;
    if (!scriptStep_) {
        if (platform_.dialogOpen()) return;
        if (paused) ReleaseHeldKeys();
    }
    session_.SetPaused(paused);
    platform_.HoldScriptedDialogs(paused);
    UpdatePacing();
    ShowNote();
}

// A key delivered to this window proves that it has the keyboard, even when it comes a moment
// before the window system says that the window is active again (as on Wayland).
void GameWindow::keyPressEvent(QKeyEvent* event) {
    if (TakeWindowKey(*event) || scriptStep_ || !session_.MayDeliver(PlayerEvent::Kind::KeyDown)) {
        return;
    }
    ReturnKeyboard();
    // An auto-repeated press is a new key-down: that is how a held Space keeps firing. The
    // rules take every key with the shift state 0.
    PressKey(GameWindowKeyCode(*event));
}

void GameWindow::keyReleaseEvent(QKeyEvent* event) {
    // Only the real release is a key-up; the repeat's releases would stop a held arrow.
    if (TakeWindowKey(*event) || scriptStep_ || event->isAutoRepeat() ||
        !session_.MayDeliver(PlayerEvent::Kind::KeyUp)) {
        return;
    }
    ReturnKeyboard();
    ReleaseKey(GameWindowKeyCode(*event));
}

void GameWindow::PressKey(int16_t code) {
    if (scriptStep_ || !session_.MayDeliver(PlayerEvent::Kind::KeyDown)) return;
    if (std::find(heldKeys_.begin(), heldKeys_.end(), code) == heldKeys_.end()) {
        heldKeys_.push_back(code);
    }
    Deliver(PlayerEvent::KeyDown(code));
}

void GameWindow::ReleaseKey(int16_t code) {
    if (scriptStep_) return;
    if (platform_.dialogOpen()) dialogKeys_->Released(code);
    if (!session_.MayDeliver(PlayerEvent::Kind::KeyUp)) return;
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
    ReleaseHeldKeys();
    session_.SetAway(true);
    UpdatePacing();
    ShowNote();
}

// The real release of a held key will never reach the rules. One key-up is enough: the rules
// stop the figure on any key's release, whatever its code.
void GameWindow::ReleaseHeldKeys() {
    if (heldKeys_.empty()) return;
    const int16_t code = heldKeys_.back();
    heldKeys_.clear();
    Deliver(PlayerEvent::KeyUp(code));
}

void GameWindow::ReturnKeyboard() {
    if (!session_.away()) return;
    session_.SetAway(false);
    UpdatePacing();
    ShowNote();
}

void GameWindow::UpdatePacing() {
    ticks_.SetPaused(session_.away() || session_.paused() || platform_.dialogOpen());
}

// The sign over the frame is drawn over the scene, never into it: once it goes, the frame is the
// scene again.
void GameWindow::ShowNote() {
    note_.paused = session_.away() || session_.paused();
    setWindowTitle(GameWindowTitle(note_));
    update();
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
// scene at the larger size would draw the labels' text in finer glyphs of its own. The painter
// works in the screen's pixels, where the layout is reckoned.
void GameWindow::paintEvent(QPaintEvent* event) {
    const int ratio = DeviceRatio();
    const FrameLayout layout = Layout();
    const QRegion screen = ScreenPixels(event->region(), ratio);
    QPainter painter(this);
    painter.scale(1.0 / ratio, 1.0 / ratio);
    // Full screen the frame sits on black. A window whose size rounds up to whole units (a frame
    // of 759 rows in a window of 380 units of two) shows the floor in its spare row.
    const QSize spare = size() * ratio - layout.target.size();
    const bool roundedUp = layout.whole() && spare.width() < layout.wholeFactor &&
                           spare.height() < layout.wholeFactor;
    const QColor around = roundedUp ? ToQColor(kFloorColour) : QColor(Qt::black);
    for (const QRect& rect : screen - layout.target) painter.fillRect(rect, around);
    if (layout.whole()) {
        PaintWhole(painter, layout, screen);
    } else {
        PaintFilled(painter, layout, screen);
    }
    if (note_.paused) PaintPauseSign(painter, layout.target, PauseSignText(note_));
}

void GameWindow::PaintWhole(QPainter& painter, const FrameLayout& layout, const QRegion& screen) {
    const int factor = layout.wholeFactor;
    const QRegion area =
        GamePixels(screen.translated(-layout.target.topLeft()), factor) & frame_.rect();
    QPainter framePainter(&frame_);
    PaintScene(game().scene, framePainter, area);
    framePainter.end();
    painter.save();
    painter.translate(layout.target.topLeft());
    painter.scale(factor, factor);
    for (const QRect& rect : area) painter.drawImage(rect.topLeft(), frame_, rect);
    painter.restore();
}

void GameWindow::PaintFilled(QPainter& painter, const FrameLayout& layout, const QRegion& screen) {
    const QRegion rows = (screen & layout.target).translated(-layout.target.topLeft());
    const QRegion area = FilledFrame::GameRows(rows, layout, frame_.size());
    QPainter framePainter(&frame_);
    PaintScene(game().scene, framePainter, area);
    framePainter.end();
    filled_.Update(frame_, area, layout);
    for (const QRect& rect : rows) {
        painter.drawImage(rect.topLeft() + layout.target.topLeft(), filled_.image(), rect);
    }
}

}  // namespace vexmire
