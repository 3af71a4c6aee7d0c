#include "engine/classic/search.h"

#include <cstdio>

#include "engine/rules/execute.h"
#include "engine/rules/rules.h"
#include "engine/rules/scratch.h"

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

// Worth of one piece seen from side 2: side 1's men gain worth as they advance.
inline std::int32_t pieceValue(PieceCode code, int rank) {
    switch (code) {
        case kMan1: return -(100 + 5 * rank);
        case kMan2: return 100;
        case kKing1: return -1000;
        case kKing2: return 1000;
        default: return 0;
    }
}

std::int32_t material() {
    std::int32_t value = 0;
    for (int f = 1; f <= 8; ++f)
        for (int r = 1; r <= 8; ++r) value += pieceValue(board[f][r], r);
    return value;
}

std::int32_t evaluateWith(std::int32_t materialValue, Side computerSide, bool blocked1, bool blocked2) {
    std::int32_t value = materialValue;
    if (blocked1) value = kBlockedValue;
    if (blocked2) value = -kBlockedValue;
    return computerSide == 1 ? -value : value;
}

// Folds a child's value into a node's result: the computer maximises, the
// opponent minimises, and -30000 ("no value yet") always gives way.
inline void combine(std::int32_t& result, std::int32_t v, Side computerSide) {
    if (result == kNoScore) result = v;
    if (sideToMove != computerSide && v < result) result = v;
    if (sideToMove == computerSide && v > result) result = v;
}

// The change of material made by the move `record` describes, played just now.
inline std::int32_t materialChange(const HistoryRecord& record) {
    return pieceValue(board[record.toFile][record.toRank], record.toRank) -
           pieceValue(record.movingCode, record.fromRank) - pieceValue(record.capturedCode, record.capturedRank);
}

void stampBlocked(Side computerSide) {
    candidates[rootMoveIndex].score = sideToMove != computerSide ? kWinMark : kLossMark;
}

// Captures by either side in the first four moves of the current line.
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

// What a node one move above the last level knows about its position, so that its
// children (the leaves) can be judged with little or no work on the board.
//
// A side is blocked when none of its pieces can move. A leaf differs from this
// position by one move, which changes only its from-, to- and captured squares.
// The pieces of each side are kept (a leaf's blocked test need look only at them
// and at the square the moved piece reached), and for up to four pieces one
// "reason to move" each: the squares whose contents let that piece move (its own
// square, the square it can step to, or the enemy piece and the square behind
// it). A reason none of whose squares the move touched still holds in the leaf.
struct LeafContext {
    PieceSquares pieces;
    int reasonCount[3] = {};
    std::uint64_t reasons[3][4];  // [side][reason]: one bit per square the reason rests on
    int opp = 0, own = 0;         // the line's capture tally, the same for every leaf below
};

inline std::uint64_t squareBit(int f, int r) { return std::uint64_t{1} << ((f - 1) * 8 + (r - 1)); }

inline bool emptySquare(int f, int r) { return onBoard(f, r) && board[f][r] == kEmpty; }

// One reason why the piece on (f, r) can move, as pieceCanMove finds it (its own
// square with the square it steps to, or with the enemy piece and the square
// behind it); 0 when it cannot move.
std::uint64_t reasonToMove(int f, int r, PieceCode code) {
    const bool man = isMan(code);
    for (const auto& d : kDirections) {
        const int af = f + d[0], ar = r + d[1];
        if (!onBoard(af, ar)) continue;
        const bool forward = d[1] == forwardStep(code);
        if (board[af][ar] == kEmpty && (!man || forward)) return squareBit(f, r) | squareBit(af, ar);
        if (areEnemies(code, board[af][ar]) && emptySquare(af + d[0], ar + d[1]))
            return squareBit(f, r) | squareBit(af, ar) | squareBit(af + d[0], ar + d[1]);
    }
    return 0;
}

// The reasons to move of up to four pieces a side, from the pieces already gathered.
void collectReasons(LeafContext& context) {
    for (int side = 1; side <= 2; ++side)
        for (int i = 0; i < context.pieces.count[side] && context.reasonCount[side] < 4; ++i) {
            const int f = context.pieces.squares[side][i][0], r = context.pieces.squares[side][i][1];
            const std::uint64_t reason = reasonToMove(f, r, board[f][r]);
            if (reason != 0) context.reasons[side][context.reasonCount[side]++] = reason;
        }
}

void collectLeafContext(LeafContext& context) {
    collectPieceSquares(context.pieces);
    collectReasons(context);
}

// True when some reason of `side` rests on no square the move changed.
bool reasonSurvives(const LeafContext& context, Side side, std::uint64_t changed) {
    for (int i = 0; i < context.reasonCount[side]; ++i)
        if ((context.reasons[side][i] & changed) == 0) return true;
    return false;
}

// A side is blocked after the move exactly when none of its pieces can move; on
// the board as the move left it.
bool blockedAfterMove(Side side, const LeafContext& before, const ListedMove& m) {
    const PieceCode moved = board[m.toFile][m.toRank];
    if (moved != kEmpty && sideOf(moved) == side && pieceCanMove(m.toFile, m.toRank, moved)) return false;
    for (int i = 0; i < before.pieces.count[side]; ++i) {
        const int f = before.pieces.squares[side][i][0], r = before.pieces.squares[side][i][1];
        const PieceCode code = board[f][r];
        if (code != kEmpty && sideOf(code) == side && pieceCanMove(f, r, code)) return false;
    }
    return true;
}

// The last level. The position is evaluated, and the line's captures tallied, once
// per legal move of the side to move; every pass gives the same value and the same
// tally, so they are folded into one pass times the number of moves.
std::int32_t searchLeaf(Side computerSide, std::int32_t materialValue, const LeafContext& before,
                        const ListedMove& last) {
    const bool blocked1 = blockedAfterMove(1, before, last);
    const bool blocked2 = blockedAfterMove(2, before, last);
    // Below the root the continuation square always names a piece that can capture,
    // so the side to move has a legal move exactly when it is not blocked.
    const bool blocked = sideToMove == 1 ? blocked1 : sideToMove == 2 ? blocked2 : sideIsBlockedFast(sideToMove);
    if (blocked) stampBlocked(computerSide);
    if (blocked || computerActive != 1 || candidateCount == 1) return kNoScore;

    const int opp = before.opp, own = before.own;
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
    return evaluateWith(materialValue, computerSide, blocked1, blocked2);
}

// A leaf reached by a plain move, judged without playing the move: the turn
// passes, the material changes by `delta`, and each side's blocked test is
// settled by a reason to move that the move did not touch. Returns false (and
// changes nothing) when that is not enough and the move must be played.
bool leafWithoutPlaying(Side computerSide, std::int32_t materialValue, const LeafContext& context, const ListedMove& m,
                        std::int32_t& value) {
    const std::uint64_t changed = squareBit(m.fromFile, m.fromRank) | squareBit(m.toFile, m.toRank);
    const bool open1 = reasonSurvives(context, 1, changed);
    const bool open2 = reasonSurvives(context, 2, changed);
    if (!open1 || !open2) return false;
    // Neither side is blocked after the move.
    if (computerActive != 1 || candidateCount == 1) {
        value = kNoScore;
        return true;
    }
    const int opp = context.opp, own = context.own;
    if (opp != 0 && own != 0 && opp != own) return false;  // the tally needs the number of moves there
    std::int32_t& score = candidates[rootMoveIndex].score;
    if (opp != 0 && own == 0) score = kLossMark;
    if (own != 0 && opp == 0) score = kWinMark;
    const PieceCode code = board[m.fromFile][m.fromRank];
    const PieceCode arriving = arrivingCode(code, m.toRank);
    const std::int32_t delta = pieceValue(arriving, m.toRank) - pieceValue(code, m.fromRank);
    value = evaluateWith(materialValue + delta, computerSide, false, false);
    return true;
}

// One node above the last level. `pieces` holds the squares of the pieces on the
// board, kept up to date move by move so that no node scans the board for them.
std::int32_t searchNode(int depth, Side computerSide, std::int32_t materialValue, const PieceSquares& pieces) {
    const bool childrenAreLeaves = depth + 1 >= kSearchLeafDepth;
    MoveList list;
    listLegalMovesOf(list, pieces);
    LeafContext leafContext;
    if (rootListFilled == 0) {
        for (int i = 0; i < list.count && candidateCount < kCandidateCapacity; ++i) {
            const ListedMove& m = list.moves[i];
            candidates[candidateCount++] = CandidateMove{m.fromFile, m.fromRank, m.toFile, m.toRank, 0};
        }
    }
    // A listed move means the side is not blocked; only an empty list needs the test.
    if (depth > 0 && list.count == 0 && sideIsBlockedFast(sideToMove)) stampBlocked(computerSide);
    if (rootListFilled == 0) {
        saveRootPosition();
        rootListFilled = 1;
    }

    std::int32_t result = kNoScore;
    if (list.count > 0 && candidateCount != 1) {
        if (childrenAreLeaves) {
            leafContext.pieces = pieces;
            collectReasons(leafContext);
            captureTally(computerSide, leafContext.opp, leafContext.own);
        }
        for (int i = 0; i < list.count; ++i) {
            const ListedMove& m = list.moves[i];
            if (depth == 0) {
                searchTraceSink("0  ");
                rootMoveIndex = i;
            }
            if (childrenAreLeaves && m.kind == kPlainMove) {
                std::int32_t v;
                if (leafWithoutPlaying(computerSide, materialValue, leafContext, m, v)) {
                    combine(result, v, computerSide);
                    continue;
                }
            }
            HistoryRecord& record = plyRecords[depth];
            playLegalMove(m.fromFile, m.fromRank, m.toFile, m.toRank, m.moveKind(), record);
            const std::int32_t delta = materialChange(record);
            std::int32_t v;
            if (childrenAreLeaves) {
                v = searchLeaf(computerSide, materialValue + delta, leafContext, m);
            } else {
                PieceSquares next = pieces;
                movePieceSquares(next, record.sideBefore, m.fromFile, m.fromRank, m.toFile, m.toRank,
                                 record.capturedCode != 0 ? record.capturedFile : 0, record.capturedRank);
                v = searchNode(depth + 1, computerSide, materialValue + delta, next);
            }
            restoreRecord(record);
            combine(result, v, computerSide);
            if (depth == 0 && i < kCandidateCapacity && !isKeptScore(candidates[i].score)) candidates[i].score = v;
        }
    }
    if (candidateCount == 0) computerActive = 0;
    return result;
}

}  // namespace

SearchTraceSink searchTraceSink = traceToStdout;

std::int32_t evaluatePosition(Side computerSide) {
    return evaluateWith(material(), computerSide, sideIsBlocked(1), sideIsBlocked(2));
}

std::int32_t searchMoves(int depth, Side computerSide) {
    if (depth >= kSearchLeafDepth) {
        // A search asked to start at the last level: the leaf of the current position.
        LeafContext context;
        collectLeafContext(context);
        captureTally(computerSide, context.opp, context.own);
        const ListedMove none{1, 1, 1, 1, 0};
        return searchLeaf(computerSide, material(), context, none);
    }
    PieceSquares pieces;
    collectPieceSquares(pieces);
    return searchNode(depth, computerSide, material(), pieces);
}

int bestCandidate() {
    int best = 0;
    for (int i = 0; i < candidateCount; ++i)
        if (candidates[i].score > candidates[best].score) best = i;
    return best;
}
