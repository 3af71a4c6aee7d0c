#pragma once
// Games between two levels of play, to measure their strength: each opening
// (a position two whole moves from the start that a ten-move search finds
// about even) is played twice, each level taking each side once. The games
// end as the rules end them (engine/rules/game_end.h): a side with no move
// loses, and the draws are declared, each level searching with the game's
// past; a game that reaches kMatchMoveCap moves, far beyond what the rules
// allow in play, is stopped drawn. The moves are timed.

#include <functional>

#include "engine/rules/board.h"
#include "engine/rules/game_end.h"
#include "engine/levels/levels.h"

// Whole moves, both sides, after which a game is stopped drawn.
constexpr int kMatchMoveCap = 1000;

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
    // How the game ended by the rules; None when it was stopped at the cap, or
    // lost for a move that was not legal or not given (a fault of the search).
    EndReason reason = EndReason::None;
    // The reason's word (endReasonWord), "move-cap" or "illegal-move".
    const char* ending = "";
    Position last;  // the position the game ended in
};

struct MatchResult {
    int games = 0, winsA = 0, draws = 0, winsB = 0;
    // The draws by the rule that declared them; [EndReason::None] counts the
    // games stopped at the cap.
    int drawsBy[kEndReasonCount] = {};
    MatchTimes timesA, timesB;
    double scoreA() const { return winsA + 0.5 * draws; }
};

// Plays `games` games between `a` and `b` on the calling thread (whose own
// position is put back afterwards); `report`, when given, hears of each game.
MatchResult playMatch(Level a, Level b, int games, const std::function<void(const MatchGame&)>& report = {});
