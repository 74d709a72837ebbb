#include "platform/qt/desktop_bell.h"

#include <cstdlib>
#include <filesystem>
#include <utility>

#include <canberra.h>

namespace vexmire {

namespace {

// A sound library chosen by name, or a server named, is the player's choice: it is tried.
bool SoundChosenByName() {
    return std::getenv("CANBERRA_DRIVER") != nullptr || std::getenv("PULSE_SERVER") != nullptr;
}

}  // namespace

bool SoundOutputIn(const std::string& runtimeFolder, const std::string& soundDevices) {
    namespace fs = std::filesystem;
    std::error_code error;
    if (!runtimeFolder.empty() && (fs::exists(fs::path(runtimeFolder) / "pulse" / "native", error) ||
                                   fs::exists(fs::path(runtimeFolder) / "pipewire-0", error))) {
        return true;
    }
    for (fs::directory_iterator device(soundDevices, error), end; !error && device != end;
         device.increment(error)) {
        const std::string name = device->path().filename().string();
        if (name.starts_with("pcmC") && name.ends_with("p")) return true;
    }
    return false;
}

DesktopBell::DesktopBell(std::function<void()> windowSystemBell)
    : windowSystemBell_(std::move(windowSystemBell)) {}

DesktopBell::~DesktopBell() {
    if (context_ != nullptr) ca_context_destroy(context_);
}

// Connects to the sound server at the first ring, not at start-up: most games never ring.
bool DesktopBell::Open() {
    if (context_ != nullptr) return true;
    if (noSoundServer_) return false;
    noSoundServer_ = true;
    const char* runtimeFolder = std::getenv("XDG_RUNTIME_DIR");
    if (!SoundChosenByName() &&
        !SoundOutputIn(runtimeFolder != nullptr ? runtimeFolder : "", "/dev/snd")) {
        return false;
    }
    if (ca_context_create(&context_) != CA_SUCCESS) {
        context_ = nullptr;
        return false;
    }
    ca_context_change_props(context_, CA_PROP_APPLICATION_NAME, "Vexmire", CA_PROP_APPLICATION_ID,
                            "org.vexmire.Vexmire", CA_PROP_APPLICATION_ICON_NAME,
                            "org.vexmire.Vexmire", nullptr);
    if (ca_context_open(context_) != CA_SUCCESS) {
        ca_context_destroy(context_);
        context_ = nullptr;
        return false;
    }
    noSoundServer_ = false;
    return true;
}

DesktopBell::Sound DesktopBell::Ring() {
    if (Open()) {
        ca_proplist* properties = nullptr;
        if (ca_proplist_create(&properties) == CA_SUCCESS) {
            ca_proplist_sets(properties, CA_PROP_EVENT_ID, "bell-window-system");
            ca_proplist_sets(properties, CA_PROP_EVENT_DESCRIPTION, "Bell");
            ca_proplist_sets(properties, CA_PROP_CANBERRA_CACHE_CONTROL, "permanent");
            {
                std::lock_guard lock(mutex_);
                ++playing_;
            }
            const int result = ca_context_play_full(context_, 0, properties, &Finished, this);
            ca_proplist_destroy(properties);
            if (result == CA_SUCCESS) return Sound::Theme;
            // No callback comes for a sound that never started.
            std::lock_guard lock(mutex_);
            --playing_;
        }
    }
    if (windowSystemBell_) windowSystemBell_();
    return Sound::WindowSystem;
}

// Called by libcanberra on a thread of its own when the sound has played, failed or been cut.
void DesktopBell::Finished(ca_context* /*context*/, uint32_t /*id*/, int /*error*/, void* bell) {
    auto* self = static_cast<DesktopBell*>(bell);
    std::lock_guard lock(self->mutex_);
    --self->playing_;
    self->finished_.notify_all();
}

void DesktopBell::LetTheSoundFinish(std::chrono::milliseconds longest) {
    std::unique_lock lock(mutex_);
    finished_.wait_for(lock, longest, [this] { return playing_ == 0; });
}

}  // namespace vexmire
