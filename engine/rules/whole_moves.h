#pragma once
// Whole moves: what a player calls one move. A plain move is one step; a
// capture is every jump the capturing piece makes before the turn passes, so
// "b6:d4:f2" is one whole move of three squares. The game plays and records a
// capture one jump at a time (engine/rules/execute.h); the records of games, the
// computer's levels and the marks of the last move speak of whole moves, and
// this is where the two meet.

#include <string>
#include <vector>

#include "engine/rules/board.h"
#include "engine/rules/rules.h"

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

// Every whole move of the side to move in the live position, in the order of
// their first jumps as the search lists them, each first jump's continuations
// in their listed order. In the middle of a capture (a continuation square is
// set), the rest of that capture. The position is left as it was, whatever
// computerActive says.
std::vector<WholeMove> listWholeMoves();

// The kind (kPlainMove or kCapture) of jump `index` of `move` if the side to
// move may play it in the live position now, else kIllegal: a plain step is a
// whole move by itself, and a capture's jumps are all captures.
MoveKind wholeMoveStepKind(const WholeMove& move, int index);

// Plays a whole move from the live position one jump at a time through the move
// path, writing one record per jump into `records` (which must hold
// move.squareCount - 1 records). Returns the number of jumps played; it stops
// early, at the first step that is not legal, so a caller can check that the
// result equals squareCount - 1.
int playWholeMove(const WholeMove& move, HistoryRecord* records);
// Takes back `count` jumps played by playWholeMove, the last first.
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
