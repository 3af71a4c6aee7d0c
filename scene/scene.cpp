#include "scene/scene.h"

#include <GL/gl.h>

#include "engine/rules/board.h"
#include "engine/rules/rules.h"
#include "engine/game/turn.h"
#include "scene/coordinates.h"
#include "scene/models.h"
#include "scene/room.h"
#include "scene/shape_cache.h"

int winPictureFrames = 0;

namespace {

// A drawing that showed a winner picture: the tenth of them ends the game
// (the counter starts again) and returns true.
bool advanceWinPictureFrames() {
    if (winPictureFrames < 10) ++winPictureFrames;
    if (winPictureFrames >= 10) {
        winPictureFrames = 0;
        return true;
    }
    return false;
}

void drawTurnIndicator(Side shown) {
    glPushMatrix();
    glTranslated(-5.4, -3, 0);
    if (shown == greenSide)
        glColor3d(0, 1, 0);
    else
        glColor3d(1, 0, 1);
    solidSphere(0.5, 50, 50);
    glPopMatrix();
}

// The green player has no move left: pink wins, and the other way round.
bool pinkWins() { return (sideIsBlocked(1) && greenSide == 1) || (sideIsBlocked(2) && greenSide == 2); }
bool greenWins() { return (sideIsBlocked(1) && greenSide == 2) || (sideIsBlocked(2) && greenSide == 1); }

// Returns whether this drawing ended the game.
bool drawWinnerPictures() {
    bool gameOver = false;
    glPushMatrix();
    glTranslated(0, 0, -5);
    if (pinkWins()) {
        drawPinkWinsPicture();
        gameOver = advanceWinPictureFrames() || gameOver;
    }
    if (greenWins()) {
        drawGreenWinsPicture();
        gameOver = advanceWinPictureFrames() || gameOver;
    }
    glPopMatrix();
    return gameOver;
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

SceneOutcome drawScene(const ScenePresentation* presentation) {
    glPushMatrix();
    glRotated(static_cast<double>(viewAngleX), 1, 0, 0);
    glRotated(static_cast<double>(viewAngleY), 0, 1, 0);

    glPushMatrix();
    glDisable(GL_BLEND);
    glDisable(GL_ALPHA_TEST);
    drawBoardSquares();
    if (presentation && presentation->coordinatesFor != 0) drawBoardCoordinates(presentation->coordinatesFor);
    if (presentation && presentation->piecesGiven)
        drawPiecesOf(presentation->pieces);
    else
        drawPieces();
    if (presentation)
        for (int i = 0; i < presentation->floatingCount; ++i) {
            const ScenePresentation::Floating& f = presentation->floating[i];
            drawPieceAt(f.code, f.file, f.rank, f.lift);
        }
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

    drawTurnIndicator(presentation && presentation->ballSide != 0 ? presentation->ballSide : sideToMove);
    if (presentation)
        for (int i = 0; i < presentation->markCount; ++i) {
            const ScenePresentation::Mark& m = presentation->marks[i];
            drawSquareMark(m.file, m.rank, m.kind);
        }
    drawEntryHighlights();
    const bool gameOver = !(presentation && presentation->winnerHeldBack) && drawWinnerPictures();
    drawEntryHighlights();

    glPopMatrix();
    return gameOver ? SceneOutcome::GameOver : SceneOutcome::GameGoesOn;
}

bool sceneShowsWinnerPicture() { return pinkWins() || greenWins(); }
