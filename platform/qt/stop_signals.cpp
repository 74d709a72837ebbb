#include "platform/qt/stop_signals.h"

#include <fcntl.h>
#include <unistd.h>

#include <csignal>

#include <QSocketNotifier>

namespace vexmire {

namespace {

constexpr int kStopSignals[] = {SIGTERM, SIGINT, SIGHUP};

// The write end of the pipe that carries a stop from the signal handler into the event loop.
int stopWrite = -1;

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
    for (const int signal : kStopSignals) {
        if (!Ignored(signal)) Handle(signal, SIG_DFL);
    }
    const char stop = 1;
    [[maybe_unused]] const ssize_t written = ::write(stopWrite, &stop, 1);
}

}  // namespace

void EndOnStopSignals(QtPlatform& platform) {
    int ends[2];
    // Without the pipe the signals keep what they do by default; the game still plays.
    if (::pipe2(ends, O_CLOEXEC | O_NONBLOCK) != 0) return;
    stopWrite = ends[1];
    auto* stops = new QSocketNotifier(ends[0], QSocketNotifier::Read, &platform);
    QObject::connect(stops, &QSocketNotifier::activated, &platform, [&platform, stops] {
        stops->setEnabled(false);
        platform.Shutdown();
    });
    for (const int signal : kStopSignals) {
        if (!Ignored(signal)) Handle(signal, NoteStop);
    }
}

}  // namespace vexmire
