#pragma once
// The computer player: a fixed five-move minimax over the live position, with a
// capture tally and fixed marks stamped onto the root candidates' scores.

#include "engine/rules/board.h"
#include "engine/rules/legal_moves.h"

// Candidate-score marks.
constexpr std::int32_t kTallyStep = 11111;
constexpr std::int32_t kWinMark = 44444;
constexpr std::int32_t kLossMark = -44444;
constexpr std::int32_t kBlockedValue = 55000;
constexpr int kSearchLeafDepth = 5;

std::int32_t evaluatePosition(Side computerSide);
// Returns the node's value from computerSide's point of view, or kNoScore.
std::int32_t searchMoves(int depth, Side computerSide);
// The candidate with the highest score, the earliest among equals.
int bestCandidate();

// Where the search's "0  " trace goes; standard output unless replaced (tests).
using SearchTraceSink = void (*)(const char* text);
extern SearchTraceSink searchTraceSink;
