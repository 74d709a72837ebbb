#pragma once

#include <chrono>

namespace vexmire {

// How the desktop repeats a held key: the first repeat after `delay`, then one every `interval`.
struct KeyRepeat {
    std::chrono::milliseconds delay;
    std::chrono::milliseconds interval;
};

// The X server's own setting on X11; elsewhere Qt's rate after the half second most desktops
// wait. Needs the application.
KeyRepeat DesktopKeyRepeat();

}  // namespace vexmire
