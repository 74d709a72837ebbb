#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>

struct ca_context;

namespace vexmire {

// The desktop's own bell: the sound theme's "bell-window-system" played through libcanberra
// where a sound server runs, and the window system's bell where none does (or the theme has no
// bell). Playing goes on in the background; a game that ends right after the bell waits for it
// in LetTheSoundFinish, once its windows are gone.
class DesktopBell {
  public:
    enum class Sound { Theme, WindowSystem };

    explicit DesktopBell(std::function<void()> windowSystemBell);
    ~DesktopBell();
    DesktopBell(const DesktopBell&) = delete;
    DesktopBell& operator=(const DesktopBell&) = delete;

    // Which bell was rung.
    Sound Ring();
    // Returns once no sound of this bell is playing any more, or after `longest`.
    void LetTheSoundFinish(std::chrono::milliseconds longest = std::chrono::seconds(3));

  private:
    static void Finished(ca_context* context, uint32_t id, int error, void* bell);
    bool Open();

    std::function<void()> windowSystemBell_;
    ca_context* context_ = nullptr;
    bool noSoundServer_ = false;
    std::mutex mutex_;
    std::condition_variable finished_;
    int playing_ = 0;
};

// Whether a sound could be heard at all: a PulseAudio or PipeWire server's socket in the
// session's runtime folder `runtimeFolder`, or a sound card's playback device in `soundDevices`
// (/dev/snd). Where there is neither, the sound libraries would only fill the terminal with
// their failures to find one.
bool SoundOutputIn(const std::string& runtimeFolder, const std::string& soundDevices);

}  // namespace vexmire
