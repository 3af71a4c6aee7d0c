#pragma once
// How a game of Russian draughts ends by its rules, besides the players'
// own acts (resigning, agreeing a draw): a side to move with no legal move
// has lost, and four draws the game declares itself the moment they apply:
//   - repetition: the same position (pieces and side to move) for the third time;
//   - kings only: both sides have kings and for 15 moves by each side (30
//     plies in a row) only kings moved and nothing was captured;
//   - three kings against one: a side with three kings or more and nothing
//     else has not captured the other side's lone king with its 15th move
//     counted from when that balance arose (the count goes on while the
//     balance holds, also when the strong side loses a king and keeps three);
//   - a balance unchanged: both sides have kings and, with 4 or 5 pieces on
//     the board, nothing was captured or promoted for 30 moves by each side (60
//     plies); with 6 or 7 pieces, for 60 moves by each (120 plies).
// Counts start at the game's first position, or at the position a record or
// the engine tool sets up (which counts once for repetition). When a move both
// leaves the other side without a move and completes a draw count, the move
// wins. When several draws apply at once, the first in the order above is
// named, but for three kings against one, which comes before kings only: only
// kings move in that balance, so kings only would otherwise name its draw
// whenever the lone king moved first.
//
// The game, the levels' search, the matches and the engine tool all judge by
// this one file: GameJudge follows a game move by move; DrawCounts and
// countsAfter are its counting alone, for a search that plays and takes back.

#include <vector>

#include "engine/rules/board.h"
#include "engine/rules/whole_moves.h"

enum class EndReason { None, NoMove, Repetition, KingsOnly, ThreeKings, Balance };
constexpr int kEndReasonCount = 6;

constexpr int kRepetitionsForDraw = 3;
constexpr int kKingsOnlyPliesForDraw = 30;
constexpr int kThreeKingsMovesForDraw = 15;
constexpr int kBalancePliesFewPieces = 60;    // 4 or 5 pieces on the board
constexpr int kBalancePliesManyPieces = 120;  // 6 or 7 pieces

// "no-move", "repetition", "kings-only", "three-kings", "balance" (and "" for None).
const char* endReasonWord(EndReason reason);

// The pieces of each side ([1] and [2]).
struct Material {
    int men[3] = {};
    int kings[3] = {};
    int total() const { return men[1] + men[2] + kings[1] + kings[2]; }
};
Material materialOf(const Board& cells);

// What the draw counts have seen of a game so far.
struct DrawCounts {
    // Plies in a row in which a king moved and nothing was captured.
    int kingPlies = 0;
    // Plies since the last capture or promotion.
    int quietPlies = 0;
    // The strong side's moves since three kings or more against a lone king
    // arose; -1 while that is not the balance.
    int threeKingsMoves = -1;
};

// One whole move as the counts see it.
struct PlyFacts {
    Side mover = 1;
    bool kingMoved = false;  // the piece that moved was a king when it set off
    bool captured = false;
    bool promoted = false;
};
PlyFacts plyFacts(const WholeMove& move);

// The counts of a game that starts in a position of this material.
DrawCounts startingCounts(const Material& start);
// The counts after one whole move, which leaves `after`.
DrawCounts countsAfter(const DrawCounts& before, const PlyFacts& ply, const Material& after);
// The draw the counts have reached in a position of this material (None, or
// KingsOnly, ThreeKings, Balance; repetition needs the positions: GameJudge).
EndReason drawByCounts(const DrawCounts& counts, const Material& now);

// A game followed move by move from its first position.
class GameJudge {
public:
    explicit GameJudge(const Position& start);
    // A whole move was played and left `after`; returns how the game stands
    // then. Once the game has ended, nothing more is counted.
    EndReason play(const WholeMove& move, const Position& after);

    EndReason reason() const { return reason_; }
    bool ended() const { return reason_ != EndReason::None; }
    // The side that has won (NoMove), 0 for a draw or a game going on.
    Side winner() const { return winner_; }
    // Whole moves played since the start.
    int moves() const { return moves_; }
    const DrawCounts& counts() const { return counts_; }
    // The positions since the last capture or man's move, the current one last:
    // those that could come again (for a search that must see repetitions).
    const std::vector<Position>& repeatable() const { return repeatable_; }

private:
    void judge(const Position& now);

    DrawCounts counts_;
    std::vector<Position> repeatable_;
    EndReason reason_ = EndReason::None;
    Side winner_ = 0;
    int moves_ = 0;
};

// The judge of a game that started in `start` and went on with `moves`, as far
// as they are whole moves there (the calling thread's own position is put back).
GameJudge judgeGame(const Position& start, const std::vector<WholeMove>& moves);

// Whether the side to move of `position` has a legal move (on the calling
// thread's own position, put back afterwards).
bool sideToMoveCanMove(const Position& position);
