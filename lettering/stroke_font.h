#pragma once
// lettering/ holds the game's own vector lettering, used for the start-menu
// captions: every glyph is a handful of straight line segments, so text of any
// size stays sharp in any frame. (The small HUD text is a bitmap font, in app/.)
//
// The font has the printable ASCII characters but for the quotes and the
// backslash, and the Russian alphabet (lower case as small capitals, as the
// Latin). Text is UTF-8: each character takes one cell of 10 times the size,
// and each byte that does not begin a well-formed UTF-8 sequence takes an empty
// cell of its own.

// Draws text as GL line segments in the plane z = 0 of the current frame.
// Stateless: make an instance wherever one is needed.
class StrokeFont {
public:
    // Draws the UTF-8 `text` left to right; character i has its origin at
    // (trunc(x + 10*size*i), y). Sizes above 30 are drawn at 30.
    void drawText(const char* text, int x, int y, float r, float g, float b, float size) const;
    // Draws one character with its origin (on the baseline) at (x, y). Lower case
    // comes out as small capitals at 0.7 of the size; characters without a glyph
    // draw nothing.
    void drawCodePoint(char32_t c, int x, int y, float r, float g, float b, float size) const;
    // drawCodePoint for an ASCII character; a byte of 128 and above is no
    // character on its own and draws nothing.
    void drawChar(char c, int x, int y, float r, float g, float b, float size) const;

    // The cells the UTF-8 `text` takes: its characters, and its malformed bytes.
    int cellCount(const char* text) const;
    // Whether every character of the UTF-8 `text` but the space has a glyph (a
    // malformed byte has none).
    bool canDraw(const char* text) const;
};
