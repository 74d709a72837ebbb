#include "platform/desktop/stop_signals.h"

#include <fcntl.h>
#include <unistd.h>

#include <csignal>

#include <QSocketNotifier>

namespace vexmire {

namespace {

constexpr int kStopSignals[] = {SIGTERM, SIGINT, SIGHUP};
constexpr int kStoppedFromOutside = 0;

// The write end of the pipe that carries a stop from the signal handler into the event loop;
// -1 while the program is still starting.
volatile sig_atomic_t stopWrite = -1;

void Handle(int signal, void (*handler)(int)) {
    struct sigaction action = {};
    action.sa_handler = handler;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(signal, &action, nullptr);
}

bool Ignored(int signal) {
    struct sigaction now = {};
    return sigaction(signal, nullptr, &now) == 0 && now.sa_handler == SIG_IGN;
}

// Only what is safe in a signal handler: the next stop signal is left to the system, and one
// byte wakes the event loop. A full pipe already holds a stop.
void NoteStop(int /*signal*/) {
    if (stopWrite < 0) ::_exit(kStoppedFromOutside);
    for (const int signal : kStopSignals) {
        if (!Ignored(signal)) Handle(signal, SIG_DFL);
    }
    const char stop = 1;
    [[maybe_unused]] const ssize_t written = ::write(stopWrite, &stop, 1);
}

}  // namespace

void CatchStopSignals() {
    sigset_t stops;
    sigemptyset(&stops);
    for (const int signal : kStopSignals) {
        if (!Ignored(signal)) Handle(signal, NoteStop);
        sigaddset(&stops, signal);
    }
    // `vexmire` holds them back while the game loads: one that came meanwhile is taken now.
    sigprocmask(SIG_UNBLOCK, &stops, nullptr);
}

int HandStopSignalsToTheLoop() {
    int ends[2];
    if (::pipe2(ends, O_CLOEXEC | O_NONBLOCK) != 0) {
        for (const int signal : kStopSignals) {
            if (!Ignored(signal)) Handle(signal, SIG_DFL);
        }
        return -1;
    }
    stopWrite = ends[1];
    CatchStopSignals();
    return ends[0];
}

void EndOnStopSignals(QObject& owner, std::function<void()> end) {
    const int stops = HandStopSignalsToTheLoop();
    if (stops < 0) return;
    auto* notifier = new QSocketNotifier(stops, QSocketNotifier::Read, &owner);
    QObject::connect(notifier, &QSocketNotifier::activated, &owner,
                     [notifier, end = std::move(end)] {
                         notifier->setEnabled(false);
                         end();
                     });
}

}  // namespace vexmire
