#pragma once

class QGuiApplication;

namespace vexmire {

// On an X server a held key repeats as a release and a press, and Qt tells such a pair from a
// real release only when it has already read the press; on a busy machine a held arrow would
// then stop by itself. This asks the server, on Qt's own connection, to repeat a held key as
// presses only and to send one release when the key is let go. A server without that ability
// gets the application's releases held back instead (ReleaseHoldBack). Does nothing on other
// window systems.
void KeepHeldKeysHeld(QGuiApplication& app);

}  // namespace vexmire
