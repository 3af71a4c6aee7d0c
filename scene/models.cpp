#include "scene/models.h"

#include <GL/gl.h>

#include "engine/game/game_state.h"
#include "engine/rules/board.h"
#include "scene/room.h"
#include "scene/shape_cache.h"

namespace {

constexpr double kGreen[3] = {0, 1, 0};
constexpr double kPink[3] = {1, 0, 1};
constexpr double kWoodBrown[3] = {0.6, 0.32, 0};

void setColour(const double (&c)[3]) { glColor3d(c[0], c[1], c[2]); }

// One stool: a flat round seat at y = -5 on four legs; `shift` moves it first.
void drawStool(double shift, const double (&colour)[3]) {
    glPushMatrix();
    glTranslated(0, 0, shift);
    glTranslated(0, -5, 9);
    glRotated(90, 1, 0, 0);
    setColour(colour);
    solidTorus(1.5, 0, 2, 60);
    glRotated(90, 1, 0, 0);
    glTranslated(-0.8, 9, 0.8);
    cachedCylinder(0.1, 10);
    glTranslated(0, 0, -1.6);
    cachedCylinder(0.1, 10);
    glTranslated(1.6, 0, 0);
    cachedCylinder(0.1, 10);
    glTranslated(0, 0, 1.6);
    cachedCylinder(0.1, 10);
    glPopMatrix();
}

struct Point {
    double x, y, z;
};

// One leaf of the plant: three polygons of four corners in one colour.
struct Leaf {
    double green;
    Point polygons[3][4];
};

const Leaf kLeaves[6] = {
    {0.4,
     {{{-14.5, -7, -14.5}, {-14, -7, -14.5}, {-14, -1, -14.5}, {-14.5, -1, -14.5}},
      {{-11.5, 3, -14.5}, {-11, 3, -14.5}, {-14, -1, -14.5}, {-14.5, -1, -14.5}},
      {{-11.5, 3, -14.5}, {-11, 3, -14.5}, {-8.5, -4, -14.5}, {-8.5, -4, -14.5}}}},
    {0.5,
     {{{-14.5, -7, -14.5}, {-14, -7, -14.5}, {-11, 1, -14.5}, {-11.5, 1, -14.5}},
      {{-8.5, 5, -11.5}, {-8.5, 5, -11}, {-11, 1, -14.5}, {-11.5, 1, -14.5}},
      {{-9.5, 0, -10.5}, {-9.5, 0, -10.5}, {-8.5, 5, -11.5}, {-8.5, 5, -11}}}},
    {0.42,
     {{{-14.5, -7, -14.5}, {-14, -7, -14.5}, {-14.5, -2, -14.5}, {-15, -2, -14.5}},
      {{-11.5, -3, -10.5}, {-11, -3, -10.5}, {-14.5, -2, -14.5}, {-15, -2, -14.5}},
      {{-11.5, -3, -10.5}, {-11, -3, -10.5}, {-11.5, -4, -8.5}, {-11.5, -4, -8.5}}}},
    {0.34,
     {{{-14.5, -7, -14.5}, {-15, -7, -14}, {-15, -3, -8.5}, {-14.5, -3, -8.5}},
      {{-14.5, -4, -5.5}, {-15, -4, -5.5}, {-15, -3, -8.5}, {-14.5, -3, -8.5}},
      {{-14.5, -4, -5.5}, {-15, -4, -5.5}, {-15, -9, -2.5}, {-15, -9, -2.5}}}},
    {0.46,
     {{{-14.5, -7, -14.5}, {-15, -7, -14}, {-15, 6, -8.5}, {-14.5, 6, -8.5}},
      {{-11.5, 4, -6.5}, {-12, 4, -6.5}, {-15, 6, -8.5}, {-14.5, 6, -8.5}},
      {{-11.5, 4, -6.5}, {-12, 4, -6.5}, {-10, -4, -5.5}, {-10, -4, -5.5}}}},
    {0.45,
     {{{-14.5, -7, -14.5}, {-15, -7, -14}, {-15, 2, -15}, {-14.5, 2, -15}},
      {{-15.5, -3, -15}, {-16, -3, -15}, {-15, 2, -15}, {-14.5, 2, -15}},
      {{-15.5, -3, -15}, {-16, -3, -15}, {-15, -5, -15}, {-15, -5, -15}}}},
};

void polygon(const Point (&corners)[4]) {
    glBegin(GL_QUADS);
    for (const Point& p : corners) glVertex3d(p.x, p.y, p.z);
    glEnd();
}

// The values in which the two shelf-top trophies differ.
struct Trophy {
    Point position;
    double columnRadius;
    double spikeHeight;
    double baseTube, baseRing;
};

void drawTrophy(const Trophy& t) {
    glColor3d(2.5, 1.5, 0);
    glPushMatrix();
    glTranslated(t.position.x, t.position.y, t.position.z);
    solidSphere(0.8, 50, 50);
    glTranslated(0, -1, 0);
    glColor3d(2.5, 1.2, 0);
    cachedCylinder(t.columnRadius, 3.7);
    glRotated(270, 1, 0, 0);
    glTranslated(0, 0, 1);
    solidCone(0.5, t.spikeHeight, 60, 60);
    glPopMatrix();
    glPushMatrix();
    glTranslated(t.position.x, 6.1, t.position.z);
    glRotated(90, 1, 0, 0);
    solidTorus(t.baseTube, t.baseRing, 2, 60);
    glPopMatrix();
}

}  // namespace

void drawPieces() { drawPiecesOf(board); }

void drawPiecesOf(const Board& cells) {
    for (int i = 1; i <= 8; ++i)
        for (int j = 1; j <= 8; ++j)
            if (isMan(cells[i][j]) || isKing(cells[i][j])) drawPieceAt(cells[i][j], i, j, 0);
}

void drawPieceAt(PieceCode code, double file, double rank, double lift) {
    const bool green = sideOf(code) == greenSide;
    glPushMatrix();
    setColour(green ? kGreen : kPink);
    glTranslated(file - 4.5, -3 + lift, 4 - rank);
    if (isKing(code)) {
        glRotated(-90, 1, 0, 0);
        solidCone(0.2, 1.0, 55, 55);
    } else {
        solidSphere(0.2, 55, 55);
    }
    glPopMatrix();
}

void drawGreenStool() { drawStool(0, kGreen); }

void drawPinkStool() { drawStool(-18, kPink); }

void drawPottedPlant() {
    // Pot.
    glPushMatrix();
    glTranslated(-14, -7, -14);
    glRotated(90, 1, 0, 0);
    setColour(kWoodBrown);
    solidCone(1.5, 10, 90, 50);
    glPopMatrix();
    // Soil.
    glColor3d(0, 0, 0);
    polygon({{-15.5, -7, -12.5}, {-12.5, -7, -12.5}, {-12.5, -7, -15.5}, {-15.5, -7, -15.5}});
    // Rim.
    glPushMatrix();
    setColour(kWoodBrown);
    glTranslated(-14, -7, -14);
    glRotated(90, 1, 0, 0);
    solidTorus(0.5, 1.7, 3, 50);
    glPopMatrix();
    // Leaves.
    for (const Leaf& leaf : kLeaves) {
        glColor3d(0, leaf.green, 0);
        for (const auto& corners : leaf.polygons) polygon(corners);
    }
}

void drawChandelier() {
    // Ring.
    glPushMatrix();
    glTranslated(0, 10, 0);
    glRotated(90, 1, 0, 0);
    setColour(kPink);
    solidTorus(0.5, 4.0, 50, 50);
    glPopMatrix();
    // Globe.
    beginBlendedDrawing();
    glPushMatrix();
    glTranslated(0, 10, 0);
    glColor4d(0, 2.5, 2.5, 0.9);
    solidSphere(2.5, 50, 50);
    glPopMatrix();
    glDisable(GL_BLEND);
    glDisable(GL_ALPHA_TEST);
    // Central rod.
    glPushMatrix();
    glTranslated(0, 20, 0);
    setColour(kPink);
    cachedCylinder(0.2, 10);
    glPopMatrix();
    // Four slanted arms from the top of the lamp to the ring.
    struct Arm {
        Point at;
        double aboutZ, aboutX;
    };
    const Arm arms[4] = {{{-0.2, 18, -0.2}, 135, -60},
                         {{0.2, 18, -0.2}, -135, -60},
                         {{-2.6, 11, -2.6}, 135, 60},
                         {{2.6, 11, -2.6}, -135, 60}};
    for (const Arm& arm : arms) {
        glPushMatrix();
        glTranslated(arm.at.x, arm.at.y, arm.at.z);
        glRotated(90, 1, 0, 0);
        glRotated(arm.aboutZ, 0, 0, 1);
        glRotated(arm.aboutX, 1, 0, 0);
        setColour(kPink);
        cachedCylinder(0.2, 10);
        glPopMatrix();
    }
}

void drawShelfPlate() {
    glPushMatrix();
    glTranslated(0, 0, 0);
    glRotated(90, 0, 1, 0);
    glTranslated(0, 2, 16);
    glColor3d(2.5, 2.5, 0);
    solidTorus(0.2, 1.7, 2, 60);
    glColor3d(2.5, 1.1, 0);
    solidTorus(1.5, 0, 2, 60);
    glColor3d(2.5, 0.7, 0);
    const Point balls[6] = {{1.5, 0, 0}, {0.75, 1.17, 0}, {-0.75, 1.17, 0},
                            {-1.5, 0, 0}, {0.75, -1.17, 0}, {-0.75, -1.17, 0}};
    for (const Point& b : balls) {
        glTranslated(b.x, b.y, b.z);
        solidSphere(0.5, 50, 50);
        glTranslated(-b.x, -b.y, -b.z);
    }
    glPopMatrix();
}

void drawFrontTrophy() { drawTrophy({{16, 9.7, 12}, 0.5, 1.7, 0.7, 0.2}); }

void drawBackTrophy() { drawTrophy({{16, 9.7, -12}, 0.7, 1.9, 0.9, 0.5}); }

void drawArmillary() {
    glColor3d(0.94, 2.23, 2.25);
    glPushMatrix();
    glTranslated(15, 7, 6);
    solidSphere(0.8, 50, 50);
    glTranslated(0, -1, 0);
    glColor3d(2.5, 0.9, 0);
    cachedCylinder(0.5, 3.7);
    glTranslated(0, 1, 0);
    for (int k = 0; k < 3; ++k) {
        solidTorus(0.2, 1.5, 5, 60);
        glRotated(60, 0, 1, 0);
    }
    glRotated(90, 1, 0, 0);
    glTranslated(0, 0, 3.7);
    solidTorus(0.2, 0.5, 5, 60);
    glPopMatrix();
}

void drawCup() {
    glPushMatrix();
    glTranslated(0, 4, 0);
    glTranslated(15, 2, -6);
    glRotated(90, 0, 1, 0);
    // Cut the bowl open above local y = 0.7.
    glEnable(GL_CLIP_PLANE0);
    const double equation[4] = {0, -1, 0, 0.7};
    glClipPlane(GL_CLIP_PLANE0, equation);
    glPushMatrix();
    glColor3d(2.5, 1.9, 0);
    cachedSphere(1.5);
    glColor3d(1.75, 0.9, 0);
    cachedSphere(1.495);
    glColor3d(2.5, 1.5, 0);
    glRotated(270, 1, 0, 0);
    glTranslated(0, 0, -3);
    solidCone(0.8, 2.7, 60, 60);
    glPopMatrix();
    glDisable(GL_CLIP_PLANE0);
    // Handles.
    glColor3d(1.25, 0.6, 0);
    glPushMatrix();
    glTranslated(1.7, -0.4, 0);
    solidTorus(0.1, 0.8, 5, 60);
    glTranslated(-3.4, 0, 0);
    solidTorus(0.1, 0.8, 5, 60);
    glPopMatrix();
    glPopMatrix();
}
