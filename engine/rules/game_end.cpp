#include "engine/rules/game_end.h"

#include <algorithm>

#include "engine/rules/rules.h"
#include "engine/rules/whole_moves.h"

const char* endReasonWord(EndReason reason) {
    switch (reason) {
        case EndReason::NoMove: return "no-move";
        case EndReason::Repetition: return "repetition";
        case EndReason::KingsOnly: return "kings-only";
        case EndReason::ThreeKings: return "three-kings";
        case EndReason::Balance: return "balance";
        case EndReason::None: break;
    }
    return "";
}

Material materialOf(const Board& cells) {
    Material m;
    for (int f = 1; f <= 8; ++f)
        for (int r = 1; r <= 8; ++r) {
            const PieceCode code = cells[f][r];
            if (isMan(code)) ++m.men[sideOf(code)];
            if (isKing(code)) ++m.kings[sideOf(code)];
        }
    return m;
}

PlyFacts plyFacts(const WholeMove& move) {
    PlyFacts ply;
    ply.mover = sideOf(move.movingCode);
    ply.kingMoved = isKing(move.movingCode);
    ply.captured = move.isCapture();
    ply.promoted = isMan(move.movingCode) && isKing(move.arrivingCode);
    return ply;
}

namespace {

bool bothHaveKings(const Material& m) { return m.kings[1] > 0 && m.kings[2] > 0; }

// The side with three kings or more and nothing else against a lone king, or 0.
Side threeKingsSide(const Material& m) {
    for (Side strong = 1; strong <= 2; ++strong) {
        const Side lone = otherSide(strong);
        if (m.kings[strong] >= 3 && m.men[strong] == 0 && m.kings[lone] == 1 && m.men[lone] == 0) return strong;
    }
    return 0;
}

}  // namespace

DrawCounts startingCounts(const Material& start) {
    DrawCounts counts;
    if (threeKingsSide(start)) counts.threeKingsMoves = 0;
    return counts;
}

DrawCounts countsAfter(const DrawCounts& before, const PlyFacts& ply, const Material& after) {
    DrawCounts counts;
    counts.kingPlies = ply.kingMoved && !ply.captured ? before.kingPlies + 1 : 0;
    counts.quietPlies = ply.captured || ply.promoted ? 0 : before.quietPlies + 1;
    const Side strong = threeKingsSide(after);
    if (!strong)
        counts.threeKingsMoves = -1;
    else if (before.threeKingsMoves < 0)
        counts.threeKingsMoves = 0;  // the balance arises with this move
    else
        counts.threeKingsMoves = before.threeKingsMoves + (ply.mover == strong ? 1 : 0);
    return counts;
}

EndReason drawByCounts(const DrawCounts& counts, const Material& now) {
    // Before kings only, which applies to the same moves (see the header).
    if (counts.threeKingsMoves >= kThreeKingsMovesForDraw) return EndReason::ThreeKings;
    if (!bothHaveKings(now)) return EndReason::None;
    if (counts.kingPlies >= kKingsOnlyPliesForDraw) return EndReason::KingsOnly;
    const int pieces = now.total();
    if ((pieces == 4 || pieces == 5) && counts.quietPlies >= kBalancePliesFewPieces) return EndReason::Balance;
    if ((pieces == 6 || pieces == 7) && counts.quietPlies >= kBalancePliesManyPieces) return EndReason::Balance;
    return EndReason::None;
}

bool sideToMoveCanMove(const Position& position) {
    const PositionScope scope(position);
    return !sideIsBlocked(position.side);
}

GameJudge::GameJudge(const Position& start) : counts_(startingCounts(materialOf(start.cells))) {
    repeatable_.push_back(start);
    judge(start);
}

EndReason GameJudge::play(const WholeMove& move, const Position& after) {
    if (ended()) return reason_;
    ++moves_;
    const PlyFacts ply = plyFacts(move);
    counts_ = countsAfter(counts_, ply, materialOf(after.cells));
    // A capture or a man's move cannot be undone: no earlier position comes back.
    if (ply.captured || !ply.kingMoved) repeatable_.clear();
    repeatable_.push_back(after);
    judge(after);
    return reason_;
}

void GameJudge::judge(const Position& now) {
    if (!sideToMoveCanMove(now)) {
        reason_ = EndReason::NoMove;
        winner_ = otherSide(now.side);
        return;
    }
    if (std::count(repeatable_.begin(), repeatable_.end(), now) >= kRepetitionsForDraw) {
        reason_ = EndReason::Repetition;
        return;
    }
    reason_ = drawByCounts(counts_, materialOf(now.cells));
}

GameJudge judgeGame(const Position& start, const std::vector<WholeMove>& moves) {
    GameJudge judge(start);
    const PositionScope scope(start);
    HistoryRecord records[kMaxWholeMoveJumps];
    for (const WholeMove& move : moves) {
        if (judge.ended() || !playWholeMove(move, records).complete) break;
        judge.play(move, currentPosition());
    }
    return judge;
}
