#pragma once
// Games between two levels of play, to measure their strength: each opening
// (a position two whole moves from the start that a ten-move search finds
// about even) is played twice, each level taking each side once. A side with
// no move loses; a position seen for the third time, 25 moves each without a
// capture or a man's move, or 150 moves each end the game drawn. The moves
// are timed.

#include <functional>

#include "engine/rules/board.h"
#include "engine/levels/levels.h"

struct MatchTimes {
    int moves = 0;
    double totalSeconds = 0;
    double worstSeconds = 0;
    double meanSeconds() const { return moves > 0 ? totalSeconds / moves : 0; }
};

// One finished game; A is the first level named.
struct MatchGame {
    int number = 0;        // from 1
    bool aIsSide1 = true;  // side 1 moves first
    double scoreA = 0;     // 1 won, 0.5 drawn, 0 lost
    int moves = 0;         // whole moves played, both sides
    const char* ending = "";
    Position last;  // the position the game ended in
};

struct MatchResult {
    int games = 0, winsA = 0, draws = 0, winsB = 0;
    MatchTimes timesA, timesB;
    double scoreA() const { return winsA + 0.5 * draws; }
};

// Plays `games` games between `a` and `b` on the calling thread (whose own
// position is put back afterwards); `report`, when given, hears of each game.
MatchResult playMatch(Level a, Level b, int games, const std::function<void(const MatchGame&)>& report = {});
