#include "title_window.h"

#include <QCloseEvent>
#include <QPalette>

#include "app/shell.h"
#include "platform/qt/game_font.h"

namespace {

QLabel* MakeLabel(QWidget* window, const QString& text, const Font& font, Qt::Alignment alignment,
                  const QRect& box) {
    auto* label = new QLabel(text, window);
    label->setTextFormat(Qt::PlainText);
    label->setFont(GameFont(font));
    label->setAlignment(alignment | Qt::AlignTop);
    label->setWordWrap(true);
    label->setAutoFillBackground(true);
    label->setGeometry(box);
    return label;
}

QPushButton* MakeButton(QWidget* window, const QString& caption, const QRect& box) {
    auto* button = new QPushButton(caption, window);
    button->setAutoDefault(false);
    button->setDefault(false);
    button->setFocusPolicy(Qt::StrongFocus);
    button->setGeometry(box);
    return button;
}

}  // namespace

TitleWindow::TitleWindow(QtPlatform& platform, QWidget* parent)
    : QWidget(parent), platform_(platform) {
    setWindowTitle(QStringLiteral("Vexmire"));
    setFixedSize(312, 206);
    setFont(GameFont(Font{}));

    // Face and text of the window system's buttons, for the window and its labels alike.
    QPalette colours = palette();
    colours.setColor(QPalette::Window, colours.color(QPalette::Button));
    colours.setColor(QPalette::WindowText, colours.color(QPalette::ButtonText));
    setPalette(colours);
    setAutoFillBackground(true);

    lblTitle_ = MakeLabel(this, QStringLiteral("Vexmire"), Font{"MS Sans Serif", 24, false},
                          Qt::AlignHCenter, QRect(0, 24, 313, 41));
    Label1_ = MakeLabel(this, QStringLiteral("Programmed By: Tolliver"), Font{}, Qt::AlignLeft,
                        QRect(144, 184, 153, 17));
    cmdRun_ = MakeButton(this, QStringLiteral("&New Game"), QRect(56, 104, 81, 25));
    cmdEnd_ = MakeButton(this, QStringLiteral("&Quit"), QRect(176, 104, 81, 25));
    setTabOrder(cmdRun_, cmdEnd_);
    cmdRun_->setFocus();

    connect(cmdRun_, &QPushButton::clicked, this, &TitleWindow::PressNewGame);
    connect(cmdEnd_, &QPushButton::clicked, this, &TitleWindow::PressQuit);
}

void TitleWindow::PressNewGame() {
    Deliver([this] {
        if (recorder_) recorder_->NewGame();
        cmdRun_Click(platform_);
    });
}

void TitleWindow::PressQuit() {
    Deliver([this] {
        if (recorder_) recorder_->Quit();
        cmdEnd_Click(platform_);
    });
}

// The end of the program comes back as ProgramEnded and stops here: the event loop is leaving.
template <typename Handler>
void TitleWindow::Deliver(Handler handler) {
    if (platform_.ended()) return;
    try {
        handler();
    } catch (const ProgramEnded&) {
    }
}

void TitleWindow::closeEvent(QCloseEvent* event) {
    event->accept();
    platform_.Shutdown();
}
