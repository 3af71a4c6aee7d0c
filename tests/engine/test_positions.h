#pragma once
// Positions for the engine tests: set from text, captured and compared, and
// reached by seeded random play.

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "engine/rules/board.h"

// The whole game state the rules touch, for exact before/after comparisons.
using Snapshot = Position;
inline Snapshot takeSnapshot() { return currentPosition(); }
std::string describe(const Snapshot& s);

// A new game on an empty board, side 1 to move and green.
void resetEngineState();
// Resets the game records and sets the position: 64 characters from rank 8 down to
// rank 1, files a..h; '.' empty, 'w' 1, 'W' 11, 'b' 2, 'B' 22.
void setPosition(const std::string& cells, Side side, Square cont = Square{});
// Places pieces on an empty board, e.g. {{"d4", 1}, {"c3", 2}}.
struct Placed {
    const char* square;
    PieceCode code;
};
void setPieces(const std::vector<Placed>& pieces, Side side, Square cont = Square{});
Square sq(const char* name);

// Plays `plies` random legal single moves from the initial position (or fewer when a
// side is blocked); returns false when the game ended early.
bool randomPlay(std::mt19937& rng, int plies);
