#pragma once

namespace vexmire {

// Ends the process once the event loop has returned, with `status`, after flushing the standard
// streams. Qt's own teardown is skipped: on Wayland it can wait for ever on a read of the
// display connection that nothing cancels, and the game keeps nothing between runs that the
// teardown would save. Whatever else the program writes must be flushed before this is called.
[[noreturn]] void EndProcess(int status);

}  // namespace vexmire
