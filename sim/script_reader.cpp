#include "script_reader.h"

#include <streambuf>
#include <string>

#include "malformed_line.h"
#include "utf8.h"

bool ScriptReader::Next(std::string& line) {
    line.clear();
    std::streambuf* source = in_.rdbuf();
    if (source == nullptr) return false;
    bool readAnything = false;
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
    }
    if (!readAnything) return false;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (!IsValidUtf8(line)) throw MalformedLine("the line is not valid UTF-8 text");
    return true;
}
