#pragma once

#include <chrono>

class QGuiApplication;

namespace vexmire {

// On an X server a held key repeats as a release and a press, and Qt tells such a pair from a
// real release only when it has already read the press; on a busy machine a held arrow would
// then stop by itself. This asks the server, on Qt's own connection, to repeat a held key as
// presses only and to send one release when the key is let go. A server without that ability
// gets the application's releases held back instead (ReleaseHoldBack). Does nothing on other
// window systems.
void KeepHeldKeysHeld(QGuiApplication& app);

// How the desktop repeats a held key: the first repeat after `delay`, then one every `interval`.
struct KeyRepeat {
    std::chrono::milliseconds delay;
    std::chrono::milliseconds interval;
};

// The X server's own setting on X11; elsewhere Qt's rate after the half second most desktops
// wait. Needs the application.
KeyRepeat DesktopKeyRepeat();

}  // namespace vexmire
