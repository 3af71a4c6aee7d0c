#pragma once
// What a quiet position is worth, for the levels of play other than classic.
// Counted in hundredths of a man: material first (a king is worth two and a
// half men, and the side ahead gains by exchanging), then the shape of the
// position: men guarding their back rank, men in the centre rather than on the
// edge, men advanced as the board empties (tempo), men with a free run to the
// far rank, kings on the long diagonal a1-h8, and king endings that cannot be
// won counted close to a draw.

constexpr int kManWorth = 100;
constexpr int kKingWorth = 250;

// The worth of the live position for the side to move. Only for a position in
// which the side to move has no capture: the search plays captures out first.
int evaluateForSideToMove();
