#pragma once
// Whether the computer accepts a draw the player offers. It answers at once,
// by a short search of its own level (a few moves deep, cheap enough for the
// frame the offer is made in) and accepts when that says it is not ahead:
// club, strong and expert at a value of 0 or less, beginner and novice more
// readily (up to half a man ahead), and the Classic level by the original
// computer's own count of the position (engine/classic/search.h) at 0 or less.

#include "engine/levels/levels.h"
#include "engine/rules/board.h"

// How deep the answer looks, in whole moves (not for classic).
constexpr int kDrawOfferDepth = 4;

// The position as the computer at `level`, playing `computerSide`, judges it
// for the offer: hundredths of a man for the levels, the original computer's
// own units for classic; positive when the computer is ahead.
int drawOfferValue(const Position& position, Level level, Side computerSide);
// The most the computer may think itself ahead and still accept.
int drawOfferMargin(Level level);
// Whether the computer accepts a draw offered in `position`.
bool acceptsDrawOffer(const Position& position, Level level, Side computerSide);
