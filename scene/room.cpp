#include "scene/room.h"

#include <GL/gl.h>

#include "scene/shape_cache.h"
#include "textures/texture_set.h"

namespace {

// A corner of a hand-built surface, with its texture coordinate when textured.
struct Corner {
    double x, y, z;
    double s = 0, t = 0;
};

void quad(const Corner (&c)[4]) {
    glBegin(GL_QUADS);
    for (const Corner& corner : c) glVertex3d(corner.x, corner.y, corner.z);
    glEnd();
}

void texturedQuad(const Corner (&c)[4]) {
    glBegin(GL_QUADS);
    for (const Corner& corner : c) {
        glTexCoord2d(corner.s, corner.t);
        glVertex3d(corner.x, corner.y, corner.z);
    }
    glEnd();
}

// Colour, then texturing on, the picture bound, the surface, texturing off.
void texturedSurface(double r, double g, double b, unsigned int texture, const Corner (&c)[4]) {
    glColor3d(r, g, b);
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, texture);
    texturedQuad(c);
    glDisable(GL_TEXTURE_2D);
}

void plainSurface(double r, double g, double b, const Corner (&c)[4]) {
    glColor3d(r, g, b);
    quad(c);
}

// A translucent picture covering its corners (blending sequence included).
void blendedPicture(unsigned int texture, const Corner (&c)[4]) {
    beginBlendedDrawing();
    glColor4d(1, 1, 1, 1);
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, texture);
    texturedQuad(c);
    endBlendedDrawing();
}

// A flat translucent quad over the squares of one file between two z values.
void highlightQuad(int file, double nearZ, double farZ, double r, double g, double b, double alpha) {
    const double x0 = file - 5;
    const double x1 = file - 4;
    beginBlendedDrawing();
    glColor4d(r, g, b, alpha);
    quad({{x0, -2.9, farZ}, {x0, -2.9, nearZ}, {x1, -2.9, nearZ}, {x1, -2.9, farZ}});
    endBlendedDrawing();
}

constexpr double kYellow[3] = {2.5, 2.5, 0};
constexpr double kRed[3] = {1, 0, 0};
constexpr double kWoodBrown[3] = {0.6, 0.32, 0};

}  // namespace

void beginBlendedDrawing() {
    glEnable(GL_ALPHA_TEST);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
}

void endBlendedDrawing() {
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_BLEND);
    glDisable(GL_ALPHA_TEST);
}

void drawBoardSquares() {
    for (int i = 1; i <= 8; ++i) {
        for (int j = 1; j <= 8; ++j) {
            glPushMatrix();
            if ((i + j) % 2 == 1)
                glColor3d(1, 1, 1);
            else
                glColor3d(0, 0, 0);
            glTranslated(i - 4.5, -3.45, 4 - j);
            solidCube(1.0);
            glPopMatrix();
        }
    }
}

void highlightFromFile(int file) { highlightQuad(file, 3.5, -4.5, kYellow[0], kYellow[1], kYellow[2], 0.5); }

void highlightFromSquare(int file, int rank) {
    highlightQuad(file, 4.5 - rank, 3.5 - rank, kYellow[0], kYellow[1], kYellow[2], 0.7);
}

void highlightToFile(int file) { highlightQuad(file, 3.5, -4.5, kRed[0], kRed[1], kRed[2], 0.5); }

void highlightToSquare(int file, int rank) {
    highlightQuad(file, 4.5 - rank, 3.5 - rank, kRed[0], kRed[1], kRed[2], 0.7);
}

namespace {

// The last move's blue reads on the white squares and the black ones alike and
// is none of the typed yellow and red or the pieces' green and pink; a hint is
// orange. A captured piece's cross is a light blue edged in navy, and a piece
// that must capture is ringed in white inside a black margin, so both stand
// out on a black square and beside the white ones at any size.
constexpr double kMoveBlue[3] = {0.15, 0.45, 1.0};
constexpr double kCrossBlue[3] = {0.55, 0.85, 1.0};
constexpr double kCrossEdge[3] = {0.0, 0.05, 0.3};
constexpr double kHintOrange[3] = {1.0, 0.55, 0.0};
constexpr double kMustWhite[3] = {1.0, 1.0, 1.0};
constexpr double kMustMargin[3] = {0.0, 0.0, 0.0};

// A translucent quad over part of a square: x and z as fractions 0..1 of it.
void squarePart(int file, int rank, double x0, double z0, double x1, double z1, const double (&c)[3], double alpha) {
    const double left = file - 5, far = 3.5 - rank;
    beginBlendedDrawing();
    glColor4d(c[0], c[1], c[2], alpha);
    quad({{left + x0, -2.9, far + z0}, {left + x0, -2.9, far + z1}, {left + x1, -2.9, far + z1}, {left + x1, -2.9, far + z0}});
    endBlendedDrawing();
}

// A band `half` wide either side of the line across a square from (x0, z0) to
// (x1, z1), as fractions, raised by `lift` over the marks.
void squareStroke(int file, int rank, double x0, double z0, double x1, double z1, double half, double lift,
                  const double (&c)[3]) {
    const double left = file - 5, far = 3.5 - rank, y = -2.9 + lift;
    beginBlendedDrawing();
    glColor4d(c[0], c[1], c[2], 1.0);
    quad({{left + x0 - half, y, far + z0}, {left + x0 + half, y, far + z0},
          {left + x1 + half, y, far + z1}, {left + x1 - half, y, far + z1}});
    endBlendedDrawing();
}

// A square frame from `outer` to `inner` (fractions from the square's edge).
void squareFrame(int file, int rank, double outer, double inner, const double (&c)[3], double alpha) {
    const double o = outer, i = inner;
    squarePart(file, rank, o, o, 1 - o, i, c, alpha);
    squarePart(file, rank, o, 1 - i, 1 - o, 1 - o, c, alpha);
    squarePart(file, rank, o, i, i, 1 - i, c, alpha);
    squarePart(file, rank, 1 - i, i, 1 - o, 1 - i, c, alpha);
}

}  // namespace

void drawSquareMark(int file, int rank, SquareMarkKind kind) {
    switch (kind) {
        case SquareMarkKind::MoveFrom: squarePart(file, rank, 0, 0, 1, 1, kMoveBlue, 0.55); break;
        case SquareMarkKind::MoveTo: squarePart(file, rank, 0, 0, 1, 1, kMoveBlue, 0.7); break;
        case SquareMarkKind::MoveLanding: squarePart(file, rank, 0.3, 0.3, 0.7, 0.7, kMoveBlue, 0.7); break;
        case SquareMarkKind::Captured:
            squareStroke(file, rank, 0.15, 0.15, 0.85, 0.85, 0.12, 0.01, kCrossEdge);
            squareStroke(file, rank, 0.85, 0.15, 0.15, 0.85, 0.12, 0.01, kCrossEdge);
            squareStroke(file, rank, 0.18, 0.18, 0.82, 0.82, 0.07, 0.02, kCrossBlue);
            squareStroke(file, rank, 0.82, 0.18, 0.18, 0.82, 0.07, 0.02, kCrossBlue);
            break;
        case SquareMarkKind::Hint: squarePart(file, rank, 0, 0, 1, 1, kHintOrange, 0.7); break;
        case SquareMarkKind::MustCapture:
            squareFrame(file, rank, 0, 0.08, kMustMargin, 1.0);
            squareFrame(file, rank, 0.08, 0.2, kMustWhite, 1.0);
            break;
    }
}

void drawRoom() {
    // Floor, a square turned 45 degrees.
    texturedSurface(1, 1, 1, polTexture,
                    {{0, -10, -33, 1, 1}, {33, -10, 0, 1, 0}, {0, -10, 33, 0, 0}, {-33, -10, 0, 0, 1}});
    // Ground beyond the window.
    plainSurface(0, 0, 0, {{-16.5, -9.9, -16.5}, {-16.5, -9.9, -35}, {16.5, -9.9, -35}, {16.5, -9.9, -16.5}});
    // Table top, underside and edges.
    texturedSurface(1, 1, 1, stolTexture,
                    {{-6, -3, -6, 0, 1}, {-6, -3, 6, 0, 0}, {6, -3, 6, 1, 0}, {6, -3, -6, 1, 1}});
    plainSurface(kWoodBrown[0], kWoodBrown[1], kWoodBrown[2],
                 {{-6, -4, -6}, {-6, -4, 6}, {6, -4, 6}, {6, -4, -6}});
    plainSurface(0, 0, 0, {{-6, -4, -6}, {-6, -3, -6}, {6, -3, -6}, {6, -4, -6}});
    plainSurface(0, 0, 0, {{6, -4, 6}, {6, -3, 6}, {6, -3, -6}, {6, -4, -6}});
    plainSurface(0, 0, 0, {{-6, -4, 6}, {-6, -3, 6}, {6, -3, 6}, {6, -4, 6}});
    plainSurface(0, 0, 0, {{-6, -4, 6}, {-6, -3, 6}, {-6, -3, -6}, {-6, -4, -6}});
    // Table legs.
    glPushMatrix();
    glTranslated(-4, -5, 4);
    glColor3d(0, 0, 0);
    cachedCylinder(0.5, 10);
    glTranslated(8, 0, 0);
    glColor3d(0, 0, 0);
    cachedCylinder(0.5, 10);
    glTranslated(0, 0, -8);
    glColor3d(0, 0, 0);
    cachedCylinder(0.5, 10);
    glTranslated(-8, 0, 0);
    glColor3d(0, 0, 0);
    cachedCylinder(0.5, 10);
    glPopMatrix();
    // Back wall beside and below the window.
    texturedSurface(1, 0, 0, wall3Texture,
                    {{-16.5, -16.5, -16.5, 0, 0},
                     {-16.5, 16.5, -16.5, 0, 1},
                     {-7.5, 16.5, -16.5, 1, 1},
                     {-7.5, -16.5, -16.5, 1, 0}});
    texturedSurface(1, 0, 0, wall3Texture,
                    {{16.5, -16.5, -16.5, 1, 0},
                     {16.5, 16.5, -16.5, 1, 1},
                     {7.5, 16.5, -16.5, 0, 1},
                     {7.5, -16.5, -16.5, 0, 0}});
    texturedSurface(0.5, 0, 0, wall4Texture,
                    {{-7.5, -10, -16.5, 1, 1}, {-7.5, -4.5, -16.5, 1, 0}, {7.5, -4.5, -16.5, 0, 0}, {7.5, -10, -16.5, 0, 1}});
    // Left, right and front walls.
    texturedSurface(1, 0, 0, wall2Texture,
                    {{-16.5, -16.5, -16.5, 0, 0},
                     {-16.5, 16.5, -16.5, 0, 1},
                     {-16.5, 16.5, 16.5, 1, 1},
                     {-16.5, -16.5, 16.5, 1, 0}});
    texturedSurface(1, 0, 0, wall2Texture,
                    {{16.5, -16.5, -16.5, 0, 0},
                     {16.5, 16.5, -16.5, 0, 1},
                     {16.5, 16.5, 16.5, 1, 1},
                     {16.5, -16.5, 16.5, 1, 0}});
    texturedSurface(1, 0, 0, wall2Texture,
                    {{-16.5, -16.5, 16.5, 0, 0},
                     {-16.5, 16.5, 16.5, 0, 1},
                     {16.5, 16.5, 16.5, 1, 1},
                     {16.5, -16.5, 16.5, 1, 0}});
}

void drawLandscape() {
    blendedPicture(landscape2Texture,
                   {{-12, -12, -19, 0, 0}, {-12, 12, -19, 0, 1}, {12, 12, -19, 1, 1}, {12, -12, -19, 1, 0}});
}

void drawDoor() {
    plainSurface(kWoodBrown[0], kWoodBrown[1], kWoodBrown[2],
                 {{-10, -10, 16.49}, {-10, 5, 16.49}, {-2, 5, 16.49}, {-2, -10, 16.49}});
    plainSurface(0, 0, 0, {{-9, -5, 16.48}, {-9, -3, 16.48}, {-8.5, -3, 16.48}, {-8.5, -5, 16.48}});
}

void drawShelves() {
    const double r = kWoodBrown[0], g = kWoodBrown[1], b = kWoodBrown[2];
    plainSurface(r, g, b, {{14, 0, -3}, {14, 0, 3}, {16.5, 0, 3}, {16.5, 0, -3}});
    plainSurface(r, g, b, {{14, 3, -3}, {14, 3, -9}, {16.5, 3, -9}, {16.5, 3, -3}});
    plainSurface(r, g, b, {{14, 3, 9}, {14, 3, 3}, {16.5, 3, 3}, {16.5, 3, 9}});
    plainSurface(r, g, b, {{14, 6, 15}, {14, 6, 9}, {16.5, 6, 9}, {16.5, 6, 15}});
    plainSurface(r, g, b, {{14, 6, -9}, {14, 6, -15}, {16.5, 6, -15}, {16.5, 6, -9}});
}

void drawWindowGlass() {
    beginBlendedDrawing();
    glPushMatrix();
    glTranslated(0, 20, -44.1);
    glColor4d(0.54, 0.64, 0.64, 0.5);
    solidCube(55);
    glPopMatrix();
    glDisable(GL_BLEND);
    glDisable(GL_ALPHA_TEST);
    // The bar splitting the opening; its texture coordinates fold the picture.
    texturedSurface(1, 0, 0, wall4Texture,
                    {{-0.3, -4.5, -16.5, 0, 0},
                     {0.3, -4.5, -16.5, 0, 1},
                     {0.3, 16.5, -16.5, 1, 0},
                     {-0.3, 16.5, -16.5, 1, 1}});
}

void drawGreenWinsPicture() {
    blendedPicture(greenWinsTexture, {{-4, -4, 5, 0, 0}, {-4, 4, 5, 0, 1}, {4, 4, 5, 1, 1}, {4, -4, 5, 1, 0}});
}

void drawPinkWinsPicture() {
    blendedPicture(pinkWinsTexture, {{-4, -4, 5, 0, 0}, {-4, 4, 5, 0, 1}, {4, 4, 5, 1, 1}, {4, -4, 5, 1, 0}});
}
