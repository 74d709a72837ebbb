#include "platform/desktop/destroyed_window_watch.h"

#include <functional>
#include <utility>
#include <vector>

#include <xcb/xcb.h>

#include <QAbstractNativeEventFilter>
#include <QByteArray>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QPointer>
#include <QTimer>

namespace vexmire {

namespace {

// Belongs to the platform; Qt takes the filter off the application when it is deleted.
class DestroyedWindowWatch : public QObject, public QAbstractNativeEventFilter {
  public:
    DestroyedWindowWatch(QObject& owner, std::initializer_list<QWidget*> windows,
                         std::function<void()> end)
        : QObject(&owner), end_(std::move(end)), windows_(windows.begin(), windows.end()) {
        QCoreApplication::instance()->installNativeEventFilter(this);
    }

    bool nativeEventFilter(const QByteArray& eventType, void* message,
                           qintptr* /*result*/) override {
        if (eventType != "xcb_generic_event_t") return false;
        const auto* event = static_cast<const xcb_generic_event_t*>(message);
        if ((event->response_type & 0x7F) != XCB_DESTROY_NOTIFY) return false;
        const auto* destroyed = static_cast<const xcb_destroy_notify_event_t*>(message);
        for (const QPointer<QWidget>& window : windows_) {
            // internalWinId() is 0 for a window not yet created on the server.
            if (window && window->internalWinId() == destroyed->window) {
                // From the event loop, not from inside Qt's reading of the event.
                QTimer::singleShot(0, this, [this] { end_(); });
                break;
            }
        }
        return false;
    }

  private:
    std::function<void()> end_;
    std::vector<QPointer<QWidget>> windows_;
};

}  // namespace

void EndWhenDestroyed(QObject& owner, std::initializer_list<QWidget*> windows,
                      std::function<void()> end) {
    if (QGuiApplication::platformName() != QLatin1String("xcb")) return;
    new DestroyedWindowWatch(owner, windows, std::move(end));
}

}  // namespace vexmire
