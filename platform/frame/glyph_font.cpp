#include "platform/frame/glyph_font.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace vexmire {

namespace {

constexpr double kPixelsPerPoint = 96.0 / 72.0;

}  // namespace

const Glyph& GlyphFont::GlyphOf(uint32_t codePoint) const {
    const auto found = std::lower_bound(
        glyphs.begin(), glyphs.end(), codePoint,
        [](const Glyph& glyph, uint32_t point) { return glyph.codePoint < point; });
    if (found != glyphs.end() && found->codePoint == codePoint) return *found;
    return codePoint == '?' ? glyphs.front() : GlyphOf('?');
}

const GlyphFont& GlyphFontFor(const Font& font) {
    const long pixels = std::lround(font.points * kPixelsPerPoint);
    const GlyphFont* nearest = GameGlyphFonts().front();
    long nearestDistance = -1;
    for (const GlyphFont* candidate : GameGlyphFonts()) {
        const long distance =
            std::labs(candidate->pixels - pixels) + (candidate->bold == font.bold ? 0 : 1000);
        if (nearestDistance < 0 || distance < nearestDistance) {
            nearest = candidate;
            nearestDistance = distance;
        }
    }
    return *nearest;
}

}  // namespace vexmire
