#pragma once

#include <string>

namespace vexmire {

// The file that --record names, taken in two steps so that a game that cannot start leaves it
// as it was. Open() checks, before the display is even looked for, that the file can be
// written, without changing a byte of it; Take() empties it once the game's windows are up.
// A FIFO must already have its reader: the game never waits for one.
class RecordingFile {
  public:
    RecordingFile() = default;
    ~RecordingFile();
    RecordingFile(const RecordingFile&) = delete;
    RecordingFile& operator=(const RecordingFile&) = delete;

    // False, with the reason in `why` (one line, no program name), when the file cannot be
    // written.
    bool Open(const std::string& path, std::string& why);
    // The file, emptied and ready for the first line; -1, with the reason in `why`, when it
    // cannot be written after all.
    int Take(std::string& why);

    const std::string& path() const { return path_; }

  private:
    std::string path_;
    int fd_ = -1;
};

// Whether the recording would be written over the replay being read: one file (the same device
// and inode) under both names. A replay "-" is standard input.
bool IsTheReplay(const std::string& recordPath, const std::string& replayPath);

}  // namespace vexmire
