#include "platform/desktop/x11_key_repeat.h"

#include <algorithm>
#include <cstdlib>
#include <memory>

#include "platform/desktop/xcb_xkb.h"

#include <QGuiApplication>
#include <QStyleHints>

#include "platform/desktop/release_hold_back.h"

namespace vexmire {

namespace {

constexpr std::chrono::milliseconds kUsualDelay{500};

struct FreeReply {
    void operator()(void* reply) const { std::free(reply); }
};
template <typename Reply>
using ReplyPointer = std::unique_ptr<Reply, FreeReply>;

// Qt's own connection to the X server, where that server has the keyboard extension; null on
// other window systems.
xcb_connection_t* XkbConnection() {
    if (QGuiApplication::platformName() != QLatin1String("xcb")) return nullptr;
    auto* x11 = qApp->nativeInterface<QNativeInterface::QX11Application>();
    if (x11 == nullptr || x11->connection() == nullptr) return nullptr;
    xcb_connection_t* connection = x11->connection();
    const xcb_query_extension_reply_t* xkb = xcb_get_extension_data(connection, &xcb_xkb_id);
    return xkb != nullptr && xkb->present ? connection : nullptr;
}

// Whether the server now repeats held keys for this connection as presses only.
bool AskForDetectableAutoRepeat(xcb_connection_t* connection) {
    // Qt has already taken XKB 1.0 on this connection for its keyboard; asking again is harmless.
    const ReplyPointer<xcb_xkb_use_extension_reply_t> use(
        xcb_xkb_use_extension_reply(connection, xcb_xkb_use_extension(connection, 1, 0), nullptr));
    if (!use || !use->supported) return false;
    const uint32_t flag = XCB_XKB_PER_CLIENT_FLAG_DETECTABLE_AUTO_REPEAT;
    xcb_generic_error_t* error = nullptr;
    const ReplyPointer<xcb_xkb_per_client_flags_reply_t> flags(xcb_xkb_per_client_flags_reply(
        connection,
        xcb_xkb_per_client_flags(connection, XCB_XKB_ID_USE_CORE_KBD, flag, flag, 0, 0, 0),
        &error));
    std::free(error);
    return flags && (flags->value & flag) != 0;
}

}  // namespace

void KeepHeldKeysHeld(QGuiApplication& app) {
    if (QGuiApplication::platformName() != QLatin1String("xcb")) return;
    xcb_connection_t* connection = XkbConnection();
    if (connection != nullptr && AskForDetectableAutoRepeat(connection)) return;
    app.installEventFilter(new ReleaseHoldBack(&app));
}

KeyRepeat DesktopKeyRepeat() {
    if (xcb_connection_t* connection = XkbConnection()) {
        const ReplyPointer<xcb_xkb_get_controls_reply_t> controls(xcb_xkb_get_controls_reply(
            connection, xcb_xkb_get_controls(connection, XCB_XKB_ID_USE_CORE_KBD), nullptr));
        if (controls) {
            return {std::chrono::milliseconds(controls->repeatDelay),
                    std::chrono::milliseconds(std::max<int>(controls->repeatInterval, 1))};
        }
    }
    const int perSecond =
        std::clamp(QGuiApplication::styleHints()->keyboardAutoRepeatRate(), 1, 1000);
    return {kUsualDelay, std::chrono::milliseconds(1000 / perSecond)};
}

}  // namespace vexmire
