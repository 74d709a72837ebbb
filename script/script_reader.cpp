#include "script/script_reader.h"

#include <nlohmann/json.hpp>
#include <streambuf>
#include <string>
#include <string_view>

#include "script/malformed_line.h"

namespace vexmire {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// Every text the driver prints goes through the JSON library, which refuses text that is not
// strict UTF-8 (overlong forms, surrogates, code points beyond U+10FFFF, cut sequences). The
// same check decides which script lines are text, so the two can never disagree.
bool IsUtf8Text(const std::string& line) {
    try {
        static_cast<void>(nlohmann::json(line).dump());
        return true;
    } catch (const nlohmann::json::type_error&) {
        return false;
    }
}

}  // namespace

bool ScriptReader::Next(std::string& line) {
    line.clear();
    std::streambuf* source = in_.rdbuf();
    if (source == nullptr) return false;
    bool readAnything = false;
    // Editors on some systems start a UTF-8 file with a byte-order mark. It belongs to the file,
    // not to the first command, and is dropped as it is read so that it does not count against
    // the line's length. Further down the same bytes are text of their line.
    bool markMayFollow = lineNumber_ == 0;
    for (;;) {
        const int c = source->sbumpc();
        if (c == std::char_traits<char>::eof()) break;
        if (!readAnything) ++lineNumber_;
        readAnything = true;
        if (c == '\n') break;
        if (line.size() == kMaxLineBytes) {
            throw MalformedLine("the line is longer than " + std::to_string(kMaxLineBytes) +
                                " bytes");
        }
        line.push_back(std::char_traits<char>::to_char_type(c));
        if (markMayFollow && line.size() == kByteOrderMark.size()) {
            markMayFollow = false;
            if (line == kByteOrderMark) line.clear();
        }
    }
    if (!readAnything) return false;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (!IsUtf8Text(line)) throw MalformedLine("the line is not valid UTF-8 text");
    return true;
}

}  // namespace vexmire
