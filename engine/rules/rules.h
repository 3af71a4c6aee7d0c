#pragma once
// The rules of movement, worked out as reach maps: where one piece may go, and
// the queries built on that (forced capture, a blocked side, the full legality
// of a move). A player's move and the reference search are judged here.

#include "engine/rules/board.h"

// Fills reachMap for the piece `code` on (file, rank); true when it can go anywhere.
// An empty square computes nothing and leaves the map as it was.
bool computeReach(int file, int rank, PieceCode code);
// Whether a king `code` standing on (file, rank) has a capture on the current board.
bool kingCanCapture(int file, int rank, PieceCode code);
bool pieceHasCapture(int file, int rank, PieceCode code);
bool sideHasCapture(Side side);
// True when no piece of `side` can go anywhere (also when it has no pieces).
bool sideIsBlocked(Side side);

// What is wrong with the live position (an unknown code, a piece off the
// playing squares, an uncrowned man on its far rank, more than twelve pieces a
// side, no side to move, a continuation square that does not name a capturing
// piece of the side to move), or nullptr when it is sound.
const char* positionFault();
inline bool positionIsSound() { return positionFault() == nullptr; }

// What a single step is: a plain move, a capture, or not legal at all.
enum MoveKind : int { kIllegal = 0, kPlainMove = 1, kCapture = 2 };
// Legality of a move of the side to move; the contents of reachMap afterwards are
// not to be relied on.
MoveKind isLegalMove(int fromFile, int fromRank, int toFile, int toRank, PieceCode code);
