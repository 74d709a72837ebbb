#include "sim/whole_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "script/malformed_line.h"

namespace vexmire {

namespace {

bool Fail(const std::string& path, std::string& error) {
    error = "cannot write " + Shortened(path) + ": " + std::strerror(errno);
    return false;
}

}  // namespace

bool WriteWholeFile(const std::string& path, std::string_view bytes, std::string& error) {
    const int file = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (file < 0) return Fail(path, error);
    while (!bytes.empty()) {
        const ssize_t written = ::write(file, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) {
            if (written == 0) errno = EIO;  // a write that makes no progress would never end
            const int reason = errno;
            ::close(file);
            errno = reason;
            return Fail(path, error);
        }
        bytes.remove_prefix(static_cast<size_t>(written));
    }
    if (::close(file) != 0) return Fail(path, error);
    return true;
}

}  // namespace vexmire
