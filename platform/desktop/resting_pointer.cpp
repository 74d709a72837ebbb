#include "platform/desktop/resting_pointer.h"

#include <QEvent>

namespace vexmire {

RestingPointer::RestingPointer(QWidget* widget) : widget_(widget) {
    rest_.setSingleShot(true);
    connect(&rest_, &QTimer::timeout, this, &RestingPointer::Rested);
    widget_->installEventFilter(this);
}

void RestingPointer::SetHiding(bool hiding) {
    if (hiding == hiding_) return;
    hiding_ = hiding;
    // Moves without a button pressed reach the widget only while it tracks the mouse.
    widget_->setMouseTracking(hiding);
    rest_.stop();
    if (hiding) {
        Rested();
    } else {
        widget_->unsetCursor();
    }
}

void RestingPointer::Rested() {
    if (hiding_) widget_->setCursor(Qt::BlankCursor);
}

bool RestingPointer::eventFilter(QObject* watched, QEvent* event) {
    if (hiding_ && watched == widget_ && event->type() == QEvent::MouseMove) {
        widget_->unsetCursor();
        rest_.start(kRest);
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace vexmire
