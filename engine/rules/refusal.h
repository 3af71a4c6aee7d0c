#pragma once
// Why a typed or clicked move is refused, in the player's words: the rule it
// breaks, naming the squares as the player types them, and the pieces the rule
// is about (those that can capture, when a capture is compulsory or must go
// on), for the play screen to mark.

#include <string>
#include <vector>

#include "engine/rules/board.h"

struct MoveRefusal {
    // Empty when the move is legal.
    std::string reason;
    // The squares of the pieces of the side to move that can capture, when the
    // reason is about capturing; otherwise empty.
    std::vector<Square> capturers;
    bool refused() const { return !reason.empty(); }
};

// Judges the single step from `from` to `to` (one jump of a capture) for the
// side to move of `position`. Works on the calling thread's own position and
// puts it back as it was.
MoveRefusal whyRefused(const Position& position, Square from, Square to);
