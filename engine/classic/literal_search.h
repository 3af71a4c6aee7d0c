#pragma once
// The computer's search written the plain way, step by step as the rules of the
// computer player state it: legality recomputed square by square, the leaf
// evaluated once per listed move. Slow, and obviously right: the reference the
// real search is compared against.

#include "engine/rules/board.h"

std::int32_t literalSearchMoves(int depth, Side computerSide);
