#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/frame/frame_text.h"
#include "platform/frame/glyph_font.h"
#include "platform/frame/rgba_frame.h"

namespace vexmire {

namespace {

const GlyphFont& TipFont() {
    return GlyphFontFor(Font{"MS Sans Serif", 8, false});
}

TEST(FrameText, CaptionsAreReadAsUtf8AndMalformedBytesBecomeCharactersNoFontHas) {
    EXPECT_EQ(EncodeUtf8(DecodeUtf8("Ab \xC3\xA9 \xF0\x9F\x99\x82")),
              "Ab \xC3\xA9 \xF0\x9F\x99\x82");
    EXPECT_EQ(DecodeUtf8("Ab \xC3\xA9"), U"Ab \u00E9");
    EXPECT_EQ(DecodeUtf8("a\xFF"
                         "b"),
              U"a\uFFFDb");
    EXPECT_EQ(DecodeUtf8("\xC3"), U"\uFFFD");                      // cut short
    EXPECT_EQ(DecodeUtf8("\xC0\xAF"), U"\uFFFD\uFFFD");            // overlong
    EXPECT_EQ(DecodeUtf8("\xED\xA0\x80"), U"\uFFFD\uFFFD\uFFFD");  // a surrogate
    EXPECT_EQ(DecodeUtf8("\xF0\x9F\x99\x82"), U"\U0001F642");
}

TEST(FrameText, TheFontsAreTheWindowsSizesAndWeights) {
    EXPECT_EQ(TipFont().pixels, 11);
    EXPECT_FALSE(TipFont().bold);
    EXPECT_EQ(GlyphFontFor(Font{"MS Sans Serif", 12, true}).pixels, 16);
    EXPECT_TRUE(GlyphFontFor(Font{"MS Sans Serif", 12, true}).bold);
    EXPECT_EQ(GlyphFontFor(Font{"MS Sans Serif", 24, false}).pixels, 32);
    EXPECT_EQ(GlyphFontFor(Font{"Anything", 9, false}).pixels, 11);  // the nearest made
}

TEST(FrameText, ACharacterTheFontLacksIsDrawnAsTheQuestionMark) {
    EXPECT_EQ(&TipFont().GlyphOf(U'\u4E2D'), &TipFont().GlyphOf(U'?'));
    EXPECT_EQ(&TipFont().GlyphOf(U'\uFFFD'), &TipFont().GlyphOf(U'?'));
    EXPECT_NE(&TipFont().GlyphOf(U'\u00E9'), &TipFont().GlyphOf(U'?'));
}

TEST(FrameText, LinesBreakAtSpacesWithinTheWidthAndAtLineFeeds) {
    const GlyphFont& font = TipFont();
    const int wordWidth = LineWidth(font, U"keypad");
    EXPECT_EQ(WrapAtSpaces(U"keypad keypad", font, 3 * wordWidth),
              std::vector<std::u32string>{U"keypad keypad"});
    EXPECT_EQ(WrapAtSpaces(U"keypad  keypad", font, wordWidth),
              (std::vector<std::u32string>{U"keypad", U"keypad"}));
    EXPECT_EQ(WrapAtSpaces(U"a\nb", font, 200), (std::vector<std::u32string>{U"a", U"b"}));
    // A word wider than the box stands alone rather than vanishing.
    EXPECT_EQ(WrapAtSpaces(U"keypad", font, 1), std::vector<std::u32string>{U"keypad"});
}

TEST(FrameText, TextTouchesOnlyThePixelsInsideItsClip) {
    RgbaFrame frame(40, 20, Rgba{0, 0, 0, 255});
    const Rgba white{255, 255, 255, 255};
    DrawLine(frame, TipFont(), 2, 12, U"MMMMMMMM", white, PixelRect{5, 0, 20, 10});
    int inside = 0;
    for (int y = 0; y < frame.height(); ++y) {
        for (int x = 0; x < frame.width(); ++x) {
            const bool inClip = x >= 5 && x < 20 && y < 10;
            if (frame.at(x, y) == white) {
                EXPECT_TRUE(inClip) << x << "," << y;
                ++inside;
            }
        }
    }
    EXPECT_GT(inside, 20);
}

}  // namespace

}  // namespace vexmire
