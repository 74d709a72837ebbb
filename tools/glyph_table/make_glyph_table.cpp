// Writes the glyph bitmaps that the game draws its labels with, as a C++ table:
//
//   vexmire_make_glyph_table OUTPUT.cpp FONT_FILE:PIXELS:WEIGHT...
//
// e.g. /usr/share/fonts/truetype/dejavu/DejaVuSans.ttf:11:regular. Every glyph is rendered
// hinted and in one colour, as the game's crisp text has it: a pixel is ink or not. Advances are
// in 64ths of a pixel.
#include <ft2build.h>
#include FT_FREETYPE_H

#include <cstdio>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct Request {
    std::string file;
    int pixels = 0;
    bool bold = false;
};

// The characters every caption is drawn from: printable ASCII and Latin-1. The rest is drawn
// as the question mark.
std::vector<char32_t> CodePoints() {
    std::vector<char32_t> points;
    for (char32_t c = 0x20; c <= 0x7E; ++c) points.push_back(c);
    for (char32_t c = 0xA0; c <= 0xFF; ++c) points.push_back(c);
    return points;
}

bool ParseRequest(const std::string& text, Request& request) {
    const size_t weight = text.rfind(':');
    const size_t size = weight == std::string::npos ? weight : text.rfind(':', weight - 1);
    if (size == std::string::npos) return false;
    request.file = text.substr(0, size);
    try {
        request.pixels = std::stoi(text.substr(size + 1, weight - size - 1));
    } catch (const std::exception&) {
        return false;
    }
    const std::string name = text.substr(weight + 1);
    request.bold = name == "bold";
    return request.pixels > 0 && request.pixels <= 256 && (request.bold || name == "regular");
}

// One font's glyphs: a table of their metrics and one array of their rows' bits.
bool WriteFont(FT_Library library, const Request& request, int number, std::ostream& out) {
    FT_Face face = nullptr;
    if (FT_New_Face(library, request.file.c_str(), 0, &face) != 0) {
        std::cerr << "cannot read the font " << request.file << "\n";
        return false;
    }
    FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(request.pixels));
    std::ostringstream glyphs;
    std::ostringstream bits;
    size_t offset = 0;
    for (const char32_t point : CodePoints()) {
        const FT_UInt index = FT_Get_Char_Index(face, point);
        if (index == 0) continue;
        if (FT_Load_Glyph(face, index, FT_LOAD_RENDER | FT_LOAD_TARGET_MONO) != 0) continue;
        const FT_GlyphSlot slot = face->glyph;
        const FT_Bitmap& bitmap = slot->bitmap;
        const unsigned rowBytes = (bitmap.width + 7) / 8;
        // The outline's own advance rounded to whole pixels, not the hinted one: lines keep the
        // width the face was designed for, and the letters stand where Qt's text put them.
        const long advance = ((slot->linearHoriAdvance + 0x8000) >> 16) << 6;
        glyphs << "    {" << static_cast<unsigned long>(point) << ", " << advance << ", "
               << slot->bitmap_left << ", " << slot->bitmap_top << ", " << bitmap.width << ", "
               << bitmap.rows << ", " << offset << "},\n";
        for (unsigned row = 0; row < bitmap.rows; ++row) {
            bits << "   ";
            for (unsigned byte = 0; byte < rowBytes; ++byte) {
                bits << " " << static_cast<unsigned>(bitmap.buffer[row * bitmap.pitch + byte])
                     << ",";
            }
            bits << "\n";
        }
        offset += rowBytes * bitmap.rows;
    }
    const long ascent = face->size->metrics.ascender >> 6;
    const long descent = -(face->size->metrics.descender >> 6);
    FT_Done_Face(face);
    out << "constexpr Glyph kGlyphs" << number << "[] = {\n" << glyphs.str() << "};\n\n";
    out << "constexpr uint8_t kBits" << number << "[] = {\n" << bits.str() << "    0};\n\n";
    out << "constexpr GlyphFont kFont" << number << "{" << request.pixels << ", "
        << (request.bold ? "true" : "false") << ", " << ascent << ", " << descent << ", kGlyphs"
        << number << ", kBits" << number << "};\n\n";
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::cerr << "usage: vexmire_make_glyph_table OUTPUT.cpp FONT_FILE:PIXELS:WEIGHT...\n";
        return 2;
    }
    FT_Library library = nullptr;
    if (FT_Init_FreeType(&library) != 0) {
        std::cerr << "cannot start FreeType\n";
        return 1;
    }
    std::ostringstream out;
    out << "// Written at build time by vexmire_make_glyph_table: the game's glyphs.\n\n"
        << "#include \"platform/frame/glyph_font.h\"\n\nnamespace vexmire {\n\nnamespace {\n\n";
    std::string fonts;
    for (int i = 2; i < argc; ++i) {
        Request request;
        if (!ParseRequest(argv[i], request)) {
            std::cerr << "not FONT_FILE:PIXELS:regular or bold: " << argv[i] << "\n";
            return 2;
        }
        if (!WriteFont(library, request, i - 2, out)) return 1;
        fonts += " &kFont" + std::to_string(i - 2) + ",";
    }
    FT_Done_FreeType(library);
    out << "constexpr const GlyphFont* kFonts[] = {" << fonts << "};\n\n}  // namespace\n\n"
        << "std::span<const GlyphFont* const> GameGlyphFonts() {\n    return kFonts;\n}\n\n"
        << "}  // namespace vexmire\n";
    std::ofstream file(argv[1], std::ios::binary);
    file << out.str();
    file.close();
    if (!file) {
        std::cerr << "cannot write " << argv[1] << "\n";
        return 1;
    }
    return 0;
}
