#pragma once

#include <chrono>
#include <memory>

#include <QKeyEvent>
#include <QObject>
#include <QPointer>
#include <QTimer>

namespace vexmire {

// An X server that cannot repeat a held key as presses only repeats it as a release and a press
// with the same time stamp, and Qt pairs the two up only when the press has already been read.
// When the machine is busy it often has not, and the release would stop a held arrow or press a
// held button. Installed on the application, this holds back for a moment every release that Qt
// did not pair up: a press of the same key with the same time stamp shows that it was a repeat,
// and the release is dropped; any other key event, the window losing the keyboard or the moment
// passing lets the release through first, in its place.
class ReleaseHoldBack : public QObject {
    Q_OBJECT
  public:
    // Long enough for a busy machine to read the press that follows a repeat's release.
    static constexpr std::chrono::milliseconds kHoldBack{50};

    explicit ReleaseHoldBack(QObject* parent = nullptr);
    ~ReleaseHoldBack() override;

    // Key events reach a window first; only those are looked at.
    bool eventFilter(QObject* watched, QEvent* event) override;

    bool holding() const { return held_ != nullptr; }
    // How much longer the held release waits for a press with its time.
    std::chrono::milliseconds holdingFor() const { return timer_.remainingTimeAsDuration(); }
    // The moment has passed: the held release goes on to its window. The timer calls this.
    void LetTheReleaseThrough();

  private:
    bool IsRepeatOfHeldRelease(const QKeyEvent& press) const;

    QPointer<QObject> receiver_;
    std::unique_ptr<QKeyEvent> held_;
    QTimer timer_;
    const QEvent* resent_ = nullptr;  // the held release, on its way to its window
};

}  // namespace vexmire
