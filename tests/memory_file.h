#pragma once

#include <sys/mman.h>
#include <unistd.h>

#include <string>

namespace vexmire {

// A file in memory for what the game writes, read back through a descriptor of its own as any
// other program would read it: nothing the writer still holds in a buffer shows.
class MemoryFile {
  public:
    MemoryFile() : fd_(memfd_create("vexmire-test", MFD_CLOEXEC)) {}
    ~MemoryFile() { ::close(fd_); }
    MemoryFile(const MemoryFile&) = delete;
    MemoryFile& operator=(const MemoryFile&) = delete;

    int fd() const { return fd_; }

    std::string Text() const {
        std::string text;
        char chunk[4096];
        for (off_t at = 0;;) {
            const ssize_t got = ::pread(fd_, chunk, sizeof chunk, at);
            if (got <= 0) return text;
            text.append(chunk, static_cast<size_t>(got));
            at += got;
        }
    }

  private:
    int fd_;
};

}  // namespace vexmire
