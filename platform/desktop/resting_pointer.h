#pragma once

#include <chrono>

#include <QObject>
#include <QTimer>
#include <QWidget>

namespace vexmire {

// Hides the pointer while it rests over a widget, as a full screen game does where the pointer
// has no use: at once when hiding begins, and again a moment after each move, which shows it.
class RestingPointer : public QObject {
  public:
    static constexpr std::chrono::milliseconds kRest{1000};

    explicit RestingPointer(QWidget* widget);

    void SetHiding(bool hiding);
    bool hiding() const { return hiding_; }
    // The pointer has rested for kRest; the timer says so, and tests may.
    void Rested();

    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QWidget* widget_;
    QTimer rest_;
    bool hiding_ = false;
};

}  // namespace vexmire
