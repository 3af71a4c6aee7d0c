#include "engine/rules/board.h"

#include <cstring>

#include "engine/rules/scratch.h"

thread_local Board board = {};
thread_local Side sideToMove = 1;
thread_local Square continuationSquare;
thread_local int computerActive = 1;
thread_local CandidateMove candidates[kCandidateCapacity] = {};
thread_local int candidateCount = 0;
thread_local int rootListFilled = 0;

thread_local ReachMap reachMap = {};
thread_local ReachMap reachMapSave = {};
thread_local Position probeCopy = {};
thread_local Position rootCopy = {};
thread_local HistoryRecord plyRecords[kPlyRecordCount] = {};
thread_local int rootMoveIndex = 0;

namespace {
void copyPlayingArea(std::int32_t (&to)[9][9], const std::int32_t (&from)[9][9]) {
    for (int f = 1; f <= 8; ++f)
        for (int r = 1; r <= 8; ++r) to[f][r] = from[f][r];
}

void copyPosition(Position& to, const Board& cells, Side side, Square continuation) {
    copyPlayingArea(to.cells, cells);
    to.side = side;
    to.continuation = continuation;
}

void putPosition(const Position& from) {
    copyPlayingArea(board, from.cells);
    sideToMove = from.side;
    continuationSquare = from.continuation;
}
}  // namespace

bool Position::operator==(const Position& o) const {
    return std::memcmp(cells, o.cells, sizeof cells) == 0 && side == o.side && continuation == o.continuation;
}

Position currentPosition() {
    Position p;
    std::memcpy(p.cells, board, sizeof board);
    p.side = sideToMove;
    p.continuation = continuationSquare;
    return p;
}

void restorePosition(const Position& position) {
    std::memcpy(board, position.cells, sizeof board);
    sideToMove = position.side;
    continuationSquare = position.continuation;
}

void setupInitialPosition() {
    for (int f = 1; f <= 8; ++f) {
        for (int r = 1; r <= 8; ++r) {
            const bool playing = (f + r) % 2 == 0;
            if (playing && r <= 3)
                board[f][r] = kMan1;
            else if (playing && r >= 6)
                board[f][r] = kMan2;
            else
                board[f][r] = kEmpty;
            probeCopy.cells[f][r] = kEmpty;
        }
    }
}

Position initialPosition(Side side) {
    Position initial;
    for (int f = 1; f <= 8; ++f)
        for (int r = 1; r <= 8; ++r)
            if ((f + r) % 2 == 0 && r != 4 && r != 5) initial.cells[f][r] = r <= 3 ? kMan1 : kMan2;
    initial.side = side;
    return initial;
}

PositionScope::PositionScope(const Position& position)
    : saved_(currentPosition()), active_(computerActive), listed_(rootListFilled) {
    restorePosition(position);
    computerActive = 1;
    rootListFilled = 0;
}

PositionScope::~PositionScope() {
    restorePosition(saved_);
    computerActive = active_;
    rootListFilled = listed_;
}

void clearWorkingState() {
    rootMoveIndex = 0;
    clearReachMaps();
    std::memset(plyRecords, 0, sizeof plyRecords);
}

void clearCandidates() {
    for (CandidateMove& c : candidates) c = CandidateMove{0, 0, 0, 0, kNoScore};
    candidateCount = 0;
}

void clearReachMaps() {
    for (int f = 1; f <= 8; ++f)
        for (int r = 1; r <= 8; ++r) reachMap[f][r] = reachMapSave[f][r] = 0;
}

void saveReachMap() { copyPlayingArea(reachMapSave, reachMap); }
void restoreReachMap() { copyPlayingArea(reachMap, reachMapSave); }

// The probe and root copies hold files and ranks 1..8 only.
void saveProbeBoard() { copyPosition(probeCopy, board, sideToMove, continuationSquare); }
void restoreProbeBoard() { putPosition(probeCopy); }
void saveRootPosition() { copyPosition(rootCopy, board, sideToMove, continuationSquare); }
void restoreRootPosition() { putPosition(rootCopy); }
