// The HUD font: the glyphs of "Courier New" at a character height of 12 pixels,
// as 1-bit bitmaps in display lists (FreeType renders them; fontconfig finds the
// face or its metric-compatible stand-in, Liberation Mono, which has the
// Cyrillic letters too). Text is UTF-8: the printable ASCII characters, the
// Cyrillic block and the few marks a translation uses have a glyph each.
#include "app/platform/render_window.h"
#include "engine/rules/translation.h"

#include <GL/gl.h>
#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

unsigned int hudFontBase = 0;

namespace {

// The glyphs in the order of their display lists: the printable ASCII
// characters first (list i draws code 32 + i, as the font always had), then
// the Cyrillic block U+0400 to U+045F, then the marks.
constexpr int kFirstGlyph = 32;
constexpr int kAsciiGlyphs = 96;
constexpr char32_t kFirstCyrillic = 0x400;
constexpr int kCyrillicGlyphs = 96;
// No-break space, « » · × – — ’ “ ” „ … №.
constexpr char32_t kMarks[] = {0xA0,   0xAB,   0xBB,   0xB7,   0xD7,   0x2013, 0x2014,
                               0x2019, 0x201C, 0x201D, 0x201E, 0x2026, 0x2116};
constexpr int kMarkGlyphs = static_cast<int>(sizeof kMarks / sizeof kMarks[0]);
constexpr int kGlyphCount = kAsciiGlyphs + kCyrillicGlyphs + kMarkGlyphs;
constexpr int kCharacterHeight = 12;
const char* const kFaceName = "Courier New";

// The font file fontconfig picks for the face, or an empty path with the reason.
bool findFontFile(std::string* path, int* faceIndex, std::string* problem) {
    if (!FcInit()) {
        *problem = tr("fontconfig could not be initialised");
        return false;
    }
    FcPattern* pattern = FcPatternCreate();
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(kFaceName));
    FcPatternAddDouble(pattern, FC_PIXEL_SIZE, kCharacterHeight);
    FcPatternAddInteger(pattern, FC_WEIGHT, FC_WEIGHT_REGULAR);
    FcPatternAddInteger(pattern, FC_SLANT, FC_SLANT_ROMAN);
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(nullptr, pattern, &result);
    FcPatternDestroy(pattern);
    bool found = false;
    if (match) {
        FcChar8* file = nullptr;
        int index = 0;
        if (FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch && file) {
            FcPatternGetInteger(match, FC_INDEX, 0, &index);
            *path = reinterpret_cast<const char*>(file);
            *faceIndex = index;
            found = true;
        }
        FcPatternDestroy(match);
    }
    if (!found) *problem = tr("no installed font matches it");
    return found;
}

// One glyph as a glBitmap call: rows bottom first, 1 bit per pixel, most
// significant bit leftmost, packed to whole bytes (unpack alignment 1).
void compileGlyph(FT_Face face, unsigned long code) {
    std::vector<GLubyte> rows;
    GLsizei width = 0, height = 0;
    GLfloat xOrigin = 0, yOrigin = 0, advance = 0;
    if (FT_Load_Char(face, code, FT_LOAD_TARGET_MONO) == 0 && FT_Render_Glyph(face->glyph, FT_RENDER_MODE_MONO) == 0) {
        const FT_GlyphSlot slot = face->glyph;
        const FT_Bitmap& bitmap = slot->bitmap;
        advance = static_cast<GLfloat>(slot->advance.x) / 64.0f;
        if (bitmap.pixel_mode == FT_PIXEL_MODE_MONO && bitmap.width > 0 && bitmap.rows > 0) {
            width = static_cast<GLsizei>(bitmap.width);
            height = static_cast<GLsizei>(bitmap.rows);
            const int rowBytes = (width + 7) / 8;
            rows.resize(static_cast<size_t>(rowBytes) * height);
            for (int r = 0; r < height; ++r) {
                const int pitch = bitmap.pitch;
                const unsigned char* source =
                    pitch >= 0 ? bitmap.buffer + r * pitch : bitmap.buffer + (height - 1 - r) * -pitch;
                std::memcpy(&rows[static_cast<size_t>(height - 1 - r) * rowBytes], source, rowBytes);
            }
            xOrigin = static_cast<GLfloat>(-slot->bitmap_left);
            yOrigin = static_cast<GLfloat>(height - slot->bitmap_top);
        }
    }
    glBitmap(width, height, xOrigin, yOrigin, advance, 0.0f, rows.empty() ? nullptr : rows.data());
}

// The character display list `list` (counted from the font's first) draws.
char32_t glyphCode(int list) {
    if (list < kAsciiGlyphs) return static_cast<char32_t>(kFirstGlyph + list);
    if (list < kAsciiGlyphs + kCyrillicGlyphs) return kFirstCyrillic + static_cast<char32_t>(list - kAsciiGlyphs);
    return kMarks[list - kAsciiGlyphs - kCyrillicGlyphs];
}

// What printHudText hands glCallLists for character `c`, against the list base
// hudFontBase - 32 (an ASCII character is its own code); a character without a
// glyph is a blank cell, the space.
GLushort callOf(char32_t c) {
    if (c >= static_cast<char32_t>(kFirstGlyph) && c < static_cast<char32_t>(kFirstGlyph + kAsciiGlyphs))
        return static_cast<GLushort>(c);
    if (c >= kFirstCyrillic && c < kFirstCyrillic + kCyrillicGlyphs)
        return static_cast<GLushort>(kFirstGlyph + kAsciiGlyphs + (c - kFirstCyrillic));
    for (int i = 0; i < kMarkGlyphs; ++i)
        if (kMarks[i] == c) return static_cast<GLushort>(kFirstGlyph + kAsciiGlyphs + kCyrillicGlyphs + i);
    return ' ';
}

// The characters of UTF-8 `text` as calls of their lists; each byte that does
// not begin a well-formed sequence is a blank cell of its own.
std::vector<GLushort> callsOf(const char* text) {
    std::vector<GLushort> calls;
    const auto* at = reinterpret_cast<const unsigned char*>(text);
    while (*at) {
        const unsigned char lead = *at;
        const int length = lead < 0x80                    ? 1
                           : lead >= 0xC2 && lead <= 0xDF ? 2
                           : lead >= 0xE0 && lead <= 0xEF ? 3
                           : lead >= 0xF0 && lead <= 0xF4 ? 4
                                                          : 0;
        char32_t code = length == 1 ? lead : lead & (0x7F >> length);
        bool wellFormed = length > 0;
        for (int i = 1; wellFormed && i < length; ++i) {
            wellFormed = (at[i] & 0xC0) == 0x80;
            code = (code << 6) | (at[i] & 0x3F);
        }
        // Overlong forms and surrogates are no characters.
        if (wellFormed && length == 3) wellFormed = code >= 0x800 && (code < 0xD800 || code > 0xDFFF);
        if (wellFormed && length == 4) wellFormed = code >= 0x10000 && code <= 0x10FFFF;
        calls.push_back(wellFormed ? callOf(code) : static_cast<GLushort>(' '));
        at += wellFormed ? length : 1;
    }
    return calls;
}

bool compileGlyphs(std::string* problem) {
    std::string path;
    int faceIndex = 0;
    if (!findFontFile(&path, &faceIndex, problem)) return false;
    FT_Library library = nullptr;
    if (FT_Init_FreeType(&library) != 0) {
        *problem = "FreeType could not be initialised";
        return false;
    }
    FT_Face face = nullptr;
    bool built = false;
    if (FT_New_Face(library, path.c_str(), faceIndex, &face) != 0) {
        *problem = formatText(tr("the font file %s could not be read"), path.c_str());
    } else if (FT_Set_Pixel_Sizes(face, 0, kCharacterHeight) != 0) {
        *problem = formatText(tr("the font file %s has no 12-pixel size"), path.c_str());
    } else {
        glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
        glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
        glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
        glPixelStorei(GL_UNPACK_SKIP_ROWS, 0);
        glPixelStorei(GL_UNPACK_SKIP_PIXELS, 0);
        glPixelStorei(GL_UNPACK_LSB_FIRST, GL_FALSE);
        for (int i = 0; i < kGlyphCount; ++i) {
            // A letter beyond ASCII that the face lacks is left blank.
            const char32_t code = glyphCode(i);
            const bool blank = i >= kAsciiGlyphs && FT_Get_Char_Index(face, code) == 0;
            glNewList(hudFontBase + i, GL_COMPILE);
            compileGlyph(face, blank ? ' ' : static_cast<unsigned long>(code));
            glEndList();
        }
        glPopClientAttrib();
        built = true;
    }
    if (face) FT_Done_Face(face);
    FT_Done_FreeType(library);
    return built;
}

}  // namespace

std::string buildHudFont() {
    hudFontBase = glGenLists(kGlyphCount);
    std::string problem;
    if (compileGlyphs(&problem)) return "";
    // Without the font the lists stay empty: the game runs on, without HUD text.
    for (int i = 0; i < kGlyphCount; ++i) {
        glNewList(hudFontBase + i, GL_COMPILE);
        glEndList();
    }
    return formatText(tr("The font \"%s\" for the on-screen text could not be loaded: %s.\n"
                         "The game goes on without on-screen text."),
                      kFaceName, problem.c_str());
}

// Called once the context is released as well: the GL then ignores it and the
// lists go with the deleted context.
void deleteHudFont() { glDeleteLists(hudFontBase, kGlyphCount); }

void printHudText(float x, float y, const char* format, ...) {
    if (!format) return;
    char text[512];
    va_list arguments;
    va_start(arguments, format);
    std::vsnprintf(text, sizeof text, format, arguments);
    va_end(arguments);
    const std::size_t length = std::strlen(text);
    const bool ascii = std::all_of(text, text + length, [](char c) { return static_cast<unsigned char>(c) < 0x80; });
    glPushAttrib(GL_LIST_BIT);
    glListBase(hudFontBase - kFirstGlyph);
    glRasterPos2f(x, y);
    if (ascii) {
        glCallLists(static_cast<GLsizei>(length), GL_UNSIGNED_BYTE, text);
    } else {
        const std::vector<GLushort> calls = callsOf(text);
        glCallLists(static_cast<GLsizei>(calls.size()), GL_UNSIGNED_SHORT, calls.data());
    }
    glPopAttrib();
}
