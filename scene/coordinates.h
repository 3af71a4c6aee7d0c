#pragma once
// The board's coordinates: the letters a to h along one edge and the digits 1
// to 8 along another, lying on the table beside the board, as the player who
// types the squares sees them. Side 1's player sits at the near edge (a1 to
// their lower left); side 2's at the far edge, for whom the board is turned
// by 180 degrees (their a1 is the game's h8).

#include "engine/rules/board.h"

// The letters along `seenFrom`'s near edge and the digits along their left
// edge, each facing that side's player. Restores what it changes.
void drawBoardCoordinates(Side seenFrom);
