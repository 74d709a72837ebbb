#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <functional>
#include <string>

#include <QtGlobal>

#include "app/start_failure.h"
#include "platform/desktop/stop_signals.h"

namespace vexmire {

// Honest exit statuses: how the process ends when a stop signal comes, or a library ends it,
// each played in a child process of its own.
namespace {

struct Ended {
    int status = -1;  // the exit status, or -1
    int signal = 0;   // the signal that ended it, or 0
    std::string err;
};

Ended InChild(const std::function<void()>& play) {
    int err[2];
    if (::pipe(err) != 0) return {};
    const pid_t child = ::fork();
    if (child == 0) {
        ::dup2(err[1], STDERR_FILENO);
        ::close(err[0]);
        play();
        ::_exit(99);
    }
    ::close(err[1]);
    Ended ended;
    char chunk[512];
    for (ssize_t got; (got = ::read(err[0], chunk, sizeof chunk)) > 0;) ended.err.append(chunk, got);
    ::close(err[0]);
    int how = 0;
    ::waitpid(child, &how, 0);
    if (WIFEXITED(how)) ended.status = WEXITSTATUS(how);
    if (WIFSIGNALED(how)) ended.signal = WTERMSIG(how);
    return ended;
}

TEST(StopSignals, OneDuringStartUpEndsTheProgramWithStatusZero) {
    for (const int signal : {SIGTERM, SIGINT, SIGHUP}) {
        const Ended ended = InChild([signal] {
            CatchStopSignals();
            ::raise(signal);
        });
        EXPECT_EQ(ended.status, 0) << "signal " << signal;
    }
}

TEST(StopSignals, OnceTheLoopHasThemTheFirstWakesItAndTheSecondEndsTheProcessAtOnce) {
    const Ended ended = InChild([] {
        CatchStopSignals();
        const int stops = HandStopSignalsToTheLoop();
        ::raise(SIGTERM);
        char stop = 0;
        if (::read(stops, &stop, 1) != 1) ::_exit(98);
        ::raise(SIGTERM);
    });
    EXPECT_EQ(ended.signal, SIGTERM) << "status " << ended.status;
}

TEST(StartFailure, ALibraryThatEndsTheProgramDuringStartUpLeavesItsWarningsAndALineOfOurs) {
    const Ended ended = InChild([] {
        StartFailureGuard guard;
        qWarning("wl_shm: cannot share memory with the compositor");
        std::exit(1);
    });
    EXPECT_EQ(ended.status, 1);
    EXPECT_NE(ended.err.find("wl_shm: cannot share memory"), std::string::npos) << ended.err;
    EXPECT_NE(ended.err.find("vexmire: cannot start: "), std::string::npos) << ended.err;

    // The Wayland client's last word, after which it ends the process with _exit().
    const Ended broken = InChild([] {
        StartFailureGuard guard;
        qWarning("wl_shm: cannot share memory with the compositor");
        qWarning("The Wayland connection experienced a fatal error: Invalid argument");
        ::_exit(1);
    });
    EXPECT_EQ(broken.status, 1);
    EXPECT_NE(broken.err.find("wl_shm: cannot share memory"), std::string::npos) << broken.err;
    EXPECT_NE(broken.err.find("vexmire: cannot start: "), std::string::npos) << broken.err;
}

}  // namespace

}  // namespace vexmire
