#include "platform/desktop/desktop_key_repeat.h"

#include <algorithm>
#include <cstdlib>
#include <optional>

#include "platform/desktop/xcb_xkb.h"

#include <QGuiApplication>
#include <QStyleHints>

namespace vexmire {

namespace {

constexpr std::chrono::milliseconds kUsualDelay{500};

std::optional<KeyRepeat> X11KeyRepeat() {
    if (QGuiApplication::platformName() != QLatin1String("xcb")) return std::nullopt;
    auto* x11 = qApp->nativeInterface<QNativeInterface::QX11Application>();
    if (x11 == nullptr || x11->connection() == nullptr) return std::nullopt;
    xcb_connection_t* connection = x11->connection();
    const xcb_query_extension_reply_t* xkb = xcb_get_extension_data(connection, &xcb_xkb_id);
    if (xkb == nullptr || !xkb->present) return std::nullopt;
    xcb_xkb_get_controls_reply_t* controls = xcb_xkb_get_controls_reply(
        connection, xcb_xkb_get_controls(connection, XCB_XKB_ID_USE_CORE_KBD), nullptr);
    if (controls == nullptr) return std::nullopt;
    const KeyRepeat repeat{std::chrono::milliseconds(controls->repeatDelay),
                           std::chrono::milliseconds(std::max<int>(controls->repeatInterval, 1))};
    std::free(controls);
    return repeat;
}

}  // namespace

KeyRepeat DesktopKeyRepeat() {
    if (const std::optional<KeyRepeat> repeat = X11KeyRepeat()) return *repeat;
    const int perSecond =
        std::clamp(QGuiApplication::styleHints()->keyboardAutoRepeatRate(), 1, 1000);
    return {kUsualDelay, std::chrono::milliseconds(1000 / perSecond)};
}

}  // namespace vexmire
