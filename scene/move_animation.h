#pragma once
// How a move is shown travelling, as a pure function of the time since it
// started: the moving piece glides to its square, or for a capture hops in an
// arc over each captured piece, which sinks away in the last part of the hop;
// the jumps of a capture are hops of their own with a short pause between.
// No GL: the play screen asks for the picture of a moment and the scene draws it.

#include "engine/rules/whole_moves.h"

// One hop (or glide) over `squares` diagonal squares at normal speed: 0.15 s
// and 0.05 s a square, kept within 0.2 to 0.45 s.
double hopSeconds(int squares);
// The pause between two hops of a capture at normal speed.
constexpr double kPauseBetweenHops = 0.08;
// The part of a hop in which the piece jumped over sinks away (its end).
constexpr double kSinkingPart = 0.4;
// The highest lift of a hopping piece above the board, in square widths.
constexpr double kHopLift = 0.6;

// Every duration is multiplied by a speed factor: 0 shows no travel at all, 0.5
// is twice as fast as normal (1), 2 twice as slow.
// The whole move's duration (0 when the factor is 0).
double moveSeconds(const WholeMove& move, double factor);

// The picture of a move at one moment.
struct MovePicture {
    // Whether the move has landed (the picture is the position after it).
    bool done = true;
    // The moving piece: its square as fractions (file, rank) and its lift above
    // the board, and its code as it looks now (crowned once it has reached its
    // far rank).
    double file = 0, rank = 0, lift = 0;
    PieceCode code = kEmpty;
    // For each captured piece, in the order of the jumps: 0 standing, up to 1
    // sunk away (gone).
    double sunk[kMaxWholeMoveJumps] = {};
};

// The picture `elapsed` seconds after the move started.
MovePicture movePictureAt(const WholeMove& move, double elapsed, double factor);
