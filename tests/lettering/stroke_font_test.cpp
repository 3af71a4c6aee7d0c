// The stroke font checked through what the GL receives: everything is drawn in
// feedback mode under a one-unit-per-pixel projection, so the reported line
// segments carry the very coordinates the font computed.

#include "lettering/stroke_font.h"
#include "tests/support/gl_test_window.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <string>
#include <vector>

namespace {

struct Segment {
    float x1, y1, x2, y2;
};

bool near(float a, float b) { return std::fabs(a - b) < 2e-3f; }

bool sameSegments(const std::vector<Segment>& a, const std::vector<Segment>& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (!near(a[i].x1, b[i].x1) || !near(a[i].y1, b[i].y1) || !near(a[i].x2, b[i].x2) ||
            !near(a[i].y2, b[i].y2))
            return false;
    return true;
}

// Runs `draw` in feedback mode and returns the line segments it produced; any
// other primitive fails the test.
std::vector<Segment> capture(const std::function<void()>& draw) {
    static std::vector<GLfloat> buffer(1 << 18);
    glFeedbackBuffer(static_cast<GLsizei>(buffer.size()), GL_3D, buffer.data());
    glRenderMode(GL_FEEDBACK);
    draw();
    const GLint used = glRenderMode(GL_RENDER);
    EXPECT_GE(used, 0) << "feedback buffer overflow";
    std::vector<Segment> segments;
    for (GLint i = 0; i < used;) {
        const GLint token = static_cast<GLint>(buffer[i]);
        if (token == GL_LINE_TOKEN || token == GL_LINE_RESET_TOKEN) {
            segments.push_back({buffer[i + 1], buffer[i + 2], buffer[i + 4], buffer[i + 5]});
            i += 7;
        } else {
            ADD_FAILURE() << "unexpected feedback token " << token;
            break;
        }
    }
    return segments;
}

float currentLineWidth() {
    GLfloat w = 0;
    glGetFloatv(GL_LINE_WIDTH, &w);
    return w;
}

struct Bounds {
    float minX, maxX, minY, maxY;
};

Bounds boundsOf(const std::vector<Segment>& s) {
    Bounds b{1e9f, -1e9f, 1e9f, -1e9f};
    for (const Segment& g : s) {
        b.minX = std::min({b.minX, g.x1, g.x2});
        b.maxX = std::max({b.maxX, g.x1, g.x2});
        b.minY = std::min({b.minY, g.y1, g.y2});
        b.maxY = std::max({b.maxY, g.y1, g.y2});
    }
    return b;
}

// Horizontal segments lying at height y.
int horizontalsAt(const std::vector<Segment>& s, float y) {
    int n = 0;
    for (const Segment& g : s)
        if (near(g.y1, y) && near(g.y2, y) && !near(g.x1, g.x2)) ++n;
    return n;
}

std::vector<Segment> charAt(char c, int x, int y, float size) {
    return capture([&] { StrokeFont().drawChar(c, x, y, 1, 1, 1, size); });
}

std::vector<Segment> codePointAt(char32_t c, int x, int y, float size) {
    return capture([&] { StrokeFont().drawCodePoint(c, x, y, 1, 1, 1, size); });
}

std::vector<Segment> textAt(const char* text, int x, int y, float size) {
    return capture([&] { StrokeFont().drawText(text, x, y, 1, 1, 1, size); });
}

// The segments of text drawn as single characters at the given origins.
std::vector<Segment> charsAt(const char* text, const std::vector<int>& xs, int y, float size) {
    std::vector<Segment> all;
    for (size_t i = 0; text[i]; ++i) {
        auto one = charAt(text[i], xs.at(i), y, size);
        all.insert(all.end(), one.begin(), one.end());
    }
    return all;
}

class StrokeFontTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { ASSERT_TRUE(openTestWindow()); }
    static void TearDownTestSuite() { closeTestWindow(); }
    void SetUp() override {
        glViewport(0, 0, 640, 480);
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glOrtho(0, 640, 0, 480, -1, 1);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        glDisable(GL_DEPTH_TEST);
        glDisable(GL_LIGHTING);
        glLineWidth(1.0f);
        GLfloat range[2] = {0, 0};
        glGetFloatv(GL_ALIASED_LINE_WIDTH_RANGE, range);
        maxLineWidth = range[1];
    }
    float maxLineWidth = 1;
};

TEST_F(StrokeFontTest, SelectSideHasItsGlyphsThirtyUnitsApart) {
    auto drawn = textAt("Select side", 160, 320, 3);
    std::vector<int> origins;
    for (int i = 0; i < 11; ++i) origins.push_back(160 + 30 * i);
    EXPECT_TRUE(sameSegments(drawn, charsAt("Select side", origins, 320, 3)));
    // The space draws nothing, yet "side" starts one position after it.
    EXPECT_TRUE(charAt(' ', 310, 320, 3).empty());
    // First glyph's left edge (u = -2) and the last "d"'s right edge (u = 4 at 2.1).
    EXPECT_NEAR(boundsOf(drawn).minX, 154, 1e-3);
    EXPECT_NEAR(boundsOf(drawn).maxX, 460 + 4 * 2.1, 1e-3);
}

TEST_F(StrokeFontTest, CapitalIsThirtyHighWithItsBottomLineAtWidthAboveBaseline) {
    auto s = charAt('S', 160, 320, 3);
    ASSERT_EQ(s.size(), 10u);
    Bounds b = boundsOf(s);
    EXPECT_FLOAT_EQ(b.minY, 320);
    EXPECT_FLOAT_EQ(b.maxY, 350);
    EXPECT_FLOAT_EQ(b.minX, 154);       // u = -2
    EXPECT_FLOAT_EQ(b.maxX, 170.5f);    // u = 3.5
    EXPECT_EQ(horizontalsAt(s, 322), 1);  // (0.5, b) (-1.5, b)
    EXPECT_FLOAT_EQ(currentLineWidth(), 2.0f);
}

TEST_F(StrokeFontTest, LowerCaseIsASmallCapitalOnTheSameBaseline) {
    auto e = charAt('e', 190, 320, 3);
    Bounds b = boundsOf(e);
    EXPECT_FLOAT_EQ(b.minY, 320);
    EXPECT_NEAR(b.maxY, 341, 1e-3);
    EXPECT_NEAR(b.minX, 190 - 2 * 2.1, 1e-3);
    EXPECT_EQ(horizontalsAt(e, 321.7f), 1);
    EXPECT_NEAR(currentLineWidth(), 1.7f, 1e-5);
    // Every letter: the capital's strokes at the size times 0.7 in single precision.
    const float small = static_cast<float>(3.0f * 0.7);
    for (char c = 'a'; c <= 'z'; ++c)
        EXPECT_TRUE(sameSegments(charAt(c, 100, 100, 3), charAt(c - 'a' + 'A', 100, 100, small))) << c;
}

TEST_F(StrokeFontTest, LeavesColourAndLineWidthOfTheLastGlyph) {
    StrokeFont().drawText("Select side", 160, 320, 0.25f, 0.5f, 0.75f, 3);
    EXPECT_NEAR(currentLineWidth(), 1.7f, 1e-5);  // last letter a small capital
    GLfloat colour[4];
    glGetFloatv(GL_CURRENT_COLOR, colour);
    EXPECT_FLOAT_EQ(colour[0], 0.25f);
    EXPECT_FLOAT_EQ(colour[1], 0.5f);
    EXPECT_FLOAT_EQ(colour[2], 0.75f);
    StrokeFont().drawText("AB", 0, 0, 1, 1, 1, 30);
    if (maxLineWidth >= 11) {
        EXPECT_FLOAT_EQ(currentLineWidth(), 11.0f);
    }
    StrokeFont().drawText("AB", 0, 0, 1, 1, 1, 0.3f);
    EXPECT_NEAR(currentLineWidth(), 1.1f, 1e-5);
}

TEST_F(StrokeFontTest, SizeAboveThirtyDrawsAsThirty) {
    auto big = textAt("AB", 0, 0, 40);
    EXPECT_TRUE(sameSegments(big, textAt("AB", 0, 0, 30)));
    // The B stands one advance of 300 to the right: its stem is at u = -2.
    EXPECT_TRUE(sameSegments(charAt('B', 300, 0, 30), std::vector<Segment>(big.begin() + 3, big.end())));
    EXPECT_FLOAT_EQ(boundsOf(std::vector<Segment>(big.begin() + 3, big.end())).minX, 240);
    if (maxLineWidth >= 11) {
        EXPECT_FLOAT_EQ(currentLineWidth(), 11.0f);
    }
}

TEST_F(StrokeFontTest, QuoteApostropheAndBackslashLeaveEmptyPositions) {
    for (char c : {'"', '\'', '\\'}) EXPECT_TRUE(charAt(c, 100, 100, 3).empty()) << c;
    auto drawn = textAt("A\"B'C\\D", 10, 100, 3);
    EXPECT_TRUE(sameSegments(drawn, charsAt("ABCD", {10, 70, 130, 190}, 100, 3)));
}

TEST_F(StrokeFontTest, ControlCodesAndHighBytesDrawNothingButTakeAPosition) {
    for (int code : {0x01, 0x09, 0x1f, 0x20, 0x7f, 0x80, 0xa9, 0xe9, 0xff})
        EXPECT_TRUE(charAt(static_cast<char>(code), 100, 100, 3).empty()) << code;
    auto drawn = textAt("A\x80\xff\x01" "B", 10, 100, 3);
    EXPECT_TRUE(sameSegments(drawn, charsAt("AB", {10, 130}, 100, 3)));
}

TEST_F(StrokeFontTest, EveryOtherPrintableCharacterHasAGlyphInsideItsCell) {
    const float s = 3;
    for (int code = 33; code <= 126; ++code) {
        if (code == '"' || code == '\'' || code == '\\') continue;
        auto g = charAt(static_cast<char>(code), 100, 100, s);
        ASSERT_FALSE(g.empty()) << code;
        Bounds b = boundsOf(g);
        EXPECT_GE(b.minX, 100 - 3 * s - 1e-3) << code;
        EXPECT_LE(b.maxX, 100 + 5 * s + 1e-3) << code;
        EXPECT_GE(b.minY, 100 - 2 * s - 1e-3) << code;
        EXPECT_LE(b.maxY, 100 + 11 * s + 1e-3) << code;
        // Only the dollar bars reach above the capital height.
        if (code != '$') {
            EXPECT_LE(b.maxY, 100 + 10 * s + 1e-3) << code;
        }
    }
}

TEST_F(StrokeFontTest, CyrillicCapitalsKeepToTheLatinCellAndLowerCaseIsTheirSmallCapitals) {
    const float s = 3, small = static_cast<float>(3.0f * 0.7);
    for (char32_t c : std::u32string(U"ЁАБВГДЕЖЗИЙКЛМНОПРСТУФХЦЧШЩЪЫЬЭЮЯ")) {
        const unsigned code = c;
        auto g = codePointAt(c, 100, 100, s);
        ASSERT_FALSE(g.empty()) << code;
        Bounds b = boundsOf(g);
        EXPECT_GE(b.minX, 100 - 3 * s - 1e-3) << code;
        EXPECT_LE(b.maxX, 100 + 5 * s + 1e-3) << code;
        // Д, Ц and Щ reach as far below the baseline as the comma; the marks of Ё
        // and Й stand above the capitals as far as the dollar's bars.
        if (c == U'Д' || c == U'Ц' || c == U'Щ') {
            EXPECT_FLOAT_EQ(b.minY, 100 - 2 * s) << code;
        } else {
            EXPECT_GE(b.minY, 100 - 1e-3) << code;
        }
        EXPECT_LE(b.maxY, 100 + (c == U'Ё' || c == U'Й' ? 11 : 10) * s + 1e-3) << code;
        const char32_t lower = c == U'Ё' ? U'ё' : c + (U'а' - U'А');
        EXPECT_TRUE(sameSegments(codePointAt(lower, 100, 100, s), codePointAt(c, 100, 100, small))) << code;
    }
}

TEST_F(StrokeFontTest, CyrillicLookAlikesDrawTheirLatinTwins) {
    EXPECT_TRUE(sameSegments(textAt("АВЕКМНОРСТХ", 10, 100, 3), textAt("ABEKMHOPCTX", 10, 100, 3)));
    // Ё is the E with its dots drawn after it.
    auto yo = codePointAt(U'Ё', 100, 100, 3), e = charAt('E', 100, 100, 3);
    ASSERT_GT(yo.size(), e.size());
    EXPECT_TRUE(sameSegments(std::vector<Segment>(yo.begin(), yo.begin() + e.size()), e));
}

TEST_F(StrokeFontTest, Utf8CharacterIGoesInCellI) {
    const char* caption = "Уровень: Клуб ё";
    const std::u32string characters = U"Уровень: Клуб ё";
    std::vector<Segment> expected;
    for (size_t i = 0; i < characters.size(); ++i) {
        auto one = codePointAt(characters[i], static_cast<int>(10 + 25 * i), 100, 2.5f);
        expected.insert(expected.end(), one.begin(), one.end());
    }
    EXPECT_TRUE(sameSegments(textAt(caption, 10, 100, 2.5f), expected));
    EXPECT_EQ(StrokeFont().cellCount(caption), static_cast<int>(characters.size()));
    for (const char* text : {"Начать игру", "Компьютер против компьютера", "Классика (исходный компьютер)",
                             "Сильный, Эксперт, Щ-Ъ-Ы-Ь-Ю-Я", "Level: Club, $5"})
        EXPECT_TRUE(StrokeFont().canDraw(text)) << text;
    for (const char* text : {"Ärger", "\"Игра\"", "Игра\x80", "\xD0", "tab\t", "\xE2\x82\xAC"})
        EXPECT_FALSE(StrokeFont().canDraw(text)) << text;
}

TEST_F(StrokeFontTest, MalformedUtf8TakesAnEmptyCellPerByte) {
    // Each text holds `cells` empty cells before its B: malformed bytes one each,
    // a well-formed character the font lacks (U+1F600) one.
    const struct {
        const char* text;
        int cells;
    } cases[] = {{"\x80" "B", 1},         {"\xFF" "B", 1},         {"\xD0" "B", 1},
                 {"\xE2\x82" "B", 2},     {"\xC0\x80" "B", 2},     {"\xE0\x9F\xBF" "B", 3},
                 {"\xED\xA0\x80" "B", 3}, {"\xF4\x90\x80\x80" "B", 4}, {"\xF0\x9F\x98\x80" "B", 1}};
    for (const auto& c : cases) {
        EXPECT_TRUE(sameSegments(textAt(c.text, 10, 100, 3), charAt('B', 10 + 30 * c.cells, 100, 3))) << c.cells;
        EXPECT_EQ(StrokeFont().cellCount(c.text), c.cells + 1) << c.cells;
    }
    // A sequence cut short by the end of the text: nothing past the end is read.
    const char cutShort[] = {'A', '\xE2', '\0', 'Z', 'Z', '\0'};
    EXPECT_TRUE(sameSegments(textAt(cutShort, 10, 100, 3), charAt('A', 10, 100, 3)));
    EXPECT_EQ(StrokeFont().cellCount(cutShort), 2);
}

TEST_F(StrokeFontTest, GlyphOriginIsTruncatedTowardsZero) {
    // x + 10 * 0.75 * 1 = -12.5 puts the vertical bar's origin at -12, not -13.
    glTranslatef(100, 0, 0);  // keeps the negative coordinates inside the view
    auto drawn = textAt(" |", -20, 100, 0.75f);
    ASSERT_EQ(drawn.size(), 1u);
    EXPECT_FLOAT_EQ(drawn[0].x1, 100 - 12 + 0.75f);
}

TEST_F(StrokeFontTest, EmptyTextDrawsNothingAndChangesNothing) {
    glLineWidth(5.0f);
    glColor3f(0.1f, 0.2f, 0.3f);
    EXPECT_TRUE(textAt("", 100, 100, 3).empty());
    StrokeFont().drawText("", 100, 100, 1, 1, 1, 3);
    EXPECT_FLOAT_EQ(currentLineWidth(), 5.0f);
    GLfloat colour[4];
    glGetFloatv(GL_CURRENT_COLOR, colour);
    EXPECT_FLOAT_EQ(colour[0], 0.1f);
    EXPECT_FLOAT_EQ(colour[2], 0.3f);
}

TEST_F(StrokeFontTest, DollarIsTheSWithTwoThinnerBarsDrawnAfterIt) {
    auto dollar = charAt('$', 100, 100, 3);
    EXPECT_FLOAT_EQ(currentLineWidth(), 1.5f);  // the bars' 3/6 + 1
    auto s = charAt('S', 100, 100, 3);
    ASSERT_EQ(dollar.size(), s.size() + 2);
    EXPECT_TRUE(sameSegments(std::vector<Segment>(dollar.begin(), dollar.begin() + s.size()), s));
    EXPECT_TRUE(sameSegments(std::vector<Segment>(dollar.end() - 2, dollar.end()),
                             {{100, 133, 100, 97}, {106, 133, 106, 97}}));
    // At size 6 the S is 3 wide and the bars 2.
    StrokeFont().drawChar('$', 100, 100, 1, 1, 1, 6);
    EXPECT_FLOAT_EQ(currentLineWidth(), 2.0f);
}

TEST_F(StrokeFontTest, StrokesAreVisibleInTheirColour) {
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    StrokeFont().drawText("I", 100, 100, 0, 3.0f, 0, 3);
    // The stem of I runs at x = 103 from y = 100 to 130, two pixels wide.
    Rgb stem = pixelAt(103, 115);
    EXPECT_EQ(stem.r, 0);
    EXPECT_EQ(stem.g, 255);
    EXPECT_EQ(pixelAt(110, 115).g, 0);
}

}  // namespace
