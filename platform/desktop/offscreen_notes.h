#pragma once

namespace vexmire {

// Qt's offscreen platform cannot raise a window and says so for every window shown. The tests
// and benchmarks, which run on it, install this before their QApplication to keep that out of
// their output; every other message still goes through.
void QuietOffscreenNotes();

}  // namespace vexmire
