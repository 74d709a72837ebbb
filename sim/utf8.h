#pragma once

#include <string_view>

// Strict UTF-8: no overlong forms, no surrogates, nothing beyond U+10FFFF, no cut sequence.
bool IsValidUtf8(std::string_view text);
