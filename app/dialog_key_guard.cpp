#include "app/dialog_key_guard.h"

#include <algorithm>
#include <utility>

#include <QKeyEvent>

#include "platform/qt/key_map.h"

namespace vexmire {

DialogKeyGuard::DialogKeyGuard(std::function<bool()> dialogOpen,
                               std::function<Clock::time_point()> now, QObject* parent)
    : QObject(parent), dialogOpen_(std::move(dialogOpen)), now_(std::move(now)) {}

void DialogKeyGuard::Opened(const std::vector<int16_t>& held) {
    settled_ = now_() + kSettling;
    heldAtOpening_ = held;
}

void DialogKeyGuard::Released(int16_t code) {
    if (std::erase(heldAtOpening_, code) > 0) released_ = code;
}

bool DialogKeyGuard::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if ((type != QEvent::KeyPress && type != QEvent::KeyRelease) || !dialogOpen_()) {
        return QObject::eventFilter(watched, event);
    }
    const auto* key = static_cast<QKeyEvent*>(event);
    const int16_t code = GameWindowKeyCode(*key);
    const auto held = std::find(heldAtOpening_.begin(), heldAtOpening_.end(), code);
    if (held != heldAtOpening_.end()) {
        if (type == QEvent::KeyRelease && !key->isAutoRepeat()) {
            heldAtOpening_.erase(held);
            released_ = code;
        }
        return true;
    }
    return type == QEvent::KeyPress && settling();
}

}  // namespace vexmire
