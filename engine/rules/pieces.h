#pragma once
// The pieces: what a code on a square means, whose piece it is, who its enemies
// are, when a man becomes a king, and the four diagonals every piece moves along.
// Every part of the engine asks these questions here and nowhere else.

#include <cstdint>

// Cell values of a Board: 0 empty, 1/2 a man of side 1/2, 11/22 a king.
using PieceCode = std::int32_t;
// 1 or 2. The side of a piece is its code modulo 10.
using Side = std::int32_t;

constexpr PieceCode kEmpty = 0;
constexpr PieceCode kMan1 = 1;
constexpr PieceCode kMan2 = 2;
constexpr PieceCode kKing1 = 11;
constexpr PieceCode kKing2 = 22;

// The side a piece belongs to; 0 for an empty square.
constexpr Side sideOf(PieceCode code) { return code % 10; }
constexpr Side otherSide(Side side) { return side == 1 ? 2 : 1; }
constexpr bool isMan(PieceCode code) { return code == kMan1 || code == kMan2; }
constexpr bool isKing(PieceCode code) { return code == kKing1 || code == kKing2; }
// Two pieces of opposite sides; an empty square is nobody's enemy.
constexpr bool areEnemies(PieceCode a, PieceCode b) { return a != kEmpty && b != kEmpty && sideOf(a) != sideOf(b); }
// The rank step of a man going forward: side 1 goes up the ranks, side 2 down.
constexpr int forwardStep(PieceCode man) { return man == kMan1 ? +1 : -1; }
// The code a piece has after arriving on `toRank`: a man on its far rank is crowned.
constexpr PieceCode arrivingCode(PieceCode code, int toRank) {
    if (code == kMan1 && toRank == 8) return kKing1;
    if (code == kMan2 && toRank == 1) return kKing2;
    return code;
}

// Files and ranks run 1..8.
constexpr bool onBoard(int file, int rank) { return file >= 1 && file <= 8 && rank >= 1 && rank <= 8; }

// The four diagonal directions (file step, rank step), always examined in this order.
constexpr int kDirections[4][2] = {{+1, +1}, {+1, -1}, {-1, +1}, {-1, -1}};
