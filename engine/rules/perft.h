#pragma once
// Counting the move tree from the live position, the usual check of a move
// generator against published figures: the leaves `depth` single steps deep,
// or `depth` whole turns deep (the jumps of one capture are one turn). The
// position is left as it was; computerActive does not stop the count.

#include <cstdint>

std::uint64_t perft(int depth, bool wholeTurns);
