#include "app/replay_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace vexmire {

namespace {

ReplayFile Failed(int status, std::string message) {
    ReplayFile file;
    file.status = status;
    file.message = std::move(message);
    return file;
}

// Opens the file, saying first what the game waits for when it must wait.
int OpenForReading(const std::string& path, std::string& why) {
    if (path == "-") {
        if (::isatty(STDIN_FILENO)) {
            std::fprintf(stderr, "vexmire: reading the replay from the terminal, up to Ctrl+D\n");
        }
        return STDIN_FILENO;
    }
    struct stat status = {};
    if (::stat(path.c_str(), &status) == 0) {
        if (S_ISDIR(status.st_mode)) {
            why = "it is a folder";
            return -1;
        }
        if (S_ISFIFO(status.st_mode)) {
            std::fprintf(stderr, "vexmire: waiting for a program to write the replay into %s\n",
                         path.c_str());
        }
    }
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) why = std::strerror(errno);
    return fd;
}

}  // namespace

std::string ReplayName(const std::string& path) {
    return path == "-" ? "standard input" : path;
}

ReplayFile ReadReplayFile(const std::string& path) {
    std::string why;
    const int fd = OpenForReading(path, why);
    if (fd < 0) return Failed(1, "cannot read " + path + ": " + why);

    ReplayFile file;
    // One byte more than the longest replay tells a script that is too long from one that
    // fits exactly, without reading the rest of it.
    file.text.resize(kLongestReplay + 1);
    size_t length = 0;
    while (length < file.text.size()) {
        const ssize_t now = ::read(fd, file.text.data() + length, file.text.size() - length);
        if (now > 0) {
            length += static_cast<size_t>(now);
        } else if (now == 0) {
            break;
        } else if (errno != EINTR) {
            why = std::strerror(errno);
            break;
        }
    }
    if (fd != STDIN_FILENO) ::close(fd);
    if (!why.empty()) return Failed(1, "cannot read " + ReplayName(path) + ": " + why);
    if (length > kLongestReplay) {
        return Failed(2, TooLongReplayMessage(ReplayName(path)));
    }
    file.text.resize(length);
    file.text.shrink_to_fit();
    return file;
}

}  // namespace vexmire
