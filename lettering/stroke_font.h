#pragma once
// lettering/ holds the game's own vector lettering, used for the start-menu
// captions: every glyph is a handful of straight line segments, so text of any
// size stays sharp in any frame. (The small HUD text is a bitmap font, in app/.)

// Draws text as GL line segments in the plane z = 0 of the current frame.
// Stateless: make an instance wherever one is needed.
class StrokeFont {
public:
    // Draws `text` left to right; character i has its origin at
    // (trunc(x + 10*size*i), y). Sizes above 30 are drawn at 30.
    void drawText(const char* text, int x, int y, float r, float g, float b, float size) const;
    // Draws one character with its origin (on the baseline) at (x, y). Lower case
    // comes out as small capitals at 0.7 of the size; characters without a glyph
    // draw nothing.
    void drawChar(char c, int x, int y, float r, float g, float b, float size) const;

private:
    // Draws the glyph of `code` (33..126, lower case excluded) at the given size.
    void drawGlyph(int code, int x, int y, float r, float g, float b, float size) const;
    // The dollar sign: the S glyph with two thinner vertical bars over it.
    void drawDollar(int x, int y, float r, float g, float b, float size) const;
};
