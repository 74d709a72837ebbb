#include "platform/gamepad/device_wakeups.h"

#include <cerrno>
#include <utility>

#include <fcntl.h>
#include <sys/inotify.h>
#include <unistd.h>

namespace vexmire {

namespace {

enum class Drained { Empty, Closed };

// Reads whatever is waiting, so that the file is not readable again until the next event. A
// device that has gone reads as an error for ever: it must not be listened to any more.
Drained Drain(int fd) {
    char buffer[4096];
    for (;;) {
        const ssize_t got = read(fd, buffer, sizeof buffer);
        if (got > 0) continue;
        if (got < 0 && errno == EINTR) continue;
        if (got < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) return Drained::Empty;
        return Drained::Closed;
    }
}

}  // namespace

DeviceWakeups::DeviceWakeups(std::function<void()> wake, QObject* parent)
    : QObject(parent), wake_(std::move(wake)) {}

// The notifiers go before their files are closed.
DeviceWakeups::~DeviceWakeups() {
    StopWatchingDevice();
    delete folderNotifier_;
    if (inotify_ >= 0) close(inotify_);
}

void DeviceWakeups::WatchFolder(const std::string& folder) {
    if (inotify_ >= 0) return;
    const int fd = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    if (fd < 0) return;
    // A new device node is made, then given its owner and permissions: either may be the moment
    // it can be opened.
    if (inotify_add_watch(fd, folder.c_str(), IN_CREATE | IN_DELETE | IN_ATTRIB | IN_MOVED_TO) <
        0) {
        close(fd);
        return;
    }
    inotify_ = fd;
    folderNotifier_ = new QSocketNotifier(inotify_, QSocketNotifier::Read, this);
    connect(folderNotifier_, &QSocketNotifier::activated, this, &DeviceWakeups::FolderChanged);
}

void DeviceWakeups::WatchDevice(const std::string& path) {
    StopWatchingDevice();
    if (path.empty()) return;
    const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return;
    device_ = fd;
    deviceNotifier_ = new QSocketNotifier(device_, QSocketNotifier::Read, this);
    connect(deviceNotifier_, &QSocketNotifier::activated, this, &DeviceWakeups::DeviceReadable);
}

void DeviceWakeups::FolderChanged() {
    Drain(inotify_);
    wake_();
}

void DeviceWakeups::DeviceReadable() {
    if (Drain(device_) == Drained::Closed) StopWatchingDevice();
    wake_();
}

void DeviceWakeups::StopWatchingDevice() {
    if (device_ < 0) return;
    // Also called from the notifier's own signal, which it must outlive.
    deviceNotifier_->setEnabled(false);
    deviceNotifier_->deleteLater();
    deviceNotifier_ = nullptr;
    close(device_);
    device_ = -1;
}

}  // namespace vexmire
