#include "scene/scene.h"

#include <GL/gl.h>

#include "app/shell/shell.h"
#include "engine/board.h"
#include "engine/rules.h"
#include "engine/turn.h"
#include "scene/models.h"
#include "scene/room.h"
#include "scene/shape_cache.h"

int winPictureFrames = 0;

namespace {

// A drawing that showed a winner picture: after ten of them the game is over
// and the start menu takes over at the next frame.
void advanceWinPictureFrames() {
    if (winPictureFrames < 10) ++winPictureFrames;
    if (winPictureFrames >= 10) {
        currentScreen = 1;
        winPictureFrames = 0;
    }
}

void drawTurnIndicator() {
    glPushMatrix();
    glTranslated(-5.4, -3, 0);
    if (sideToMove == greenSide)
        glColor3d(0, 1, 0);
    else
        glColor3d(1, 0, 1);
    solidSphere(0.5, 50, 50);
    glPopMatrix();
}

// The green player has no move left: pink wins, and the other way round.
bool pinkWins() { return (sideIsBlocked(1) && greenSide == 1) || (sideIsBlocked(2) && greenSide == 2); }
bool greenWins() { return (sideIsBlocked(1) && greenSide == 2) || (sideIsBlocked(2) && greenSide == 1); }

void drawWinnerPictures() {
    glPushMatrix();
    glTranslated(0, 0, -5);
    if (pinkWins()) {
        drawPinkWinsPicture();
        advanceWinPictureFrames();
    }
    if (greenWins()) {
        drawGreenWinsPicture();
        advanceWinPictureFrames();
    }
    glPopMatrix();
}

void drawSceneInPushedMatrix() {
    glPushMatrix();
    drawScene();
    glPopMatrix();
}

}  // namespace

void drawEntryHighlights() {
    const int fromFile = typedMove[1], fromRank = typedMove[2];
    const int toFile = typedMove[3], toRank = typedMove[4];
    if (fromFile != 0 && fromRank == 0) highlightFromFile(fromFile);
    if (fromFile != 0 && fromRank != 0) highlightFromSquare(fromFile, fromRank);
    if (toFile != 0 && toRank == 0) highlightToFile(toFile);
    if (toFile != 0 && toRank != 0) highlightToSquare(toFile, toRank);
}

void drawScene() {
    glPushMatrix();
    glRotated(static_cast<double>(viewAngleX), 1, 0, 0);
    glRotated(static_cast<double>(viewAngleY), 0, 1, 0);

    glPushMatrix();
    glDisable(GL_BLEND);
    glDisable(GL_ALPHA_TEST);
    drawBoardSquares();
    drawPieces();
    drawPottedPlant();
    drawRoom();
    drawGreenStool();
    drawPinkStool();
    drawLandscape();
    drawChandelier();
    drawDoor();
    drawShelves();
    drawShelfPlate();
    drawFrontTrophy();
    drawArmillary();
    drawCup();
    drawBackTrophy();
    drawWindowGlass();
    glPopMatrix();

    drawTurnIndicator();
    drawEntryHighlights();
    drawWinnerPictures();
    drawEntryHighlights();

    glPopMatrix();
}

bool sceneShowsWinnerPicture() { return pinkWins() || greenWins(); }

void installTurnSceneDrawer() { turnStepSceneDrawer = drawSceneInPushedMatrix; }
