#pragma once

#include <functional>

#include <QObject>

namespace vexmire {

// A request to stop from outside the desktop ends the game as closing its window does: SIGTERM
// as the session ends, SIGINT from Ctrl+C in a terminal, SIGHUP as that terminal closes. The
// recording is finished and the program ends with status 0. Once one has come, a second such
// signal ends the process at once, for a game that could not stop by itself. A signal that the
// program was started with ignored (as nohup ignores SIGHUP) stays ignored.
//
// Called first thing in main: until the event loop takes the signals over, nothing has been
// played that would need finishing, and a stop signal ends the program at once with status 0,
// also while it waits for a FIFO or a terminal, and also one that came while the program loaded
// and was held back until now.
void CatchStopSignals();

// From now on a stop signal only wakes the event loop, through the descriptor returned (-1 when
// no pipe could be made: the signals then do what they do by default).
int HandStopSignalsToTheLoop();

// Hands the stop signals to the event loop, where the first calls `end`. The loop's watch belongs
// to `owner`.
void EndOnStopSignals(QObject& owner, std::function<void()> end);

}  // namespace vexmire
