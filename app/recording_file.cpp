#include "app/recording_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

namespace vexmire {

namespace {

std::string Reason(int error) {
    return std::strerror(error);
}

bool Status(const std::string& path, bool dashIsInput, struct stat& status) {
    if (dashIsInput && path == "-") return ::fstat(STDIN_FILENO, &status) == 0;
    return ::stat(path.c_str(), &status) == 0;
}

// The folder a new file would be made in must let it be made.
bool FolderTakesNewFile(const std::string& path, std::string& why) {
    std::filesystem::path folder = std::filesystem::path(path).parent_path();
    if (folder.empty()) folder = ".";
    if (::access(folder.c_str(), W_OK | X_OK) == 0) return true;
    why = Reason(errno);
    return false;
}

}  // namespace

RecordingFile::~RecordingFile() {
    if (fd_ >= 0) ::close(fd_);
}

bool RecordingFile::Open(const std::string& path, std::string& why) {
    path_ = path;
    struct stat status = {};
    if (::stat(path.c_str(), &status) != 0) {
        if (errno != ENOENT) {
            why = Reason(errno);
            return false;
        }
        return FolderTakesNewFile(path, why);
    }
    if (S_ISDIR(status.st_mode)) {
        why = "it is a folder";
        return false;
    }
    // Opening a FIFO for writing waits for its reader; without one the game would hang before
    // any window, without a word.
    const int flags = O_WRONLY | O_CLOEXEC | (S_ISFIFO(status.st_mode) ? O_NONBLOCK : 0);
    fd_ = ::open(path.c_str(), flags);
    if (fd_ < 0) {
        why = errno == ENXIO ? "no program reads from it" : Reason(errno);
        return false;
    }
    if (S_ISFIFO(status.st_mode)) ::fcntl(fd_, F_SETFL, ::fcntl(fd_, F_GETFL) & ~O_NONBLOCK);
    return true;
}

int RecordingFile::Take(std::string& why) {
    if (fd_ < 0) {
        fd_ = ::open(path_.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
        if (fd_ < 0) why = Reason(errno);
        return fd_;
    }
    struct stat status = {};
    if (::fstat(fd_, &status) == 0 && S_ISREG(status.st_mode) && ::ftruncate(fd_, 0) != 0) {
        why = Reason(errno);
        return -1;
    }
    return fd_;
}

bool IsTheReplay(const std::string& recordPath, const std::string& replayPath) {
    struct stat record = {};
    struct stat replay = {};
    return Status(recordPath, false, record) && Status(replayPath, true, replay) &&
           record.st_dev == replay.st_dev && record.st_ino == replay.st_ino;
}

}  // namespace vexmire
