#include "app/title_window.h"

#include <QCloseEvent>
#include <QPalette>

#include "game/shell.h"
#include "platform/painter/game_font.h"

namespace vexmire {

namespace {

// The window's items at a scale of 1, in pixels of its client area.
const QSize kClientSize(312, 206);
const Font kTitleFont{"MS Sans Serif", 24, false};
const QRect kTitleBox(0, 24, 313, 41);
const QRect kAuthorBox(144, 184, 153, 17);
const QRect kNewGameBox(56, 104, 81, 25);
const QRect kQuitBox(176, 104, 81, 25);

QRect Scaled(const QRect& box, int scale) {
    return QRect(box.topLeft() * scale, box.size() * scale);
}

QFont ScaledFont(const Font& font, int scale) {
    QFont qfont = GameFont(font);
    qfont.setPixelSize(qfont.pixelSize() * scale);
    return qfont;
}

QLabel* MakeLabel(QWidget* window, const QString& text, Qt::Alignment alignment) {
    auto* label = new QLabel(text, window);
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(alignment | Qt::AlignTop);
    label->setWordWrap(true);
    label->setAutoFillBackground(true);
    return label;
}

QPushButton* MakeButton(QWidget* window, const QString& caption) {
    auto* button = new QPushButton(caption, window);
    button->setAutoDefault(false);
    button->setDefault(false);
    button->setFocusPolicy(Qt::StrongFocus);
    return button;
}

}  // namespace

TitleWindow::TitleWindow(Session& session, QWidget* parent)
    : QWidget(parent), session_(session) {
    setWindowTitle(QStringLiteral("Vexmire"));

    // Face and text of the window system's buttons, for the window and its labels alike.
    QPalette colours = palette();
    colours.setColor(QPalette::Window, colours.color(QPalette::Button));
    colours.setColor(QPalette::WindowText, colours.color(QPalette::ButtonText));
    setPalette(colours);
    setAutoFillBackground(true);

    lblTitle_ = MakeLabel(this, QStringLiteral("Vexmire"), Qt::AlignHCenter);
    authorLabel_ = MakeLabel(this, QStringLiteral("Programmed By: Tolliver"), Qt::AlignLeft);
    cmdRun_ = MakeButton(this, QStringLiteral("&New Game"));
    cmdEnd_ = MakeButton(this, QStringLiteral("&Quit"));
    SetScale(1);
    setTabOrder(cmdRun_, cmdEnd_);
    cmdRun_->setFocus();

    connect(cmdRun_, &QPushButton::clicked, this, &TitleWindow::PressNewGame);
    connect(cmdEnd_, &QPushButton::clicked, this, &TitleWindow::PressQuit);
}

// A button pressed as the program ends reaches no handler.
void TitleWindow::PressNewGame() {
    session_.Deliver(PlayerEvent::NewGame());
}

void TitleWindow::PressQuit() {
    session_.Deliver(PlayerEvent::Quit());
}

void TitleWindow::SetScale(int scale) {
    setFixedSize(kClientSize * scale);
    // The buttons take the window's font.
    setFont(ScaledFont(Font{}, scale));
    lblTitle_->setFont(ScaledFont(kTitleFont, scale));
    authorLabel_->setFont(ScaledFont(Font{}, scale));
    lblTitle_->setGeometry(Scaled(kTitleBox, scale));
    authorLabel_->setGeometry(Scaled(kAuthorBox, scale));
    cmdRun_->setGeometry(Scaled(kNewGameBox, scale));
    cmdEnd_->setGeometry(Scaled(kQuitBox, scale));
}

// The focused button shows its focus ring from the start, as after a Tab: Space presses it, and
// a player should see which one before ever pressing a key.
void TitleWindow::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) {
        setAttribute(Qt::WA_KeyboardFocusChange);
        update();
    }
}

void TitleWindow::closeEvent(QCloseEvent* event) {
    event->accept();
    session_.End(Ending::WindowClosed);
}

}  // namespace vexmire
