#pragma once

#include <functional>
#include <string>

#include <QObject>
#include <QSocketNotifier>

namespace vexmire {

// Wakes the game when the kernel has news of its controllers, and never otherwise: a device came
// or went in the folder of input devices, or the open controller sent an event. The process
// sleeps in between, so that a resting game stays asleep with a controller plugged in. Each
// event is read here only to empty the file, on a file of its own; the game-controller library
// reads the same events from its own.
class DeviceWakeups : public QObject {
  public:
    explicit DeviceWakeups(std::function<void()> wake, QObject* parent = nullptr);
    ~DeviceWakeups() override;
    DeviceWakeups(const DeviceWakeups&) = delete;
    DeviceWakeups& operator=(const DeviceWakeups&) = delete;

    // Devices coming and going in `folder`. A folder that cannot be watched is left alone.
    void WatchFolder(const std::string& folder);
    // The events of the device at `path`; the empty path stops watching the last one.
    void WatchDevice(const std::string& path);
    bool watchingDevice() const { return device_ >= 0; }

  private:
    void FolderChanged();
    void DeviceReadable();
    void StopWatchingDevice();

    std::function<void()> wake_;
    int inotify_ = -1;
    int device_ = -1;
    QSocketNotifier* folderNotifier_ = nullptr;
    QSocketNotifier* deviceNotifier_ = nullptr;
};

}  // namespace vexmire
