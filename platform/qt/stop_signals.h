#pragma once

#include "platform/qt/qt_platform.h"

namespace vexmire {

// A request to stop from outside the desktop ends the game as closing its window does: SIGTERM
// as the session ends, SIGINT from Ctrl+C in a terminal, SIGHUP as that terminal closes. The
// recording is finished and the program ends with status 0. Once one has come, a second such
// signal ends the process at once, for a game that could not stop by itself. A signal that the
// program was started with ignored (as nohup ignores SIGHUP) stays ignored.
void EndOnStopSignals(QtPlatform& platform);

}  // namespace vexmire
