#include "engine/classic/literal_search.h"

#include "engine/rules/execute.h"
#include "engine/rules/rules.h"
#include "engine/rules/scratch.h"
#include "engine/classic/search.h"

namespace {

void combine(std::int32_t& result, std::int32_t v, Side computerSide) {
    if (result == kNoScore) result = v;
    if (sideToMove != computerSide && v < result) result = v;
    if (sideToMove == computerSide && v > result) result = v;
}

bool kept(std::int32_t s) {
    return s == -55555 || s == -44444 || s == -33333 || s == -22222 || s == -11111 || s == 44444;
}

std::int32_t wrapAdd(std::int32_t a, std::int32_t b) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(a) + static_cast<std::uint32_t>(b));
}

}  // namespace

std::int32_t literalSearchMoves(int depth, Side computerSide) {
    struct Move {
        int ff, fr, tf, tr;
    };
    Move list[kMaxNodeMoves];
    int count = 0;

    // 1. Move list.
    if (computerActive == 1) {
        for (int ff = 1; ff <= 8; ++ff)
            for (int fr = 1; fr <= 8; ++fr) {
                const PieceCode code = board[ff][fr];
                if (code == kEmpty || sideOf(code) != sideToMove) continue;
                for (int tf = 1; tf <= 8; ++tf)
                    for (int tr = 1; tr <= 8; ++tr) {
                        if (isLegalMove(ff, fr, tf, tr, board[ff][fr]) == 0) continue;
                        list[count++] = Move{ff, fr, tf, tr};
                        if (rootListFilled == 0) candidates[candidateCount++] = CandidateMove{ff, fr, tf, tr, 0};
                    }
            }
    }
    // 2. Blocked-side marks below the root.
    if (depth > 0) {
        if (sideToMove != computerSide && sideIsBlocked(sideToMove)) candidates[rootMoveIndex].score = 44444;
        if (sideToMove == computerSide && sideIsBlocked(computerSide)) candidates[rootMoveIndex].score = -44444;
    }
    // 3. Root position.
    if (rootListFilled == 0) {
        saveRootPosition();
        rootListFilled = 1;
    }
    // 4. The moves.
    std::int32_t result = kNoScore;
    if (depth < 6 && count > 0 && candidateCount != 1) {
        for (int i = 0; i < count; ++i) {
            const Move& m = list[i];
            if (depth == 0) {
                searchTraceSink("0  ");
                rootMoveIndex = i;
            }
            if (depth == 5) {
                combine(result, evaluatePosition(computerSide), computerSide);
                int opp = 0, own = 0;
                for (int d = 0; d < 4; ++d) {
                    if (plyRecords[d].sideBefore != computerSide && plyRecords[d].capturedCode != 0) ++opp;
                    if (plyRecords[d].sideBefore == computerSide && plyRecords[d].capturedCode != 0) ++own;
                }
                std::int32_t& score = candidates[rootMoveIndex].score;
                for (int k = 0; k < opp; ++k) score = wrapAdd(score, -11111);
                for (int k = 0; k < own; ++k) score = wrapAdd(score, 11111);
                if (opp != 0 && own == 0) score = -44444;
                if (own != 0 && opp == 0) score = 44444;
            }
            fillRecord(plyRecords[depth], m.ff, m.fr, m.tf, m.tr);
            if (depth < 5) {
                executeMove(m.ff, m.fr, m.tf, m.tr, board[m.ff][m.fr]);
                const std::int32_t v = literalSearchMoves(depth + 1, computerSide);
                restoreRecord(plyRecords[depth]);
                combine(result, v, computerSide);
                if (depth == 0 && !kept(candidates[i].score)) candidates[i].score = v;
            }
        }
    }
    // 5. No legal move for the computer.
    if (candidateCount == 0) computerActive = 0;
    return result;
}
