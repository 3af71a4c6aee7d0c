#include "engine/game/turn.h"

#include <cstring>

#include "engine/rules/execute.h"
#include "engine/rules/rules.h"
#include "engine/classic/search.h"
#include "engine/rules/whole_moves.h"

namespace {

void typeValue(int valueIndexFrom, int valueIndexTo, int value) {
    if (typedMove[valueIndexFrom] == 0)
        typedMove[valueIndexFrom] = value;
    else
        typedMove[valueIndexTo] = value;
}

// Records a move about to be played. A full history forgets its oldest move, so
// the latest moves can always be taken back.
HistoryRecord& nextHistoryRecord() {
    if (historyCount >= kHistoryCapacity) {
        std::memmove(&history[0], &history[1], sizeof(HistoryRecord) * (kHistoryCapacity - 1));
        historyCount = kHistoryCapacity - 1;
        ++historyForgotten;
    }
    return history[historyCount];
}

// A move just played: the next one to step forward to is used up by it; any
// other move starts a new line.
void followTakenBackLine(const HistoryRecord& played) {
    if (redoCount == 0) return;
    const HistoryRecord& next = redoRecords[redoCount - 1];
    const bool same = next.fromFile == played.fromFile && next.fromRank == played.fromRank &&
                      next.toFile == played.toFile && next.toRank == played.toRank &&
                      next.sideBefore == played.sideBefore;
    redoCount = same ? redoCount - 1 : 0;
}

// A step just played, recorded on the history, as every move the players make
// is (a typed move, or a whole move chosen by a level).
void recordOnHistory(const HistoryRecord& played) {
    followTakenBackLine(played);
    nextHistoryRecord() = played;
    ++historyCount;
}

// A legal step of `kind` played and recorded on the history.
void playStepOnHistory(int fromFile, int fromRank, int toFile, int toRank, MoveKind kind) {
    HistoryRecord record;
    playLegalMove(fromFile, fromRank, toFile, toRank, kind, record);
    recordOnHistory(record);
}

}  // namespace

void readMoveKeys(const MoveKeys& keys) {
    // A file or rank as typed, in the board's own terms.
    const auto seen = [&keys](int value) { return keys.typedFromSide2 ? 9 - value : value; };
    for (int i = 0; i < keys.pressCount && i < kMoveKeyCapacity; ++i) {
        const int key = keys.presses[i];
        if (key >= 'A' && key <= 'H')
            typeValue(1, 3, seen(key - 'A' + 1));
        else if (key >= '1' && key <= '8')
            typeValue(2, 4, seen(key - '0'));
        else if (key == 'U')
            clearTypedMove();
        else if (key == '9')
            takeBackBy(keys.steps);
        else if (key == '0' && keys.zeroStepsForward)
            stepForwardBy(keys.steps);
    }
    if (keys.upHeld && viewAngleX < kMaxTilt) viewAngleX += kTiltStep;
    if (keys.downHeld && viewAngleX > kMinTilt) viewAngleX -= kTiltStep;
    if (keys.leftHeld) viewAngleY += kTurnStep;
    if (keys.rightHeld) viewAngleY -= kTurnStep;
}

void typeSquare(int file, int rank) {
    typeValue(1, 3, file);
    typeValue(2, 4, rank);
}

void takeBackBy(StepScope scope) {
    if (historyCount == 0) return;
    const Side mover = history[historyCount - 1].sideBefore;
    do {
        restoreRecord(history[historyCount - 1]);
        --historyCount;
        if (redoCount < kHistoryCapacity) redoRecords[redoCount++] = history[historyCount];
    } while (historyCount != 0 &&
             (scope == StepScope::OneMove ? history[historyCount - 1].sideBefore == mover : sideToMove == 2));
}

void stepForwardBy(StepScope scope) {
    bool played = false;
    const Side stopsAt = scope == StepScope::OneMove ? 0 : 1;
    while (redoCount > 0 && !(played && (stopsAt == 0 || sideToMove == stopsAt) && continuationSquare == Square{})) {
        const HistoryRecord next = redoRecords[redoCount - 1];
        const PieceCode code = pieceAt(next.fromFile, next.fromRank);
        const MoveKind kind = code == kEmpty || next.sideBefore != sideToMove
                                  ? kIllegal
                                  : isLegalMove(next.fromFile, next.fromRank, next.toFile, next.toRank, code);
        if (kind == kIllegal) {
            redoCount = 0;  // not the line it was taken back from
            break;
        }
        playStepOnHistory(next.fromFile, next.fromRank, next.toFile, next.toRank, kind);  // uses up `next`
        played = true;
    }
}

void setHistory(const HistoryRecord* records, int count) {
    int first = 0;
    if (count > kHistoryCapacity)
        for (const HistorySpan& span : wholeMoveSpans(records, count))
            if (span.first >= count - kHistoryCapacity) {
                first = span.first;
                break;
            }
    historyCount = count - first;
    if (historyCount > 0) std::memcpy(history, records + first, sizeof(HistoryRecord) * historyCount);
    historyForgotten = first;
    redoCount = 0;
}

namespace {

// The computer's search and choice, left typed for playTypedMove.
void chooseComputerJump() {
    turnSide = sideToMove;
    if (sideToMove == 2 && computerActive == 1) {
        searchMoves(0, turnSide);
        restoreRootPosition();
        if (computerActive == 1) chooseComputerMove();
    }
    rootListFilled = 0;
}

}  // namespace

void turnStep() {
    chooseComputerJump();
    playTypedMove();
}

int playComputerReply() {
    int typed[5];
    std::memcpy(typed, typedMove, sizeof typed);
    int jumps = 0;
    clearTypedMove();
    while (sideToMove == 2 && computerActive == 1 && jumps < kMaxWholeMoveJumps) {
        chooseComputerJump();
        if (playTypedMove() == kIllegal) break;
        ++jumps;
    }
    std::memcpy(typedMove, typed, sizeof typed);
    return jumps;
}

PathPlayed playChosenMove(const WholeMove& move) {
    HistoryRecord records[kMaxWholeMoveJumps];
    const PathPlayed played = playWholeMove(move, records);
    for (int i = 0; i < played.jumps; ++i) recordOnHistory(records[i]);
    clearCandidates();
    return played;
}

void chooseComputerMove() {
    const int best = bestCandidate();
    typedMove[1] = candidates[best].fromFile;
    typedMove[2] = candidates[best].fromRank;
    typedMove[3] = candidates[best].toFile;
    typedMove[4] = candidates[best].toRank;
    clearCandidates();
}

MoveKind playTypedMove() {
    if (typedMove[1] == 0 || typedMove[2] == 0 || typedMove[3] == 0 || typedMove[4] == 0) return kIllegal;
    const int ff = typedMove[1], fr = typedMove[2], tf = typedMove[3], tr = typedMove[4];
    const PieceCode onFrom = pieceAt(ff, fr);
    const PieceCode code = onFrom == kEmpty ? kMan1 : onFrom;
    const MoveKind kind = isLegalMove(ff, fr, tf, tr, code);
    if (kind != kIllegal) playStepOnHistory(ff, fr, tf, tr, kind);
    clearTypedMove();
    clearCandidates();
    return kind;
}
