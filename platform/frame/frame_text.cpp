#include "platform/frame/frame_text.h"

#include <algorithm>

namespace vexmire {

namespace {

// Each character's origin is the pen's position rounded to the nearest pixel.
int WholePixels(int sixtyFourths) {
    return (sixtyFourths + 32) >> 6;
}

std::vector<std::u32string_view> Split(std::u32string_view text, char32_t separator) {
    std::vector<std::u32string_view> parts;
    size_t start = 0;
    while (true) {
        const size_t end = text.find(separator, start);
        parts.push_back(text.substr(start, end == std::u32string_view::npos ? end : end - start));
        if (end == std::u32string_view::npos) return parts;
        start = end + 1;
    }
}

}  // namespace

int LineWidth(const GlyphFont& font, std::u32string_view line) {
    int width = 0;
    for (const char32_t c : line) width += font.GlyphOf(c).advance;
    return WholePixels(width);
}

std::vector<std::u32string> WrapAtSpaces(std::u32string_view text, const GlyphFont& font,
                                         int width) {
    std::vector<std::u32string> lines;
    for (const std::u32string_view paragraph : Split(text, U'\n')) {
        std::u32string line;
        for (const std::u32string_view word : Split(paragraph, U' ')) {
            if (word.empty()) continue;
            std::u32string longer =
                line.empty() ? std::u32string(word) : line + U' ' + std::u32string(word);
            if (line.empty() || LineWidth(font, longer) <= width) {
                line = std::move(longer);
            } else {
                lines.push_back(std::move(line));
                line = word;
            }
        }
        lines.push_back(std::move(line));
    }
    return lines;
}

void DrawLine(RgbaFrame& frame, const GlyphFont& font, int x, int baseline,
              std::u32string_view line, Rgba colour, const PixelRect& clip) {
    const PixelRect area = frame.Clipped(clip);
    int pen = 0;
    for (const char32_t c : line) {
        const Glyph& glyph = font.GlyphOf(c);
        const int left = x + WholePixels(pen) + glyph.left;
        const int top = baseline - glyph.top;
        for (unsigned row = 0; row < glyph.rows; ++row) {
            const int y = top + static_cast<int>(row);
            if (y < area.top || y >= area.bottom) continue;
            for (unsigned column = 0; column < glyph.width; ++column) {
                const int px = left + static_cast<int>(column);
                if (px >= area.left && px < area.right &&
                    glyph.Ink(font.bits.data(), column, row)) {
                    frame.Set(px, y, colour);
                }
            }
        }
        pen += glyph.advance;
    }
}

}  // namespace vexmire
