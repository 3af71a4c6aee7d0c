#include "engine/board.h"

#include <cstring>

Board board = {};
Side sideToMove = 1;
Square continuationSquare;
Side greenSide = 1;
int computerActive = 1;
Side turnSide = 1;
int typedMove[5] = {};
CandidateMove candidates[kCandidateCapacity] = {};
int candidateCount = 0;
HistoryRecord history[kHistoryCapacity] = {};
int historyCount = 0;
HistoryRecord plyRecords[kPlyRecordCount] = {};
int rootListFilled = 0;
int rootMoveIndex = 0;

ReachMap reachMap = {};
ReachMap reachMapSave = {};

Board probeBoard = {};
Side probeSideToMove = 0;
Square probeContinuation;
Board rootBoard = {};
Side rootSideToMove = 0;
Square rootContinuation;

namespace {
void copyPlayingArea(Board& to, const Board& from) {
    for (int f = 1; f <= 8; ++f)
        for (int r = 1; r <= 8; ++r) to[f][r] = from[f][r];
}
}  // namespace

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
            probeBoard[f][r] = kEmpty;
        }
    }
}

void resetGame() {
    setupInitialPosition();
    historyCount = 0;
    continuationSquare = Square{};
    clearTypedMove();
    clearCandidates();
    sideToMove = greenSide;
    computerActive = 1;
    rootListFilled = 0;
}

void clearTypedMove() {
    for (int& v : typedMove) v = 0;
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

void saveProbeBoard() {
    copyPlayingArea(probeBoard, board);
    probeContinuation = continuationSquare;
    probeSideToMove = sideToMove;
}

void restoreProbeBoard() {
    copyPlayingArea(board, probeBoard);
    continuationSquare = probeContinuation;
    sideToMove = probeSideToMove;
}

void saveRootPosition() {
    copyPlayingArea(rootBoard, board);
    rootContinuation = continuationSquare;
    rootSideToMove = sideToMove;
}

void restoreRootPosition() {
    copyPlayingArea(board, rootBoard);
    continuationSquare = rootContinuation;
    sideToMove = rootSideToMove;
}
