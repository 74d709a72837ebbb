#pragma once

#include <cstdint>
#include <ostream>
#include <stdexcept>
#include <string>

#include "game/game.h"
#include "platform/headless_platform.h"
#include "script/command.h"
#include "session/session.h"

namespace vexmire {

// Standard output can no longer be written (a full disk, a reader that has gone away): nothing
// printed from here on would arrive, so the run stops with a failure.
class OutputFailed : public std::runtime_error {
  public:
    explicit OutputFailed(const std::string& reason)
        : std::runtime_error("cannot write standard output: " + reason) {}
};

// Throws OutputFailed when `out` has failed to take what was written to it.
void CheckOutput(const std::ostream& out);

// The game window's scene and rules on the headless platform, with every platform call printed
// as an event line the moment it happens and then forgotten.
class SimDriver {
  public:
    explicit SimDriver(std::ostream& out);
    SimDriver(const SimDriver&) = delete;
    SimDriver& operator=(const SimDriver&) = delete;

    // What start-up does: the load handler, whose two window changes are printed.
    void Start();

    // Lets ProgramFault and ProgramEnded through: the caller decides how the run ends.
    void Execute(const Command& command);

    void PrintState();

    Game& game() { return session_.game(); }
    const HeadlessPlatform& platform() const { return platform_; }
    uint64_t ticks() const { return ticks_; }

  private:
    struct Executor;

    std::ostream& out_;
    HeadlessPlatform platform_;  // before session_, which holds on to it
    Session session_;
    uint64_t ticks_ = 0;
};

}  // namespace vexmire
