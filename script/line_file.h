#pragma once

#include <string_view>

namespace vexmire {

// A file (or a pipe) that only ever holds whole lines. Each line goes out in one write(), which
// a pipe takes whole up to PIPE_BUF bytes; a line that a full disk takes only in part is taken
// back out again, so that a reader never meets half a line (a cut "tick 6" of "tick 64" would
// replay another game). The file is not closed here: it belongs to whoever opened it.
class LineFile {
  public:
    explicit LineFile(int fd) : fd_(fd) {}

    // Writes `line` and its line end. False, with the reason in error(), when the line could not
    // be written whole; the file then ends with the line before it.
    bool Write(std::string_view line);

    // The errno of the last failed write.
    int error() const { return error_; }

  private:
    // Removes the `written` bytes of a line that went out only in part.
    void TakeBack(long written);

    int fd_;
    int error_ = 0;
};

}  // namespace vexmire
