#pragma once
// The legal moves of the live position, listed in the order the computer's
// search walks them. It gives exactly the answers of the rules (computeReach,
// sideIsBlocked, isLegalMove in engine/rules/rules.h), but works per piece and per
// direction instead of recomputing a reach map for every target square, so a
// search node costs a few hundred board reads instead of tens of thousands.

#include "engine/rules/board.h"
#include "engine/rules/rules.h"

// One legal move of the side to move, as listed by the search (kept small:
// a search keeps a list of them at every depth).
struct ListedMove {
    std::int8_t fromFile, fromRank, toFile, toRank, kind;
    MoveKind moveKind() const { return static_cast<MoveKind>(kind); }
};

// A side has at most 12 pieces and a king reaches at most 13 squares.
constexpr int kMaxNodeMoves = 12 * 13;

struct MoveList {
    int count = 0;
    ListedMove moves[kMaxNodeMoves];
};

// The squares of each side's pieces ([1] and [2]), in scan order.
struct PieceSquares {
    int count[3] = {};
    std::int8_t squares[3][12][2];
};

// Every legal move of the side to move, in the order the search lists them:
// from-squares file 1..8 then rank 1..8, to-squares likewise. Empty when
// computerActive is 0 (and then `pieces` is left empty too). When `pieces` is
// given, the squares of both sides' pieces are gathered on the way.
void listLegalMoves(MoveList& list, PieceSquares* pieces = nullptr);
// The same moves whatever computerActive says: the steps a player may still
// play once the computer has given up, and what the records of games, the
// levels and perft count.
void listLegalSteps(MoveList& list);
// The same list, taking the side's pieces from `pieces` (which must hold exactly
// the pieces on the board, in scan order) instead of scanning the board.
void listLegalMovesOf(MoveList& list, const PieceSquares& pieces);
// Collects the squares of both sides' pieces in scan order.
void collectPieceSquares(PieceSquares& pieces);
// The pieces after a move from `from` to `to` that captured the piece on
// `captured` (file 0 when nothing was captured), kept in scan order.
void movePieceSquares(PieceSquares& pieces, Side mover, int fromFile, int fromRank, int toFile, int toRank,
                      int capturedFile, int capturedRank);

// Same answer as computeReach(file, rank, code) != false for a piece on the square.
bool pieceCanMove(int file, int rank, PieceCode code);
// Same answer as sideIsBlocked(side).
bool sideIsBlockedFast(Side side);
// Same answer as pieceHasCapture(file, rank, code).
bool pieceCanCapture(int file, int rank, PieceCode code);
