// Listens for the X server's bell, as a desktop's visual bell does: prints "bell" on standard
// output each time any client of the display rings it, and "listening" once it is ready. Ends
// when the display goes away.
#include "platform/desktop/xcb_xkb.h"

#include <cstdio>
#include <cstdlib>
#include <memory>

namespace {

template <typename Reply>
using ReplyPointer = std::unique_ptr<Reply, decltype(&std::free)>;

int Fail(const char* why) {
    std::fprintf(stderr, "bell_listener: %s\n", why);
    return 1;
}

bool UseKeyboardExtension(xcb_connection_t* display) {
    ReplyPointer<xcb_xkb_use_extension_reply_t> reply(
        xcb_xkb_use_extension_reply(
            display, xcb_xkb_use_extension(display, XCB_XKB_MAJOR_VERSION, XCB_XKB_MINOR_VERSION),
            nullptr),
        &std::free);
    return reply && reply->supported;
}

bool ListenForBells(xcb_connection_t* display) {
    const auto bells = XCB_XKB_EVENT_TYPE_BELL_NOTIFY;
    xcb_void_cookie_t cookie = xcb_xkb_select_events_checked(
        display, XCB_XKB_ID_USE_CORE_KBD, bells, 0, bells, 0, 0, nullptr);
    ReplyPointer<xcb_generic_error_t> error(xcb_request_check(display, cookie), &std::free);
    return !error;
}

}  // namespace

int main() {
    xcb_connection_t* display = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(display)) return Fail("cannot open the display");
    const xcb_query_extension_reply_t* xkb = xcb_get_extension_data(display, &xcb_xkb_id);
    if (!xkb || !xkb->present || !UseKeyboardExtension(display)) {
        return Fail("the X server has no keyboard extension");
    }
    if (!ListenForBells(display)) return Fail("the X server refused to report its bell");
    std::printf("listening\n");
    std::fflush(stdout);
    while (xcb_generic_event_t* event = xcb_wait_for_event(display)) {
        auto* any = reinterpret_cast<xcb_xkb_bell_notify_event_t*>(event);
        if (event->response_type == xkb->first_event && any->xkbType == XCB_XKB_BELL_NOTIFY) {
            std::printf("bell\n");
            std::fflush(stdout);
        }
        std::free(event);
    }
    xcb_disconnect(display);
    return 0;
}
