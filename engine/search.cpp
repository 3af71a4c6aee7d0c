#include "engine/search.h"

#include <cstdio>

#include "engine/execute.h"
#include "engine/movegen.h"

namespace {

void traceToStdout(const char* text) { std::fputs(text, stdout); }

// Candidate scores step by 11111 per capture and may pass the 32-bit range in
// extreme positions; they wrap as 32-bit two's-complement arithmetic does.
std::int32_t addWrapped(std::int32_t score, std::int64_t delta) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(score) + static_cast<std::uint32_t>(delta));
}

bool isKeptScore(std::int32_t score) {
    return score == -55555 || score == -44444 || score == -33333 || score == -22222 || score == -11111 ||
           score == 44444;
}

std::int32_t material() {
    std::int32_t value = 0;
    for (int f = 1; f <= 8; ++f) {
        for (int r = 1; r <= 8; ++r) {
            switch (board[f][r]) {
                case kMan1: value -= 100 + 5 * r; break;
                case kMan2: value += 100; break;
                case kKing1: value -= 1000; break;
                case kKing2: value += 1000; break;
                default: break;
            }
        }
    }
    return value;
}

std::int32_t evaluateWith(Side computerSide, bool blocked1, bool blocked2) {
    std::int32_t value = material();
    if (blocked1) value = kBlockedValue;
    if (blocked2) value = -kBlockedValue;
    return computerSide == 1 ? -value : value;
}

// Folds a child's value into a node's result: the computer maximises, the
// opponent minimises, and -30000 ("no value yet") always gives way.
void combine(std::int32_t& result, std::int32_t v, Side computerSide) {
    if (result == kNoScore) result = v;
    if (sideToMove != computerSide && v < result) result = v;
    if (sideToMove == computerSide && v > result) result = v;
}

// Plays a move already known to be legal with this kind: executeMove without
// asking isLegalMove again.
void playListedMove(const ListedMove& m) {
    const PieceCode code = board[m.fromFile][m.fromRank];
    board[m.fromFile][m.fromRank] = kEmpty;
    PieceCode arriving = code;
    if (code == kMan1 && m.toRank == 8) arriving = kKing1;
    if (code == kMan2 && m.toRank == 1) arriving = kKing2;
    board[m.toFile][m.toRank] = arriving;
    if (m.kind == kCapture) {
        removeCapturedBetween(m.fromFile, m.fromRank, m.toFile, m.toRank);
        if (pieceHasCapture(m.toFile, m.toRank, arriving)) {
            continuationSquare = Square{m.toFile, m.toRank};
            return;
        }
    }
    sideToMove = sideToMove == 1 ? 2 : 1;
    continuationSquare = Square{};
}

void stampBlocked(Side computerSide) {
    candidates[rootMoveIndex].score = sideToMove != computerSide ? kWinMark : kLossMark;
}

// Captures in the first four moves of the current line.
void captureTally(Side computerSide, int& opp, int& own) {
    opp = own = 0;
    for (int d = 0; d < 4; ++d) {
        if (plyRecords[d].capturedCode == 0) continue;
        if (plyRecords[d].sideBefore == computerSide)
            ++own;
        else
            ++opp;
    }
}

// The last level: the position is evaluated and the line's captures are tallied
// once per legal move of the side to move. Every pass gives the same value and the
// same tally, so they are folded into one pass, times the number of moves.
std::int32_t searchLeaf(Side computerSide) {
    const bool blocked1 = sideIsBlocked(1);
    const bool blocked2 = sideIsBlocked(2);
    // Below the root the continuation square always names a piece that can capture,
    // so the side to move has a legal move exactly when it is not blocked.
    const bool blocked = sideToMove == 1 ? blocked1 : sideToMove == 2 ? blocked2 : sideIsBlocked(sideToMove);
    if (blocked) stampBlocked(computerSide);
    if (blocked || computerActive != 1 || candidateCount == 1) return kNoScore;

    const std::int32_t result = evaluateWith(computerSide, blocked1, blocked2);
    int opp, own;
    captureTally(computerSide, opp, own);
    std::int32_t& score = candidates[rootMoveIndex].score;
    if (opp != 0 && own == 0) {
        score = kLossMark;
    } else if (own != 0 && opp == 0) {
        score = kWinMark;
    } else if (own != opp) {
        MoveList list;
        listLegalMoves(list);
        score = addWrapped(score, static_cast<std::int64_t>(list.count) * (own - opp) * kTallyStep);
    }
    return result;
}

}  // namespace

SearchTraceSink searchTraceSink = traceToStdout;

void listLegalMoves(MoveList& list) {
    list.count = 0;
    if (computerActive != 1) return;
    const Side side = sideToMove;
    bool anyCapture = false;
    for (int f = 1; f <= 8; ++f) {
        for (int r = 1; r <= 8; ++r) {
            const PieceCode code = board[f][r];
            if (code == kEmpty || code % 10 != side) continue;
            if (!computeReach(f, r, code)) continue;
            for (int tf = 1; tf <= 8; ++tf) {
                for (int tr = 1; tr <= 8; ++tr) {
                    const int kind = reachMap[tf][tr];
                    if (kind == 0) continue;
                    anyCapture = anyCapture || kind == kCapture;
                    if (list.count < kMaxNodeMoves)
                        list.moves[list.count++] = ListedMove{static_cast<std::int8_t>(f), static_cast<std::int8_t>(r),
                                                              static_cast<std::int8_t>(tf), static_cast<std::int8_t>(tr),
                                                              static_cast<std::int8_t>(kind)};
                }
            }
        }
    }
    // Only the capturing piece may go on; when any capture exists, only captures count.
    const Square cont = continuationSquare;
    int kept = 0;
    for (int i = 0; i < list.count; ++i) {
        const ListedMove& m = list.moves[i];
        if (cont != Square{} && cont != Square{m.fromFile, m.fromRank}) continue;
        if (anyCapture && m.kind != kCapture) continue;
        list.moves[kept++] = m;
    }
    list.count = kept;
}

std::int32_t evaluatePosition(Side computerSide) {
    return evaluateWith(computerSide, sideIsBlocked(1), sideIsBlocked(2));
}

std::int32_t searchMoves(int depth, Side computerSide) {
    if (depth >= kSearchLeafDepth) return searchLeaf(computerSide);

    MoveList list;
    listLegalMoves(list);
    if (rootListFilled == 0) {
        for (int i = 0; i < list.count && candidateCount < kCandidateCapacity; ++i) {
            const ListedMove& m = list.moves[i];
            candidates[candidateCount++] = CandidateMove{m.fromFile, m.fromRank, m.toFile, m.toRank, 0};
        }
    }
    if (depth > 0 && list.count == 0 && sideIsBlocked(sideToMove)) stampBlocked(computerSide);
    if (rootListFilled == 0) {
        saveRootPosition();
        rootListFilled = 1;
    }

    std::int32_t result = kNoScore;
    if (list.count > 0 && candidateCount != 1) {
        for (int i = 0; i < list.count; ++i) {
            const ListedMove& m = list.moves[i];
            if (depth == 0) {
                searchTraceSink("0  ");
                rootMoveIndex = i;
            }
            fillRecord(plyRecords[depth], m.fromFile, m.fromRank, m.toFile, m.toRank);
            playListedMove(m);
            const std::int32_t v = searchMoves(depth + 1, computerSide);
            restoreRecord(plyRecords[depth]);
            combine(result, v, computerSide);
            if (depth == 0 && i < kCandidateCapacity && !isKeptScore(candidates[i].score)) candidates[i].score = v;
        }
    }
    if (candidateCount == 0) computerActive = 0;
    return result;
}

void chooseComputerMove() {
    int best = 0;
    for (int i = 0; i < candidateCount; ++i)
        if (candidates[i].score > candidates[best].score) best = i;
    typedMove[1] = candidates[best].fromFile;
    typedMove[2] = candidates[best].fromRank;
    typedMove[3] = candidates[best].toFile;
    typedMove[4] = candidates[best].toRank;
    clearCandidates();
}
