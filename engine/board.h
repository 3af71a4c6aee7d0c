#pragma once
// The live game: board, whose turn it is, the piece that must go on capturing,
// the half-typed move, the take-back history and the computer's candidate list.
// One game exists at a time, so all of it is program-wide state.

#include <cstdint>

#include "engine/pieces.h"

// 9x9 grids indexed [file][rank], each 1..8; row and column 0 are never used.
using Board = std::int32_t[9][9];
// For one piece: 0 unreachable, 1 a plain move ends here, 2 a capture lands here.
using ReachMap = std::int32_t[9][9];

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

constexpr int kCandidateCapacity = 1000;
constexpr int kHistoryCapacity = 1000;
constexpr int kPlyRecordCount = 10;
constexpr std::int32_t kNoScore = -30000;

extern Board board;
extern Side sideToMove;
extern Square continuationSquare;
extern Side greenSide;
extern int computerActive;
extern Side turnSide;
extern int typedMove[5];  // [1] from-file [2] from-rank [3] to-file [4] to-rank; [0] unused
extern CandidateMove candidates[kCandidateCapacity];
extern int candidateCount;
extern HistoryRecord history[kHistoryCapacity];
extern int historyCount;
extern HistoryRecord plyRecords[kPlyRecordCount];
extern int rootListFilled;
extern int rootMoveIndex;

extern ReachMap reachMap;
extern ReachMap reachMapSave;

// Scratch copies of the position: the probe copy (king capture probes) and the
// root copy (the position a search started from).
extern Board probeBoard;
extern Side probeSideToMove;
extern Square probeContinuation;
extern Board rootBoard;
extern Side rootSideToMove;
extern Square rootContinuation;

// The code on a square, or 0 for any square off the board.
inline PieceCode pieceAt(int file, int rank) { return onBoard(file, rank) ? board[file][rank] : kEmpty; }

void setupInitialPosition();
// A new game: the initial position with the green side to move, no history to
// take back, no capture to go on with, nothing typed, no candidates, and the
// computer active again (a game it lost for want of a move left it inactive).
void resetGame();
void clearTypedMove();
void clearCandidates();
void clearReachMaps();
void saveReachMap();
void restoreReachMap();
void saveProbeBoard();
void restoreProbeBoard();
void saveRootPosition();
void restoreRootPosition();
