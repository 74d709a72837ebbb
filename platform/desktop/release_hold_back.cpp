#include "platform/desktop/release_hold_back.h"

#include <QCoreApplication>

namespace vexmire {

ReleaseHoldBack::ReleaseHoldBack(QObject* parent) : QObject(parent) {
    timer_.setSingleShot(true);
    timer_.setInterval(kHoldBack);
    connect(&timer_, &QTimer::timeout, this, &ReleaseHoldBack::LetTheReleaseThrough);
}

ReleaseHoldBack::~ReleaseHoldBack() = default;

bool ReleaseHoldBack::eventFilter(QObject* watched, QEvent* event) {
    if (event == resent_ || !watched->isWindowType()) return false;
    const QEvent::Type type = event->type();
    if (type == QEvent::KeyPress && held_) {
        if (watched == receiver_ && IsRepeatOfHeldRelease(*static_cast<QKeyEvent*>(event))) {
            timer_.stop();
            held_.reset();
            return false;
        }
        LetTheReleaseThrough();
        return false;
    }
    if (type == QEvent::KeyRelease) {
        LetTheReleaseThrough();
        auto* release = static_cast<QKeyEvent*>(event);
        if (release->isAutoRepeat()) return false;
        receiver_ = watched;
        held_.reset(release->clone());
        timer_.start();
        return true;
    }
    // The keys released after the window has lost the keyboard are no longer its own.
    if (type == QEvent::FocusOut && watched == receiver_) LetTheReleaseThrough();
    return false;
}

bool ReleaseHoldBack::IsRepeatOfHeldRelease(const QKeyEvent& press) const {
    return press.key() == held_->key() && press.nativeScanCode() == held_->nativeScanCode() &&
           press.timestamp() == held_->timestamp();
}

void ReleaseHoldBack::LetTheReleaseThrough() {
    timer_.stop();
    if (!held_) return;
    const std::unique_ptr<QKeyEvent> release = std::move(held_);
    if (!receiver_) return;
    resent_ = release.get();
    QCoreApplication::sendEvent(receiver_, release.get());
    resent_ = nullptr;
}

}  // namespace vexmire
