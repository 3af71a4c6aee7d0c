#include "scene/coordinates.h"

#include <GL/gl.h>

#include "lettering/stroke_font.h"

namespace {

// The table top lies at y = -3; the letters just above it, clear of its texture.
constexpr double kLabelY = -2.99;
// The board covers x from -4 to 4 and z from -4.5 (rank 8) to 3.5 (rank 1).
constexpr double kNearEdgeZ = 3.5, kFarEdgeZ = -4.5, kSideEdgeX = 4.0;
// How far a label's foot stands off the board's edge, in square widths.
constexpr double kLabelOffset = 0.4;
// The stroke font's size 3 (a cell of 30 units, as the menu's captions) scaled
// to a label 0.36 square widths tall.
constexpr float kFontSize = 3;
constexpr double kUnitsToSquares = 0.012;
// Old gold, as the trophies on the shelves.
constexpr float kColour[3] = {1.0f, 0.85f, 0.45f};

// How far a label leans back from upright, in degrees: raised off the table
// towards the player, it is not squashed flat at the play view's low angle.
constexpr double kLabelLean = 50;

// One character standing on the table, its foot centred on (x, z) and leaning
// back, upright for the player of `seenFrom`.
void drawLabel(char c, double x, double z, Side seenFrom) {
    const StrokeFont font;
    glPushMatrix();
    glTranslated(x, kLabelY, z);
    if (seenFrom == 2) glRotated(180, 0, 1, 0);
    // The glyph's plane leaning back from the player, its foot on the table.
    glRotated(-kLabelLean, 1, 0, 0);
    glScaled(kUnitsToSquares, kUnitsToSquares, kUnitsToSquares);
    // A glyph's strokes lie about one size right of its origin and ten high.
    font.drawChar(c, static_cast<int>(-kFontSize), 0, kColour[0], kColour[1], kColour[2], kFontSize);
    glPopMatrix();
}

}  // namespace

void drawBoardCoordinates(Side seenFrom) {
    glPushAttrib(GL_ENABLE_BIT | GL_LINE_BIT | GL_CURRENT_BIT);
    glDisable(GL_LIGHTING);
    glDisable(GL_TEXTURE_2D);
    glEnable(GL_LINE_SMOOTH);
    // The label of file f and rank r as side 2 names them: 9 - f, 9 - r.
    const bool turned = seenFrom == 2;
    for (int i = 1; i <= 8; ++i) {
        const double fileX = i - 4.5, rankZ = 4.0 - i;
        const int named = turned ? 9 - i : i;
        const double nearZ = turned ? kFarEdgeZ - kLabelOffset : kNearEdgeZ + kLabelOffset;
        const double leftX = turned ? kSideEdgeX + kLabelOffset : -kSideEdgeX - kLabelOffset;
        drawLabel(static_cast<char>('a' + named - 1), fileX, nearZ, seenFrom);
        drawLabel(static_cast<char>('0' + named), leftX, rankZ, seenFrom);
    }
    glPopAttrib();
}
