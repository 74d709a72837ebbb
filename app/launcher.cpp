// The program a player starts, `vexmire`, is only this: it holds back the stop signals and
// starts the game's own program in its place. Loading the game takes tens of milliseconds (the
// toolkit is dozens of libraries), and a stop signal that came meanwhile would end the process
// with the system's status before the game could make it an orderly end; held back, it waits
// for the game, which takes it as soon as it can (status 0). This file loads nothing but the C
// library, so that the stop is held back within a millisecond of the start.

#include <limits.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <initializer_list>

int main(int /*argc*/, char* argv[]) {
    sigset_t stops;
    sigemptyset(&stops);
    for (const int signal : {SIGTERM, SIGINT, SIGHUP}) sigaddset(&stops, signal);
    sigprocmask(SIG_BLOCK, &stops, nullptr);

    // The game's program lies at the same place relative to this one, built or installed.
    char game[PATH_MAX];
    const ssize_t length = readlink("/proc/self/exe", game, sizeof game - 1);
    if (length > 0) {
        game[length] = '\0';
        char* folder = std::strrchr(game, '/');
        const size_t room = sizeof game - static_cast<size_t>(folder + 1 - game);
        if (std::snprintf(folder + 1, room, "%s", VEXMIRE_GAME_FROM_LAUNCHER) < int(room)) {
            execv(game, argv);
        }
    }
    const int error = errno;
    sigprocmask(SIG_UNBLOCK, &stops, nullptr);
    std::fprintf(stderr, "vexmire: cannot start: the game's program %s cannot be run: %s\n",
                 game, std::strerror(error));
    return 1;
}
