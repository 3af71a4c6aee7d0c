#pragma once
// The game being played, as the rest of the program reads it: the board, whose
// turn it is, the piece that must go on capturing, which side is green, the
// half-typed move, the take-back history with what was taken back (to step
// forward again) and the computer's candidate moves.
// One game exists at a time, so all of it is program-wide state (the position
// the rules work on is per thread: see below). The rules live
// in engine/rules.h, playing and taking back a move in engine/execute.h, the
// legal moves as the computer lists them in engine/legal_moves.h, the computer
// player in engine/search.h and the turn step in engine/turn.h; the
// engine's own working state (reach maps, position copies, search records) is
// in engine/scratch.h and is nobody else's business.

#include <cstdint>

#include "engine/pieces.h"

// 9x9 grids indexed [file][rank], each 1..8; row and column 0 are never used.
using Board = std::int32_t[9][9];

// A square as (file, rank); (0, 0) means "none".
struct Square {
    std::int32_t file = 0;
    std::int32_t rank = 0;
    bool operator==(const Square& o) const { return file == o.file && rank == o.rank; }
    bool operator!=(const Square& o) const { return !(*this == o); }
};

// One of the computer's legal moves at the root of its search, with its score.
struct CandidateMove {
    std::int32_t fromFile, fromRank, toFile, toRank, score;
};

// Everything needed to undo one executed move (one jump of a capture sequence).
struct HistoryRecord {
    std::int32_t fromFile, fromRank, toFile, toRank;
    std::int32_t capturedFile, capturedRank, capturedCode;
    std::int32_t sideBefore;
    std::int32_t continuationFileBefore, continuationRankBefore;
    std::int32_t movingCode;
};

// A whole position: the board, the side to move and the piece that must go on
// capturing. Saved and put back as one.
struct Position {
    Board cells = {};
    Side side = 1;
    Square continuation;
    bool operator==(const Position& o) const;
    bool operator!=(const Position& o) const { return !(*this == o); }
};

constexpr int kCandidateCapacity = 1000;
constexpr int kHistoryCapacity = 1000;
constexpr int kPlyRecordCount = 10;
constexpr std::int32_t kNoScore = -30000;

// The position the rules and the move path work on, and the classic search's
// records, are one per thread: the game's thread has the live game, and a
// computer level searching on a thread of its own sets its own copy from a
// Position and runs the very same rules without touching the game's.
extern thread_local Board board;
extern thread_local Side sideToMove;
extern thread_local Square continuationSquare;
extern thread_local int computerActive;
extern thread_local CandidateMove candidates[kCandidateCapacity];
extern thread_local int candidateCount;
// 1 once the search has listed the root moves as candidates (and copied the
// root position); the turn step sets it back to 0 after each search.
extern thread_local int rootListFilled;

// The game itself: who is green, whose turn the driver is on, the half-typed
// move and the take-back history. Only the game's thread uses them.
extern Side greenSide;
extern Side turnSide;
extern int typedMove[5];  // [1] from-file [2] from-rank [3] to-file [4] to-rank; [0] unused
extern HistoryRecord history[kHistoryCapacity];
extern int historyCount;
// How many records a full history has forgotten from its front in this game:
// history[0] is the record of jump number historyForgotten (from 0) of the game.
extern int historyForgotten;
// The jumps of the game's line so far, the forgotten ones included: unlike
// historyCount it grows with every move, also once the history is full.
inline int jumpsPlayed() { return historyForgotten + historyCount; }
// The jumps taken back, to be played again: the next one is redoRecords[redoCount - 1].
extern HistoryRecord redoRecords[kHistoryCapacity];
extern int redoCount;

// The code on a square, or 0 for any square off the board.
inline PieceCode pieceAt(int file, int rank) { return onBoard(file, rank) ? board[file][rank] : kEmpty; }

// The live position as one record, and the live position set from one.
Position currentPosition();
void restorePosition(const Position& position);

void setupInitialPosition();
// The initial position with `side` to move, as a record (the live one is left alone).
Position initialPosition(Side side);

// Works on another position for as long as it lives: sets `position` live, with
// the computer active and no root list, and puts back the thread's position,
// computerActive and rootListFilled as they were when it ends.
class PositionScope {
public:
    explicit PositionScope(const Position& position);
    ~PositionScope();
    PositionScope(const PositionScope&) = delete;
    PositionScope& operator=(const PositionScope&) = delete;

private:
    Position saved_;
    int active_, listed_;
};
// A new game: the initial position with the green side to move, no history to
// take back or step forward through, no capture to go on with, nothing typed, no candidates, the
// computer active again (a game it lost for want of a move left it inactive)
// and the search's own scratch cleared.
void resetGame();
// The other side becomes green, as the start menu's "Select side" does: the
// green side is to move (it moves first) and the computer may play again.
void switchGreenSide();
void clearTypedMove();
void clearCandidates();
// Puts back the position the last search started from (the root copy).
void restoreRootPosition();
