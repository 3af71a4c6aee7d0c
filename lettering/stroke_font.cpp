#include "lettering/stroke_font.h"

#include <GL/gl.h>

#include <cstddef>
#include <iterator>

namespace {

// A point of the glyph cell in units of the size: u to the right, v upwards,
// origin on the baseline. A v of kB stands for the bottom line, which sits
// size/3 + 1 above the baseline (so a wide stroke's lower edge rests on it).
struct StrokePoint {
    double u;
    double v;
};

constexpr double kB = 1.0e9;
// Separates two polylines of one glyph.
constexpr StrokePoint kBreak = {-1.0e9, 0.0};

bool isBreak(const StrokePoint& p) { return p.u == kBreak.u; }

// Glyph cell table: each glyph is a list of polylines, consecutive points of a
// polyline being joined by one stroke each.
// !
const StrokePoint kGlyph33[] = {{0, 10}, {0, 3}, kBreak, {0.5, 1}, {0.5, kB}, {-0.5, kB}, {-0.5, 1}, {0.5, 1}};
// #
const StrokePoint kGlyph35[] = {{3, 10}, {2, 0}, kBreak, {0, 10}, {-1, 0}, kBreak, {-2, 7}, {4, 7}, kBreak, {-2, 3}, {4, 3}};
// %
const StrokePoint kGlyph37[] = {{-1, 9}, {0, 9}, {0, 8}, {-1, 8}, {-1, 9}, kBreak, {4, 10}, {-2, 0}, kBreak, {2, 1}, {3, 1}, {3, 2}, {2, 2}, {2, 1}};
// &
const StrokePoint kGlyph38[] = {{3, 10}, {0, 10}, {-2, 8}, {-2, 6}, {3, 0}, kBreak, {3, 10}, {-2, 3}, {-2, 2}, {0, 0}, kBreak, {0, kB}, {1, kB}, {3, 5}};
// (
const StrokePoint kGlyph40[] = {{4, 10}, {2, 8}, {2, 2}, {4, 0}};
// )
const StrokePoint kGlyph41[] = {{-3, 10}, {-1, 8}, {-1, 2}, {-3, 0}};
// asterisk
const StrokePoint kGlyph42[] = {{1, 2}, {1, 8}, kBreak, {-2, 5}, {4, 5}, kBreak, {-1, 6.5}, {3.3, 3}, kBreak, {-1, 3.5}, {3.2, 6.8}};
// +
const StrokePoint kGlyph43[] = {{1, 2}, {1, 8}, kBreak, {-2, 5}, {4, 5}};
// ,
const StrokePoint kGlyph44[] = {{1, 2}, {1, 1}, {0, 1}, {0, 2}, {1, 2}, kBreak, {1, 1}, {0, -2}};
// -
const StrokePoint kGlyph45[] = {{-2, 5}, {3, 5}};
// .
const StrokePoint kGlyph46[] = {{1, 2}, {1, 1}, {0, 1}, {0, 2}, {1, 2}};
// /
const StrokePoint kGlyph47[] = {{2, 10}, {-1, 0}};
// 0
const StrokePoint kGlyph48[] = {{-2, 8}, {-2, 2}, {-1, 0}, kBreak, {-1, kB}, {3, kB}, {4, 2}, {4, 8}, {3, 10}, {-1, 10}, {-2, 8}, {4, 2}};
// 1
const StrokePoint kGlyph49[] = {{2, 10}, {2, 0}, kBreak, {2, 10}, {0, 6}};
// 2
const StrokePoint kGlyph50[] = {{3, 7}, {-1, 0}, kBreak, {-1, kB}, {3, kB}, kBreak, {3, 7}, {3, 8}, {2, 10}, {0, 10}, {-1, 8}, {-1, 6}};
// 3
const StrokePoint kGlyph51[] = {{3, 10}, {-2, 10}, kBreak, {3, 10}, {0, 6}, {1, 6}, {3, 4}, {3, 2}, {1, 0}, kBreak, {1, kB}, {-2, kB}};
// 4
const StrokePoint kGlyph52[] = {{3, 8}, {3, 0}, kBreak, {0, 10}, {-2, 4}, {3, 4}};
// 5
const StrokePoint kGlyph53[] = {{3, 10}, {-2, 10}, {-2, 6}, {1, 6}, {3, 5}, {3, 2}, {1, 0}, kBreak, {1, kB}, {-1, kB}, {-2, 2}};
// 6
const StrokePoint kGlyph54[] = {{-1, 6}, {1, 6}, {3, 5}, {3, 2}, {1, 0}, kBreak, {1, kB}, {-1, kB}, {-2, 2}, {-2, 4}, {-1, 6}, {1, 10}, {3, 10}};
// 7
const StrokePoint kGlyph55[] = {{-2, 10}, {3, 10}, {-1, 0}};
// 8
const StrokePoint kGlyph56[] = {{-1, 6}, {2, 6}, {3, 4}, {3, 2}, {2, 0}, kBreak, {2, kB}, {-1, kB}, {-2, 2}, {-2, 4}, {-1, 6}, {-2, 7}, {-2, 9}, {-1, 10}, {2, 10}, {3, 9}, {3, 7}, {2, 6}};
// 9
const StrokePoint kGlyph57[] = {{-1, 5}, {2, 5}, kBreak, {-1, 5}, {-2, 6}, {-2, 9}, {-1, 10}, {2, 10}, {3, 9}, {3, 6}, {2, 5}, kBreak, {3, 6}, {3, 3}, {1, 0}, kBreak, {1, kB}, {-1, kB}};
// :
const StrokePoint kGlyph58[] = {{1, 6}, {1, 5}, {0, 5}, {0, 6}, {1, 6}, kBreak, {1, 1}, {1, 2}, {0, 2}, {0, 1}, {1, 1}};
// ;
const StrokePoint kGlyph59[] = {{1, 5}, {1, 6}, {0, 6}, {0, 5}, {1, 5}, kBreak, {1, 2}, {1, 1}, {0, 1}, {0, 2}, {1, 2}, kBreak, {1, 1}, {0, -2}};
// <
const StrokePoint kGlyph60[] = {{3, 8}, {-1, 5}, {3, 2}};
// =
const StrokePoint kGlyph61[] = {{-3, 3}, {4, 3}, kBreak, {-3, 7}, {4, 7}};
// >
const StrokePoint kGlyph62[] = {{-1, 8}, {3, 5}, {-1, 2}};
// ?
const StrokePoint kGlyph63[] = {{-2, 6}, {-2, 8}, {0, 10}, {2, 10}, {4, 8}, {4, 6}, {0.5, 5}, {0.5, 2}, kBreak, {1, 1}, {1, kB}, {0, kB}, {0, 1}, {1, 1}};
// at sign
const StrokePoint kGlyph64[] = {{3, kB}, {-2, kB}, kBreak, {-2, 0}, {-2, 10}, {3, 10}, {3, 3}, {0, 3}, {0, 7}, {2, 7}};
// A
const StrokePoint kGlyph65[] = {{1, 10}, {-3, 0}, kBreak, {1, 10}, {5, 0}, kBreak, {-1, 5}, {3, 5}};
// B
const StrokePoint kGlyph66[] = {{-2, 10}, {-2, 0}, kBreak, {-2, 10}, {3, 10}, {3.5, 9}, {3.5, 7}, {3, 6}, {-2, 6}, kBreak, {-2, 5.5}, {3.5, 5.5}, {4.5, 4}, {4.5, 1}, {3.5, kB}, {-2, kB}};
// C
const StrokePoint kGlyph67[] = {{-2, 8}, {-2, 2}, kBreak, {-2, 8}, {0, 10}, {3, 10}, {4, 8}, kBreak, {-2, 2}, {0, kB}, {3, kB}, {4, 2}};
// D
const StrokePoint kGlyph68[] = {{-1.5, 10}, {-1.5, 0}, kBreak, {-2, 10}, {0, 10}, {3, 10}, {4, 8}, kBreak, {-2, kB}, {0, kB}, {3, kB}, {4, 2}, {4, 8}};
// E
const StrokePoint kGlyph69[] = {{-2, 0}, {-2, 10}, {4, 10}, kBreak, {-2, 5.5}, {3, 5.5}, kBreak, {-2, kB}, {4, kB}};
// F
const StrokePoint kGlyph70[] = {{-2, 0}, {-2, 10}, {4, 10}, kBreak, {-2, 5}, {3, 5}};
// G
const StrokePoint kGlyph71[] = {{-2, 8}, {-2, 2}, kBreak, {-2, 8}, {0, 10}, {3, 10}, {4, 8}, kBreak, {-2, 2}, {0, kB}, {3, kB}, {4, 2}, {4, 4}, kBreak, {2, 4}, {4, 4}};
// H
const StrokePoint kGlyph72[] = {{-2, 0}, {-2, 10}, kBreak, {4, 0}, {4, 10}, kBreak, {-2, 5.5}, {4, 5.5}};
// I
const StrokePoint kGlyph73[] = {{1, 0}, {1, 10}, kBreak, {-0.5, kB}, {2.5, kB}, kBreak, {-0.5, 10}, {2.5, 10}};
// J
const StrokePoint kGlyph74[] = {{3, 10}, {1, 10}, kBreak, {3, 2}, {3, 10}, kBreak, {3, 2}, {2, kB}, {0, kB}, {-1, 2}, {-1, 3}};
// K
const StrokePoint kGlyph75[] = {{-2, 0}, {-2, 10}, kBreak, {-2, 4.5}, {3.5, 10}, kBreak, {-2, 5.5}, {3.5, 0}};
// L
const StrokePoint kGlyph76[] = {{-2, 0}, {-2, 10}, kBreak, {-2, kB}, {3.5, kB}, {3.5, 2}};
// M
const StrokePoint kGlyph77[] = {{-2, 0}, {-2, 10}, kBreak, {4, 0}, {4, 10}, {1, 3}, kBreak, {-2, 10}, {1, 3}};
// N
const StrokePoint kGlyph78[] = {{-2, 0}, {-2, 10}, kBreak, {4, 0}, {4, 10}, kBreak, {-2, 10}, {4, kB}};
// O
const StrokePoint kGlyph79[] = {{4, 2}, {4, 8}, kBreak, {4, 2}, {3, kB}, {-1, kB}, {-2, 2}, {-2, 8}, kBreak, {4, 8}, {3, 10}, {-1, 10}, {-2, 8}};
// P
const StrokePoint kGlyph80[] = {{-2, 10}, {-2, 0}, kBreak, {-2, 10}, {3.5, 10}, {4, 8.5}, {4, 6.5}, {3.5, 5}, {-2, 5}};
// Q
const StrokePoint kGlyph81[] = {{4, 2}, {4, 8}, kBreak, {4, 2}, {3, kB}, {-1, kB}, {-2, 2}, {-2, 8}, kBreak, {4, 8}, {3, 10}, {-1, 10}, {-2, 8}, kBreak, {2, 3}, {4.8, 0}};
// R
const StrokePoint kGlyph82[] = {{-2, 10}, {-2, 0}, kBreak, {-2, 10}, {3.5, 10}, {4, 9}, {4, 7}, {3.5, 6}, {-2, 6}, kBreak, {4, 0}, {0, 6}};
// S
const StrokePoint kGlyph83[] = {{-2, 6}, {-2, 8}, {0, 10}, {3, 10}, {3.5, 9}, kBreak, {-2, 6}, {3.5, 4}, {3.5, 2}, {0.5, 0}, kBreak, {0.5, kB}, {-1.5, kB}, {-2, 1}, {-2, 2}};
// T
const StrokePoint kGlyph84[] = {{1, 0}, {1, 10}, kBreak, {-1.5, 10}, {4.5, 10}, kBreak, {-1.5, 10}, {-1.5, 9}, kBreak, {4.5, 10}, {4.5, 9}};
// U
const StrokePoint kGlyph85[] = {{3.5, 0}, {3.5, 10}, kBreak, {3.5, 1}, {2, kB}, {-0.7, kB}, {-1.5, 2}, {-1.5, 10}};
// V
const StrokePoint kGlyph86[] = {{3.5, 10}, {1, 0}, kBreak, {-1.5, 10}, {1, 0}, kBreak, {-0.5, 10}, {-2.5, 10}, kBreak, {2.5, 10}, {4.5, 10}};
// W
const StrokePoint kGlyph87[] = {{4, 10}, {3, 0}, {1, 5}, kBreak, {-2, 10}, {-1, 0}, kBreak, {1, 5}, {-1, 0}, kBreak, {-3, 10}, {-1, 10}, kBreak, {3, 10}, {5, 10}};
// X
const StrokePoint kGlyph88[] = {{-2, 10}, {4, 0}, kBreak, {4, 10}, {-2, 0}};
// Y
const StrokePoint kGlyph89[] = {{-2, 10}, {1, 4}, kBreak, {4, 10}, {1, 4}, kBreak, {1, 0}, {1, 4}, kBreak, {0, kB}, {2, kB}};
// Z
const StrokePoint kGlyph90[] = {{4, 10}, {-2, 0}, kBreak, {4, 10}, {-2, 10}, kBreak, {-2, kB}, {4, kB}};
// [
const StrokePoint kGlyph91[] = {{2, 0}, {2, 10}, {4, 10}, kBreak, {2, kB}, {4, kB}};
// ]
const StrokePoint kGlyph93[] = {{-1, 0}, {-1, 10}, {-3, 10}, kBreak, {-1, kB}, {-3, kB}};
// ^
const StrokePoint kGlyph94[] = {{-2, 8}, {0, 10}, {2, 8}};
// underscore
const StrokePoint kGlyph95[] = {{-3, kB}, {4, kB}};
// grave accent
const StrokePoint kGlyph96[] = {{-2, 10}, {0, 8}};
// {
const StrokePoint kGlyph123[] = {{1, 5}, {2, 6}, {2, 10}, {4, 10}, kBreak, {1, 5}, {2, 4}, {2, 0}, kBreak, {2, kB}, {4, kB}};
// vertical bar
const StrokePoint kGlyph124[] = {{1, 10}, {1, 0}};
// }
const StrokePoint kGlyph125[] = {{1, 5}, {0, 6}, {0, 10}, {-2, 10}, kBreak, {1, 5}, {0, 4}, {0, 0}, kBreak, {0, kB}, {-2, kB}};
// ~
const StrokePoint kGlyph126[] = {{-2, 4}, {-1, 5}, {0, 5}, {1, 4}, {2, 4}, {3, 5}};

// The Cyrillic capitals of their own, named by their code points; А В Е К М Н
// О Р С Т Х are drawn with the strokes of their Latin twins.
// Б
const StrokePoint kGlyph1041[] = {{4, 10}, {-2, 10}, {-2, 0}, kBreak, {-2, 5.5}, {3.5, 5.5}, {4.5, 4}, {4.5, 1}, {3.5, kB}, {-2, kB}};
// Г
const StrokePoint kGlyph1043[] = {{-2, 0}, {-2, 10}, {4, 10}};
// Д
const StrokePoint kGlyph1044[] = {{4, kB}, {4, 10}, {0, 10}, {-0.5, 2}, {-1.5, kB}, kBreak, {-3, -2}, {-3, kB}, {5, kB}, {5, -2}};
// Ж
const StrokePoint kGlyph1046[] = {{1, 0}, {1, 10}, kBreak, {1, 4.5}, {-3, 10}, kBreak, {1, 4.5}, {5, 10}, kBreak, {1, 5.5}, {-3, 0}, kBreak, {1, 5.5}, {5, 0}};
// З
const StrokePoint kGlyph1047[] = {{-2, 8}, {-1, 10}, {3, 10}, {4, 8.5}, {4, 7}, {3, 5.5}, {0, 5.5}, kBreak, {3, 5.5}, {4.5, 4}, {4.5, 1.5}, {3.5, kB}, {-1, kB}, {-2, 2}};
// И
const StrokePoint kGlyph1048[] = {{-2, 0}, {-2, 10}, kBreak, {4, 0}, {4, 10}, kBreak, {4, 10}, {-2, kB}};
// Л
const StrokePoint kGlyph1051[] = {{4, 0}, {4, 10}, {0, 10}, {-0.5, 2}, {-1.5, kB}, {-2.5, kB}};
// П
const StrokePoint kGlyph1055[] = {{-2, 0}, {-2, 10}, {4, 10}, {4, 0}};
// У
const StrokePoint kGlyph1059[] = {{-2, 10}, {1, 3.5}, kBreak, {4, 10}, {1, 3.5}, {-0.5, kB}, {-1.5, kB}};
// Ф
const StrokePoint kGlyph1060[] = {{1, 0}, {1, 10}, kBreak, {-1.5, 8.5}, {3.5, 8.5}, {4.5, 7.5}, {4.5, 3.5}, {3.5, 2.5}, {-1.5, 2.5}, {-2.5, 3.5}, {-2.5, 7.5}, {-1.5, 8.5}};
// Ц
const StrokePoint kGlyph1062[] = {{-2, 10}, {-2, 0}, kBreak, {3.5, 10}, {3.5, 0}, kBreak, {-2, kB}, {5, kB}, {5, -2}};
// Ч
const StrokePoint kGlyph1063[] = {{-2, 10}, {-2, 6}, {-1, 4.5}, {4, 4.5}, kBreak, {4, 10}, {4, 0}};
// Ш
const StrokePoint kGlyph1064[] = {{-2.5, 10}, {-2.5, 0}, kBreak, {1, 10}, {1, 0}, kBreak, {4.5, 10}, {4.5, 0}, kBreak, {-2.5, kB}, {4.5, kB}};
// Щ
const StrokePoint kGlyph1065[] = {{-2.5, 10}, {-2.5, 0}, kBreak, {0.75, 10}, {0.75, 0}, kBreak, {4, 10}, {4, 0}, kBreak, {-2.5, kB}, {5, kB}, {5, -2}};
// Ъ
const StrokePoint kGlyph1066[] = {{-3, 9}, {-3, 10}, {-1, 10}, {-1, 0}, kBreak, {-1, 5.5}, {3.5, 5.5}, {4.5, 4}, {4.5, 1}, {3.5, kB}, {-1, kB}};
// Ы
const StrokePoint kGlyph1067[] = {{-2.5, 10}, {-2.5, 0}, kBreak, {-2.5, 5.5}, {1, 5.5}, {2, 4}, {2, 1}, {1, kB}, {-2.5, kB}, kBreak, {4.5, 10}, {4.5, 0}};
// Ь
const StrokePoint kGlyph1068[] = {{-2, 10}, {-2, 0}, kBreak, {-2, 5.5}, {3.5, 5.5}, {4.5, 4}, {4.5, 1}, {3.5, kB}, {-2, kB}};
// Э
const StrokePoint kGlyph1069[] = {{4, 8}, {4, 2}, kBreak, {4, 8}, {2, 10}, {-1, 10}, {-2, 8}, kBreak, {4, 2}, {2, kB}, {-1, kB}, {-2, 2}, kBreak, {0.5, 5.5}, {4, 5.5}};
// Ю
const StrokePoint kGlyph1070[] = {{-2.5, 0}, {-2.5, 10}, kBreak, {-2.5, 5.5}, {-0.5, 5.5}, kBreak, {4.5, 2}, {4.5, 8}, kBreak, {4.5, 2}, {3.5, kB}, {0.5, kB}, {-0.5, 2}, {-0.5, 8}, kBreak, {4.5, 8}, {3.5, 10}, {0.5, 10}, {-0.5, 8}};
// Я
const StrokePoint kGlyph1071[] = {{4, 10}, {4, 0}, kBreak, {4, 10}, {-1.5, 10}, {-2, 9}, {-2, 7}, {-1.5, 6}, {4, 6}, kBreak, {-2, 0}, {2, 6}};
// The two dots of Ё, over the E.
const StrokePoint kDiaeresis[] = {{-1, 11}, {0, 11}, kBreak, {2, 11}, {3, 11}};
// The breve of Й, between the stems of the И.
const StrokePoint kBreve[] = {{-0.5, 11}, {0.3, 9.8}, {1.7, 9.8}, {2.5, 11}};

struct GlyphStrokes {
    const StrokePoint* points;
    int count;
};

#define GLYPH(code) {kGlyph##code, static_cast<int>(std::size(kGlyph##code))}
// Indexed by character code - 33. Empty entries: the three characters without a
// glyph, the dollar sign (drawn by drawDollar) and the lower case (small capitals).
const GlyphStrokes kGlyphs[94] = {
    GLYPH(33), {nullptr, 0}, GLYPH(35), {nullptr, 0},
    GLYPH(37), GLYPH(38), {nullptr, 0}, GLYPH(40),
    GLYPH(41), GLYPH(42), GLYPH(43), GLYPH(44),
    GLYPH(45), GLYPH(46), GLYPH(47), GLYPH(48),
    GLYPH(49), GLYPH(50), GLYPH(51), GLYPH(52),
    GLYPH(53), GLYPH(54), GLYPH(55), GLYPH(56),
    GLYPH(57), GLYPH(58), GLYPH(59), GLYPH(60),
    GLYPH(61), GLYPH(62), GLYPH(63), GLYPH(64),
    GLYPH(65), GLYPH(66), GLYPH(67), GLYPH(68),
    GLYPH(69), GLYPH(70), GLYPH(71), GLYPH(72),
    GLYPH(73), GLYPH(74), GLYPH(75), GLYPH(76),
    GLYPH(77), GLYPH(78), GLYPH(79), GLYPH(80),
    GLYPH(81), GLYPH(82), GLYPH(83), GLYPH(84),
    GLYPH(85), GLYPH(86), GLYPH(87), GLYPH(88),
    GLYPH(89), GLYPH(90), GLYPH(91), {nullptr, 0},
    GLYPH(93), GLYPH(94), GLYPH(95), GLYPH(96),
    {nullptr, 0}, {nullptr, 0}, {nullptr, 0}, {nullptr, 0},
    {nullptr, 0}, {nullptr, 0}, {nullptr, 0}, {nullptr, 0},
    {nullptr, 0}, {nullptr, 0}, {nullptr, 0}, {nullptr, 0},
    {nullptr, 0}, {nullptr, 0}, {nullptr, 0}, {nullptr, 0},
    {nullptr, 0}, {nullptr, 0}, {nullptr, 0}, {nullptr, 0},
    {nullptr, 0}, {nullptr, 0}, {nullptr, 0}, {nullptr, 0},
    {nullptr, 0}, {nullptr, 0}, GLYPH(123), GLYPH(124),
    GLYPH(125), GLYPH(126),
};

constexpr GlyphStrokes kNoStrokes = {nullptr, 0};

template <std::size_t N>
constexpr GlyphStrokes strokesOf(const StrokePoint (&points)[N]) {
    return {points, static_cast<int>(N)};
}

// A letter's strokes, and for Ё and Й those of the mark over it.
struct Glyph {
    GlyphStrokes strokes;
    GlyphStrokes mark = kNoStrokes;
};

// The Cyrillic capitals А to Я, indexed by code point - 0x410.
const Glyph kCyrillicGlyphs[32] = {
    // А Б В Г Д Е Ж З
    {GLYPH(65)}, {GLYPH(1041)}, {GLYPH(66)}, {GLYPH(1043)}, {GLYPH(1044)}, {GLYPH(69)}, {GLYPH(1046)}, {GLYPH(1047)},
    // И Й К Л М Н О П
    {GLYPH(1048)}, {GLYPH(1048), strokesOf(kBreve)}, {GLYPH(75)}, {GLYPH(1051)}, {GLYPH(77)}, {GLYPH(72)}, {GLYPH(79)},
    {GLYPH(1055)},
    // Р С Т У Ф Х Ц Ч
    {GLYPH(80)}, {GLYPH(67)}, {GLYPH(84)}, {GLYPH(1059)}, {GLYPH(1060)}, {GLYPH(88)}, {GLYPH(1062)}, {GLYPH(1063)},
    // Ш Щ Ъ Ы Ь Э Ю Я
    {GLYPH(1064)}, {GLYPH(1065)}, {GLYPH(1066)}, {GLYPH(1067)}, {GLYPH(1068)}, {GLYPH(1069)}, {GLYPH(1070)}, {GLYPH(1071)},
};
// Ё, which stands apart from the others in Unicode.
const Glyph kCapitalYo = {GLYPH(69), strokesOf(kDiaeresis)};
#undef GLYPH

constexpr char32_t kCapitalYoCode = 0x401, kSmallYoCode = 0x451;
constexpr char32_t kFirstCyrillicCapital = 0x410, kFirstCyrillicSmall = 0x430, kCyrillicLetters = 32;

// What a byte that does not begin a well-formed UTF-8 sequence reads as: the
// replacement character, which has no glyph.
constexpr char32_t kReplacementCharacter = 0xFFFD;

constexpr float kMaxSize = 30.0f;
// Lower case is drawn as small capitals of this fraction of the size.
constexpr double kSmallCapitalScale = 0.7;

struct Utf8Character {
    char32_t codePoint;
    int length;  // in bytes
};

// Reads the character that `text` starts with (text is not at its end). A byte
// that does not begin a well-formed sequence (a stray continuation byte, a
// sequence cut short, an overlong form, a surrogate, a code point past U+10FFFF)
// reads as the replacement character taking that one byte, and reading goes on
// with the next byte. Nothing past the terminating zero is read: a zero is no
// continuation byte, so it ends a sequence cut short.
Utf8Character readUtf8(const char* text) {
    const auto byte = [text](int i) { return static_cast<unsigned char>(text[i]); };
    const Utf8Character malformed = {kReplacementCharacter, 1};
    const unsigned lead = byte(0);
    if (lead < 0x80) return {lead, 1};
    int length = 0;
    char32_t codePoint = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        codePoint = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        codePoint = lead & 0x0F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        codePoint = lead & 0x07;
    } else {
        return malformed;
    }
    for (int i = 1; i < length; ++i) {
        if ((byte(i) & 0xC0) != 0x80) return malformed;
        codePoint = (codePoint << 6) | (byte(i) & 0x3F);
    }
    constexpr char32_t kLeastOfLength[] = {0, 0, 0x80, 0x800, 0x10000};
    if (codePoint < kLeastOfLength[length] || codePoint > 0x10FFFF || (codePoint >= 0xD800 && codePoint <= 0xDFFF))
        return malformed;
    return {codePoint, length};
}

bool isSmallLetter(char32_t c) {
    return (c >= 'a' && c <= 'z') || (c >= kFirstCyrillicSmall && c < kFirstCyrillicSmall + kCyrillicLetters) ||
           c == kSmallYoCode;
}

// The capital of a small letter.
char32_t capitalOf(char32_t small) {
    if (small == kSmallYoCode) return kCapitalYoCode;
    if (small >= kFirstCyrillicSmall) return small - kFirstCyrillicSmall + kFirstCyrillicCapital;
    return small - 'a' + 'A';
}

// The glyph of `c` (not a small letter nor the dollar sign); no strokes when
// the font has none.
Glyph glyphOf(char32_t c) {
    if (c >= 33 && c <= 126) return {kGlyphs[c - 33]};
    if (c >= kFirstCyrillicCapital && c < kFirstCyrillicCapital + kCyrillicLetters)
        return kCyrillicGlyphs[c - kFirstCyrillicCapital];
    if (c == kCapitalYoCode) return kCapitalYo;
    return {kNoStrokes};
}

bool hasGlyph(char32_t c) {
    if (c == '$') return true;
    return glyphOf(isSmallLetter(c) ? capitalOf(c) : c).strokes.points != nullptr;
}

// Adds the segments of `strokes` to the lines being drawn, in the cell at (x, y).
void addSegments(const GlyphStrokes& strokes, int x, int y, float size, double bottom) {
    for (int i = 0; i + 1 < strokes.count; ++i) {
        const StrokePoint& from = strokes.points[i];
        const StrokePoint& to = strokes.points[i + 1];
        if (isBreak(from) || isBreak(to)) continue;
        glVertex3d(x + from.u * size, from.v == kB ? bottom : y + from.v * size, 0.0);
        glVertex3d(x + to.u * size, to.v == kB ? bottom : y + to.v * size, 0.0);
    }
}

void drawGlyph(const Glyph& glyph, int x, int y, float r, float g, float b, float size) {
    if (!glyph.strokes.points) return;
    const double bottom = static_cast<double>(y) + (size / 3.0f + 1.0f);
    glColor3f(r, g, b);
    glLineWidth(size / 3.0f + 1.0f);
    glBegin(GL_LINES);
    addSegments(glyph.strokes, x, y, size, bottom);
    addSegments(glyph.mark, x, y, size, bottom);
    glEnd();
}

// The dollar sign: the S glyph with two thinner vertical bars over it.
void drawDollar(int x, int y, float r, float g, float b, float size) {
    glColor3f(r, g, b);
    drawGlyph(glyphOf('S'), x, y, r, g, b, size);
    glLineWidth(size / 6.0f + 1.0f);
    glBegin(GL_LINES);
    glVertex3d(x + 0.0 * size, y + 11.0 * size, 0.0);
    glVertex3d(x + 0.0 * size, y - 1.0 * size, 0.0);
    glVertex3d(x + 2.0 * size, y + 11.0 * size, 0.0);
    glVertex3d(x + 2.0 * size, y - 1.0 * size, 0.0);
    glEnd();
}

}  // namespace

void StrokeFont::drawText(const char* text, int x, int y, float r, float g, float b, float size) const {
    if (size > kMaxSize) size = kMaxSize;
    // Each origin is computed from x afresh so that no rounding piles up.
    int i = 0;
    for (const char* next = text; *next != '\0'; ++i) {
        const Utf8Character c = readUtf8(next);
        drawCodePoint(c.codePoint, static_cast<int>(x + 10.0f * size * i), y, r, g, b, size);
        next += c.length;
    }
}

void StrokeFont::drawChar(char c, int x, int y, float r, float g, float b, float size) const {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x80) drawCodePoint(byte, x, y, r, g, b, size);
}

void StrokeFont::drawCodePoint(char32_t c, int x, int y, float r, float g, float b, float size) const {
    if (isSmallLetter(c)) {
        const float smallSize = static_cast<float>(size * kSmallCapitalScale);
        drawGlyph(glyphOf(capitalOf(c)), x, y, r, g, b, smallSize);
        return;
    }
    if (c == '$') {
        drawDollar(x, y, r, g, b, size);
        return;
    }
    drawGlyph(glyphOf(c), x, y, r, g, b, size);
}

int StrokeFont::cellCount(const char* text) const {
    int cells = 0;
    for (const char* next = text; *next != '\0'; next += readUtf8(next).length) ++cells;
    return cells;
}

bool StrokeFont::canDraw(const char* text) const {
    for (const char* next = text; *next != '\0';) {
        const Utf8Character c = readUtf8(next);
        if (c.codePoint != ' ' && !hasGlyph(c.codePoint)) return false;
        next += c.length;
    }
    return true;
}
