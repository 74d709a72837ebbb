#pragma once

#include <cstdint>
#include <span>

#include "scene/entity.h"

namespace vexmire {

// One character's bitmap, rendered at build time: a bit a pixel, set where it is ink, each row
// starting on a byte of its own, the leftmost pixel in the highest bit.
struct Glyph {
    uint32_t codePoint;
    int advance;  // from this character's origin to the next one's, in 64ths of a pixel
    int left;     // from the origin to the bitmap's first column
    int top;      // from the baseline up to the bitmap's first row
    unsigned width;
    unsigned rows;
    unsigned offset;  // of the bitmap's first byte among the font's bits

    bool Ink(const uint8_t* bits, unsigned x, unsigned y) const {
        const uint8_t byte = bits[offset + y * ((width + 7) / 8) + x / 8];
        return (byte & (0x80u >> (x % 8))) != 0;
    }
};

// The game's face at one size and weight.
struct GlyphFont {
    int pixels;
    bool bold;
    int ascent;                     // pixels above the baseline
    int descent;                    // pixels below it
    std::span<const Glyph> glyphs;  // by code point, rising
    std::span<const uint8_t> bits;

    int LineHeight() const { return ascent + descent; }
    // The glyph of a character, or of '?' where the face has none.
    const Glyph& GlyphOf(uint32_t codePoint) const;
};

// The fonts made at build time (tools/glyph_table), one for each font the windows use.
std::span<const GlyphFont* const> GameGlyphFonts();

// The font drawn for a label's font: its size in pixels on a 96 DPI screen and its weight, or
// the nearest size made in that weight.
const GlyphFont& GlyphFontFor(const Font& font);

}  // namespace vexmire
