#pragma once
// The rounded objects of the scene: pieces, stools, potted plant, chandelier and
// the ornaments on the shelves. Each restores the matrix stack.

#include "engine/rules/board.h"

// The pieces of the game's position, each on its square.
void drawPieces();
// The pieces of `cells`, each on its square, in the colours the green side gives them.
void drawPiecesOf(const Board& cells);
// One piece at a point between squares (fractions of files and ranks), raised by
// `lift` square widths (a negative lift sinks it into the board).
void drawPieceAt(PieceCode code, double file, double rank, double lift);
void drawPottedPlant();
void drawGreenStool();
void drawPinkStool();
void drawChandelier();
void drawShelfPlate();
void drawFrontTrophy();
void drawArmillary();
void drawCup();
void drawBackTrophy();
