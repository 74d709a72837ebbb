#pragma once

#include <QLabel>
#include <QPushButton>
#include <QWidget>

#include "session/session.h"

namespace vexmire {

// Form2, the title window: the game's name, its author, and the two buttons that start the
// game or quit. New Game holds the focus; Tab moves between the buttons and Space presses the
// focused one; Alt+N and Alt+Q press theirs from anywhere in the window.
class TitleWindow : public QWidget {
    Q_OBJECT
  public:
    explicit TitleWindow(Session& session, QWidget* parent = nullptr);

    // Draws the window at a whole number of screen pixels for each of its own pixels.
    void SetScale(int scale);

    QPushButton* cmdRun() const { return cmdRun_; }
    QPushButton* cmdEnd() const { return cmdEnd_; }

    // New Game and Quit, pressed from the outside, as a replay presses them.
    void PressNewGame();
    void PressQuit();

  protected:
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    Session& session_;
    QLabel* lblTitle_;
    QLabel* authorLabel_;
    QPushButton* cmdRun_;
    QPushButton* cmdEnd_;
};

}  // namespace vexmire
