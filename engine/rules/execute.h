#pragma once
// Playing one move (one jump of a capture sequence) and taking it back.

#include "engine/rules/board.h"
#include "engine/rules/rules.h"

// Plays the move when it is legal for `code` on the from-square; otherwise does nothing.
void executeMove(int fromFile, int fromRank, int toFile, int toRank, PieceCode code);
// Plays a move already known to be legal, of the kind the rules gave it (a plain
// move or a capture), after writing into `record` everything needed to take it
// back. Every move of the game goes through here: executeMove, a typed move and
// each trial move of the search.
void playLegalMove(int fromFile, int fromRank, int toFile, int toRank, MoveKind kind, HistoryRecord& record);
// Must run before executeMove on the same move: it reads the position before it.
void fillRecord(HistoryRecord& record, int fromFile, int fromRank, int toFile, int toRank);
void noteCapturedPiece(HistoryRecord& record, int fromFile, int fromRank, int toFile, int toRank);
// Undoes the recorded move; apply to the position right after that move.
void restoreRecord(const HistoryRecord& record);
