#pragma once

#include <functional>
#include <initializer_list>

#include <QObject>
#include <QWidget>


namespace vexmire {

// A window of the game destroyed from outside the program, as `xdotool windowclose` does on
// X11, ends the program as closing it does: the game cannot go on without either of its
// windows, and a process with nothing left on the screen would run for ever. Qt itself never
// destroys these windows while the program runs. Only on X11; elsewhere this does nothing.
// `end` is called from the event loop; the watch belongs to `owner`.
void EndWhenDestroyed(QObject& owner, std::initializer_list<QWidget*> windows,
                      std::function<void()> end);

}  // namespace vexmire
