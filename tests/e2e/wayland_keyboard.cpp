// One virtual keyboard on a Wayland compositor's seat, alive for as long as this program runs, as
// a real desktop has one keyboard. The end-to-end tests feed it lines on standard input:
//
//   down KEY    presses KEY and keeps it down
//   up KEY      releases KEY
//   tap KEY     presses and releases KEY
//
// KEY is an X keysym name of a US layout: Left, Right, Up, Down, space, Return, Alt_L, Tab,
// Escape, a letter or a digit. Each line is answered with "ok" once the compositor has taken
// the event in, or with "error: WHAT". The keyboard goes away at the end of the input.
//
// The virtual-keyboard protocol is not among Debian's packaged protocol files, so its two
// small interfaces are written out here as wayland-scanner would generate them.
#include <sys/mman.h>
#include <unistd.h>
#include <wayland-client.h>
#include <xkbcommon/xkbcommon.h>

#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <string>
#include <vector>

extern "C" {
extern const wl_interface zwp_virtual_keyboard_v1_interface;
extern const wl_interface zwp_virtual_keyboard_manager_v1_interface;

static const wl_interface* virtual_keyboard_types[] = {
    nullptr,
    nullptr,
    nullptr,
    nullptr,
    nullptr,
    &wl_seat_interface,
    &zwp_virtual_keyboard_v1_interface,
};

static const wl_message virtual_keyboard_requests[] = {
    {"keymap", "uhu", virtual_keyboard_types},
    {"key", "uuu", virtual_keyboard_types},
    {"modifiers", "uuuuu", virtual_keyboard_types},
    {"destroy", "1", virtual_keyboard_types},
};

const wl_interface zwp_virtual_keyboard_v1_interface = {
    "zwp_virtual_keyboard_v1", 1, 4, virtual_keyboard_requests, 0, nullptr,
};

static const wl_message virtual_keyboard_manager_requests[] = {
    {"create_virtual_keyboard", "on", virtual_keyboard_types + 5},
};

const wl_interface zwp_virtual_keyboard_manager_v1_interface = {
    "zwp_virtual_keyboard_manager_v1", 1, 1, virtual_keyboard_manager_requests, 0, nullptr,
};
}

namespace {

enum Request : uint32_t { kKeymap = 0, kKey = 1, kModifiers = 2, kDestroy = 3 };
constexpr uint32_t kKeymapFormatXkbV1 = 1;
// xkb key codes are the kernel's input codes plus 8.
constexpr uint32_t kEvdevOffset = 8;

struct Globals {
    wl_seat* seat = nullptr;
    wl_proxy* manager = nullptr;
};

void OnGlobal(void* data, wl_registry* registry, uint32_t name, const char* interface, uint32_t) {
    auto* globals = static_cast<Globals*>(data);
    if (std::strcmp(interface, wl_seat_interface.name) == 0 && globals->seat == nullptr) {
        globals->seat =
            static_cast<wl_seat*>(wl_registry_bind(registry, name, &wl_seat_interface, 1));
    } else if (std::strcmp(interface, zwp_virtual_keyboard_manager_v1_interface.name) == 0) {
        globals->manager = static_cast<wl_proxy*>(
            wl_registry_bind(registry, name, &zwp_virtual_keyboard_manager_v1_interface, 1));
    }
}

void OnGlobalRemove(void*, wl_registry*, uint32_t) {}

const wl_registry_listener kRegistryListener = {OnGlobal, OnGlobalRemove};

uint32_t NowMs() {
    using namespace std::chrono;
    return static_cast<uint32_t>(
        duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

class VirtualKeyboard {
  public:
    VirtualKeyboard(wl_display* display, wl_proxy* keyboard, xkb_keymap* keymap)
        : display_(display), keyboard_(keyboard), keymap_(keymap), state_(xkb_state_new(keymap)) {}
    ~VirtualKeyboard() {
        for (uint32_t key : held_) Send(key, false);
        wl_proxy_marshal_flags(keyboard_, kDestroy, nullptr, 1, WL_MARSHAL_FLAG_DESTROY);
        wl_display_roundtrip(display_);
        xkb_state_unref(state_);
    }
    VirtualKeyboard(const VirtualKeyboard&) = delete;
    VirtualKeyboard& operator=(const VirtualKeyboard&) = delete;

    // The xkb key code that types `name` without modifiers, or 0.
    xkb_keycode_t CodeOf(const std::string& name) const {
        const xkb_keysym_t wanted = xkb_keysym_from_name(name.c_str(), XKB_KEYSYM_NO_FLAGS);
        if (wanted == XKB_KEY_NoSymbol) return 0;
        for (xkb_keycode_t code = xkb_keymap_min_keycode(keymap_);
             code <= xkb_keymap_max_keycode(keymap_); ++code) {
            const xkb_keysym_t* syms = nullptr;
            const int count = xkb_keymap_key_get_syms_by_level(keymap_, code, 0, 0, &syms);
            for (int i = 0; i < count; ++i) {
                if (syms[i] == wanted) return code;
            }
        }
        return 0;
    }

    bool Send(xkb_keycode_t code, bool down) {
        wl_proxy_marshal_flags(keyboard_, kKey, nullptr, 1, 0, NowMs(), code - kEvdevOffset,
                               down ? 1u : 0u);
        xkb_state_update_key(state_, code, down ? XKB_KEY_DOWN : XKB_KEY_UP);
        // Modifiers travel apart from the keys: without this, Alt+N would arrive as a bare n.
        wl_proxy_marshal_flags(keyboard_, kModifiers, nullptr, 1, 0,
                               xkb_state_serialize_mods(state_, XKB_STATE_MODS_DEPRESSED),
                               xkb_state_serialize_mods(state_, XKB_STATE_MODS_LATCHED),
                               xkb_state_serialize_mods(state_, XKB_STATE_MODS_LOCKED),
                               xkb_state_serialize_layout(state_, XKB_STATE_LAYOUT_EFFECTIVE));
        if (down) {
            held_.push_back(code);
        } else {
            std::erase(held_, code);
        }
        return wl_display_roundtrip(display_) >= 0;
    }

  private:
    wl_display* display_;
    wl_proxy* keyboard_;
    xkb_keymap* keymap_;
    xkb_state* state_;
    std::vector<uint32_t> held_;
};

// Hands the keymap to the compositor in a file of its own, as the protocol asks.
bool SendKeymap(wl_proxy* keyboard, xkb_keymap* keymap) {
    char* text = xkb_keymap_get_as_string(keymap, XKB_KEYMAP_FORMAT_TEXT_V1);
    if (text == nullptr) return false;
    const size_t size = std::strlen(text) + 1;
    const int fd = memfd_create("vexmire-e2e-keymap", MFD_CLOEXEC);
    bool written = fd >= 0 && write(fd, text, size) == static_cast<ssize_t>(size);
    std::free(text);
    if (written) {
        wl_proxy_marshal_flags(keyboard, kKeymap, nullptr, 1, 0, kKeymapFormatXkbV1, fd,
                               static_cast<uint32_t>(size));
    }
    if (fd >= 0) close(fd);
    return written;
}

}  // namespace

int main() {
    wl_display* display = wl_display_connect(nullptr);
    if (display == nullptr) {
        std::cerr << "wayland_keyboard: cannot connect to the Wayland display\n";
        return 1;
    }
    Globals globals;
    wl_registry* registry = wl_display_get_registry(display);
    wl_registry_add_listener(registry, &kRegistryListener, &globals);
    wl_display_roundtrip(display);
    if (globals.seat == nullptr || globals.manager == nullptr) {
        std::cerr << "wayland_keyboard: the compositor offers no seat or no virtual keyboard\n";
        return 1;
    }
    xkb_context* context = xkb_context_new(XKB_CONTEXT_NO_FLAGS);
    xkb_rule_names names = {"evdev", "pc105", "us", "", ""};
    xkb_keymap* keymap =
        context ? xkb_keymap_new_from_names(context, &names, XKB_KEYMAP_COMPILE_NO_FLAGS) : nullptr;
    if (keymap == nullptr) {
        std::cerr << "wayland_keyboard: cannot build a US keymap (is xkb-data installed?)\n";
        return 1;
    }
    auto* keyboard = static_cast<wl_proxy*>(wl_proxy_marshal_flags(
        globals.manager, 0, &zwp_virtual_keyboard_v1_interface, 1, 0, globals.seat, nullptr));
    if (!SendKeymap(keyboard, keymap) || wl_display_roundtrip(display) < 0) {
        std::cerr << "wayland_keyboard: the compositor refused the keymap\n";
        return 1;
    }
    std::cout << "ready" << std::endl;
    {
        VirtualKeyboard board(display, keyboard, keymap);
        std::string line;
        while (std::getline(std::cin, line)) {
            const size_t space = line.find(' ');
            const std::string verb = line.substr(0, space);
            const std::string key = space == std::string::npos ? "" : line.substr(space + 1);
            const xkb_keycode_t code = board.CodeOf(key);
            bool sent = false;
            if (code == 0) {
                std::cout << "error: unknown key '" << key << "'" << std::endl;
                continue;
            } else if (verb == "down") {
                sent = board.Send(code, true);
            } else if (verb == "up") {
                sent = board.Send(code, false);
            } else if (verb == "tap") {
                sent = board.Send(code, true) && board.Send(code, false);
            } else {
                std::cout << "error: unknown command '" << verb << "'" << std::endl;
                continue;
            }
            if (!sent) {
                std::cout << "error: the compositor has gone" << std::endl;
                return 1;
            }
            std::cout << "ok" << std::endl;
        }
    }
    xkb_keymap_unref(keymap);
    xkb_context_unref(context);
    wl_display_disconnect(display);
    return 0;
}
