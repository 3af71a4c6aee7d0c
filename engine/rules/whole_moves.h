#pragma once
// Whole moves: what a player calls one move. A plain move is one step; a
// capture is every jump the capturing piece makes before the turn passes, so
// "b6:d4:f2" is one whole move of three squares. The game plays and records a
// capture one jump at a time (engine/rules/execute.h); the records of games, the
// computer's levels and the marks of the last move speak of whole moves, and
// this is where the two meet.

#include <cstdint>
#include <string>
#include <vector>

#include "engine/rules/board.h"

// A piece captures at most the twelve pieces of the other side.
constexpr int kMaxWholeMoveJumps = 12;

struct WholeMove {
    // The squares the piece stands on, from its start to where it ends:
    // two for a plain move, one more than the jumps for a capture.
    int squareCount = 0;
    Square squares[kMaxWholeMoveJumps + 1];
    // The captured pieces' squares and codes, one per jump, in order.
    int capturedCount = 0;
    Square captured[kMaxWholeMoveJumps];
    PieceCode capturedCodes[kMaxWholeMoveJumps] = {};
    // The moving piece before the move, and after it (a man crowned on the way).
    PieceCode movingCode = kEmpty;
    PieceCode arrivingCode = kEmpty;

    bool isCapture() const { return capturedCount > 0; }
    Square from() const { return squares[0]; }
    Square to() const { return squares[squareCount - 1]; }
    // Same path (the captured pieces follow from it).
    bool samePath(const WholeMove& o) const;
};

// A whole move as the searches list it: the squares only, small, so that a
// search keeps a list of them at every depth.
struct MovePath {
    // Two squares for a plain move, one more than the jumps for a capture.
    std::int8_t count = 0;
    std::int8_t capture = 0;
    std::int8_t squares[kMaxWholeMoveJumps + 1][2];
};

// A search keeps at most this many whole moves of a position and leaves the
// rest out (only contrived positions of many kings have more).
constexpr int kMaxListedPaths = 256;

struct MovePathList {
    int count = 0;
    MovePath paths[kMaxListedPaths];
};

// Every whole move of the side to move in the live position, in the order of
// their first steps as listLegalSteps lists them, each capture's ways to go on
// in their listed order; in the middle of a capture (a continuation square is
// set), the rest of that capture. Both lists come from the one grower of
// captures and hold the same moves in the same order; the position is left as
// it was, whatever computerActive says. The searches take the compact list
// (at most kMaxListedPaths), everyone else every whole move in full.
void listMovePaths(MovePathList& list);
std::vector<WholeMove> listWholeMoves();

// Plays a path that listMovePaths listed in this very position, one jump at a
// time through the move path, without checking it again; one record per jump
// into `records` (path.count - 1 of them).
void playListedPath(const MovePath& path, HistoryRecord* records);

// What playing a path of squares did: the jumps played (one record each), and
// whether they were a whole move, every step legal and the turn passed at the
// last square.
struct PathPlayed {
    int jumps = 0;
    bool complete = false;
};

// Plays `count` squares from the live position as one whole move, one jump at
// a time through the move path, writing one record per jump into `records`
// (which must hold count - 1 of them). It stops at the first step that the side
// that began the move may not play now (a plain step may only be a whole move
// by itself), and plays nothing of a path longer than a whole move can be. A
// capture stopped short of its end plays every square and is not complete:
// take back the jumps it played (takeBackWholeMove) unless a part will do.
PathPlayed playSquares(const Square* squares, int count, HistoryRecord* records);
inline PathPlayed playWholeMove(const WholeMove& move, HistoryRecord* records) {
    return playSquares(move.squares, move.squareCount, records);
}
// Takes back `count` jumps played by playSquares, the last first.
void takeBackWholeMove(const HistoryRecord* records, int count);

// The whole move that `count` consecutive records of one turn describe (the
// records of the jumps of one capture, or the single record of a plain move).
WholeMove wholeMoveFromRecords(const HistoryRecord* records, int count);
// The history split into whole moves: for each, the index of its first record
// and the number of records (a capture interrupted by take-back or still going
// on counts as the jumps made so far).
struct HistorySpan {
    int first = 0, count = 0;
};
std::vector<HistorySpan> wholeMoveSpans(const HistoryRecord* records, int count);

// Russian notation, squares as the player names them: "c3-d4", "b6:d4:f2".
// With `turned`, every square is turned by 180 degrees (a1 <-> h8), as a record
// written from the other side's view names them.
std::string wholeMoveText(const WholeMove& move, bool turned = false);
