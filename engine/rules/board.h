#pragma once
// The position the rules work on: the board, whose turn it is, the piece that
// must go on capturing, whether the computer may still move, and the classic
// computer's candidate moves; a position as one record, and a scope that works
// on another one for a while. The rules live in engine/rules/rules.h, playing
// and taking back a move in engine/rules/execute.h, the legal moves as the
// computer lists them in engine/rules/legal_moves.h; the engine's own working
// state (reach maps, position copies, search records) is in
// engine/rules/scratch.h and is nobody else's business. The game being played
// (which side is green, the typed move, the take-back history) is
// engine/game/game_state.h.

#include <cstdint>

#include "engine/rules/pieces.h"

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
void clearCandidates();
// The rules' and the classic search's working state cleared (reach maps, ply
// records, the root move explored), as a new game wants it.
void clearWorkingState();
// Puts back the position the last search started from (the root copy).
void restoreRootPosition();
