#include "script/line_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <string>

namespace vexmire {

bool LineFile::Write(std::string_view line) {
    std::string whole(line);
    whole.push_back('\n');
    size_t written = 0;
    while (written < whole.size()) {
        const ssize_t now = ::write(fd_, whole.data() + written, whole.size() - written);
        if (now > 0) {
            written += static_cast<size_t>(now);
            continue;
        }
        if (now < 0 && errno == EINTR) continue;
        // A write that takes nothing and reports nothing would loop for ever.
        error_ = now < 0 ? errno : ENOSPC;
        TakeBack(static_cast<long>(written));
        return false;
    }
    return true;
}

// The bytes that went out are the last ones before the file's offset, also where the file was
// opened for appending. A pipe cannot take them back: it was given the line in one write, which
// it takes whole or not at all.
void LineFile::TakeBack(long written) {
    if (written == 0) return;
    const off_t end = ::lseek(fd_, 0, SEEK_CUR);
    if (end < written) return;
    if (::ftruncate(fd_, end - written) == 0) ::lseek(fd_, end - written, SEEK_SET);
}

}  // namespace vexmire
