#pragma once

#include <string>
#include <string_view>

namespace vexmire {

// Writes `bytes` to a new or emptied file at `path`, checking every write and the close: a
// full disk often shows only when the file is closed. False, with the reason in `error`
// ("cannot write PATH: REASON"), when any step fails.
bool WriteWholeFile(const std::string& path, std::string_view bytes, std::string& error);

}  // namespace vexmire
