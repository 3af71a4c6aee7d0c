#pragma once
// Playing one move (one jump of a capture sequence) and taking it back.

#include "engine/board.h"

// Plays the move when it is legal for `code` on the from-square; otherwise does nothing.
void executeMove(int fromFile, int fromRank, int toFile, int toRank, PieceCode code);
void removeCapturedBetween(int fromFile, int fromRank, int toFile, int toRank);
// Must run before executeMove on the same move: it reads the position before it.
void fillRecord(HistoryRecord& record, int fromFile, int fromRank, int toFile, int toRank);
void noteCapturedPiece(HistoryRecord& record, int fromFile, int fromRank, int toFile, int toRank);
// Undoes the recorded move; apply to the position right after that move.
void restoreRecord(const HistoryRecord& record);
