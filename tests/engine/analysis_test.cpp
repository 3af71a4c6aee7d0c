// The analysis of a game played: a move that gives a man away for nothing is
// marked, a forced reply and the best move are not, the threads do not change
// the verdicts, and a cancelled analysis says it is not complete.
#include <gtest/gtest.h>

#include "engine/levels/analysis.h"
#include "engine/levels/searcher.h"
#include "tests/engine/test_positions.h"

namespace {

// The legal whole move from `from` to `to` in the live position, played.
WholeMove play(const char* from, const char* to) {
    for (const WholeMove& move : listWholeMoves())
        if (move.from() == sq(from) && move.to() == sq(to)) {
            HistoryRecord records[kMaxWholeMoveJumps];
            playWholeMove(move, records);
            return move;
        }
    ADD_FAILURE() << from << "-" << to << " is not legal";
    return WholeMove{};
}

// White (side 1): c3 and g1; Black: e5 and h8. c3-d4 lets e5 take it (e5:c3)
// with nothing to take back; g1-h2 follows.
AnalysisRequest manGivenAway() {
    setPieces({{"c3", kMan1}, {"g1", kMan1}, {"e5", kMan2}, {"h8", kMan2}}, 1);
    AnalysisRequest request;
    request.start = currentPosition();
    request.moves = {play("c3", "d4"), play("e5", "c3"), play("g1", "h2")};
    request.fixedDepth = 6;
    return request;
}

TEST(Analysis, MarksTheManGivenAwayAndNotTheForcedReply) {
    const AnalysisRequest request = manGivenAway();
    const GameAnalysis analysis = analyseGame(request);
    ASSERT_TRUE(analysis.complete);
    ASSERT_EQ(analysis.moveCount(), 3u);
    const MoveVerdict given = moveVerdict(analysis, 0, request.moves[0]);
    EXPECT_GE(given.loss, kMistakeLoss);
    EXPECT_NE(given.mark, MoveMark::None);
    EXPECT_FALSE(analysis.positions[0].best.samePath(request.moves[0]));
    // White's value falls by about a man with it.
    EXPECT_LE(valueFor(analysis, 1, 1), valueFor(analysis, 0, 1) - kMistakeLoss);
    // The capture was the only move: the best, marked nothing, and valued all the same.
    EXPECT_TRUE(analysis.positions[1].best.samePath(request.moves[1]));
    EXPECT_EQ(moveVerdict(analysis, 1, request.moves[1]).mark, MoveMark::None);
    EXPECT_GT(analysis.positions[1].depth, 0);
    EXPECT_STREQ(moveMarkText(given.mark), given.mark == MoveMark::Blunder ? "??" : "?");

    // One thread or two, the same verdicts.
    AnalysisRequest alone = request;
    alone.threads = 1;
    const GameAnalysis again = analyseGame(alone);
    for (std::size_t i = 0; i < analysis.positions.size(); ++i) {
        EXPECT_EQ(again.positions[i].value, analysis.positions[i].value) << i;
        EXPECT_TRUE(again.positions[i].best.samePath(analysis.positions[i].best)) << i;
    }
}

TEST(Analysis, CancelledIsNotComplete) {
    const std::atomic<bool> cancel{true};
    std::atomic<int> done{0};
    const GameAnalysis analysis = analyseGame(manGivenAway(), &cancel, &done);
    EXPECT_FALSE(analysis.complete);
    EXPECT_EQ(done.load(), 0);
}

}  // namespace
