#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include <QObject>

namespace vexmire {

// Guards a dialog that opens in the middle of play against the game's own keys, which the
// player is pressing anyway: a reflex press of Space or Enter would close the clue unread, and
// the note shows only once. For a moment after the dialog opens it takes no key press, and a key
// that was already down when it opened (its repeats and its release) never reaches it. Clicks are
// left alone. Installed on the application, it looks at key events only while a dialog is open.
class DialogKeyGuard : public QObject {
  public:
    using Clock = std::chrono::steady_clock;
    static constexpr std::chrono::milliseconds kSettling{500};

    // `dialogOpen` tells whether one of the game's dialogs is open; `now` reads the clock.
    DialogKeyGuard(std::function<bool()> dialogOpen, std::function<Clock::time_point()> now,
                   QObject* parent = nullptr);

    // A dialog has opened while the game keys `held` (their codes) were down.
    void Opened(const std::vector<int16_t>& held);

    // Whether the dialog is still in its first moment, which takes no press.
    bool settling() const { return now_() < settled_; }
    // A game key let go while the dialog is open by a device other than the keyboard.
    void Released(int16_t code);

    // The last held key that went up while the dialog was open, once; nothing if none did.
    std::optional<int16_t> TakeReleased() { return std::exchange(released_, std::nullopt); }

    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    std::function<bool()> dialogOpen_;
    std::function<Clock::time_point()> now_;
    Clock::time_point settled_{};
    std::vector<int16_t> heldAtOpening_;
    std::optional<int16_t> released_;
};

}  // namespace vexmire
