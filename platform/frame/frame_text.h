#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/frame/glyph_font.h"
#include "platform/frame/rgba_frame.h"
#include "scene/utf8.h"

namespace vexmire {

// How far a line reaches from its first character's origin to the end of its last one.
int LineWidth(const GlyphFont& font, std::u32string_view line);

// A caption broken at spaces into lines no wider than `width`, as far as the words allow: a
// word wider than that stands alone on its line. A line feed always starts a new line.
std::vector<std::u32string> WrapAtSpaces(std::u32string_view text, const GlyphFont& font,
                                         int width);

// One line in one colour, its first character's origin at (x, baseline); only the pixels
// inside `clip` are touched.
void DrawLine(RgbaFrame& frame, const GlyphFont& font, int x, int baseline,
              std::u32string_view line, Rgba colour, const PixelRect& clip);

}  // namespace vexmire
