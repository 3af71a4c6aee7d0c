#pragma once
// The computer player: a fixed five-move minimax over the live position, with a
// capture tally and fixed marks stamped onto the root candidates' scores.

#include "engine/board.h"

// Candidate-score marks.
constexpr std::int32_t kTallyStep = 11111;
constexpr std::int32_t kWinMark = 44444;
constexpr std::int32_t kLossMark = -44444;
constexpr std::int32_t kBlockedValue = 55000;
constexpr int kSearchLeafDepth = 5;

// A side has at most 12 pieces and a king reaches at most 13 squares.
constexpr int kMaxNodeMoves = 12 * 13;

std::int32_t evaluatePosition(Side computerSide);
// Returns the node's value from computerSide's point of view, or -30000.
std::int32_t searchMoves(int depth, Side computerSide);
void chooseComputerMove();

// One legal move of the side to move, as listed by the search.
struct ListedMove {
    std::int8_t fromFile, fromRank, toFile, toRank, kind;
};
struct MoveList {
    int count = 0;
    ListedMove moves[kMaxNodeMoves];
};
// Every legal move of the side to move, in the order the search lists them:
// from-squares file 1..8 then rank 1..8, to-squares likewise. Empty when
// computerActive is 0.
void listLegalMoves(MoveList& list);

// Where the search's "0  " trace goes; standard output unless replaced (tests).
using SearchTraceSink = void (*)(const char* text);
extern SearchTraceSink searchTraceSink;
