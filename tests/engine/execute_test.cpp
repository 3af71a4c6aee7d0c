// Playing moves, promotion, capture sequences and exact take-back records.
#include <gtest/gtest.h>

#include <random>

#include "engine/rules/execute.h"
#include "engine/rules/perft.h"
#include "engine/rules/rules.h"
#include "engine/classic/search.h"
#include "tests/engine/test_positions.h"

namespace {

void play(const char* from, const char* to) {
    const Square f = sq(from), t = sq(to);
    executeMove(f.file, f.rank, t.file, t.rank, board[f.file][f.rank]);
}

PieceCode at(const char* s) { return board[sq(s).file][sq(s).rank]; }

TEST(Execute, PlainMovePassesTheTurn) {
    resetEngineState();
    setupInitialPosition();
    play("c3", "d4");
    EXPECT_EQ(at("c3"), 0);
    EXPECT_EQ(at("d4"), 1);
    EXPECT_EQ(sideToMove, 2);
    EXPECT_EQ(continuationSquare, Square{});
}

TEST(Execute, IllegalMoveChangesNothing) {
    resetEngineState();
    setupInitialPosition();
    const Snapshot before = takeSnapshot();
    play("c3", "d5");
    play("b6", "a5");
    executeMove(3, 3, 4, 4, 11);
    EXPECT_EQ(takeSnapshot(), before);
}

TEST(Execute, MenArePromotedOnTheFarRank) {
    setPieces({{"c7", 1}, {"a1", 2}, {"h2", 2}}, 1);
    play("c7", "d8");
    EXPECT_EQ(at("d8"), 11);
    play("h2", "g1");
    EXPECT_EQ(at("g1"), 22);
}

TEST(Execute, PromotionInTheMiddleOfACaptureGoesOnAsAKing) {
    setPieces({{"b6", 1}, {"c7", 2}, {"f6", 2}, {"a1", 2}}, 1);
    play("b6", "d8");
    EXPECT_EQ(at("d8"), 11);
    EXPECT_EQ(at("c7"), 0) << "the captured man leaves at once";
    EXPECT_EQ(continuationSquare, sq("d8"));
    EXPECT_EQ(sideToMove, 1);
    // Another piece may not move now; the king must capture f6 and lands on g5 or h4.
    play("b6", "c7");
    EXPECT_EQ(at("d8"), 11);
    play("d8", "h4");
    EXPECT_EQ(at("f6"), 0);
    EXPECT_EQ(at("h4"), 11);
    EXPECT_EQ(sideToMove, 2);
    EXPECT_EQ(continuationSquare, Square{});
}

TEST(Execute, LongKingCaptureEmptiesOnlyTheCapturedSquare) {
    setPieces({{"a1", 11}, {"d4", 2}, {"h2", 2}}, 1);
    play("a1", "f6");
    EXPECT_EQ(at("f6"), 11);
    for (const char* s : {"a1", "b2", "c3", "d4", "e5"}) EXPECT_EQ(at(s), 0) << s;
    EXPECT_EQ(sideToMove, 2);
}

TEST(Records, RestoreRecordUndoesCaptureAndPromotion) {
    setPieces({{"b6", 1}, {"c7", 2}, {"f6", 2}, {"a1", 2}}, 1);
    const Snapshot before = takeSnapshot();
    HistoryRecord record;
    fillRecord(record, 2, 6, 4, 8);
    EXPECT_EQ(record.capturedFile, 3);
    EXPECT_EQ(record.capturedRank, 7);
    EXPECT_EQ(record.capturedCode, 2);
    EXPECT_EQ(record.movingCode, 1);
    EXPECT_EQ(record.sideBefore, 1);
    play("b6", "d8");
    restoreRecord(record);
    EXPECT_EQ(takeSnapshot(), before);
}

TEST(Records, PlainRecordPutsBackOnlyTheMovingPiece) {
    setPieces({{"c3", 1}}, 1);
    HistoryRecord record;
    fillRecord(record, 3, 3, 4, 4);
    EXPECT_EQ(record.capturedCode, 0);
    play("c3", "d4");
    board[5][5] = 2;  // something placed elsewhere stays
    restoreRecord(record);
    EXPECT_EQ(at("c3"), 1);
    EXPECT_EQ(at("d4"), 0);
    EXPECT_EQ(at("e5"), 2);
}

TEST(Records, NoteCapturedPieceKeepsTheOneNearestTheTarget) {
    setPieces({{"a1", 11}, {"c3", 2}, {"e5", 22}}, 1);
    HistoryRecord record;
    noteCapturedPiece(record, 1, 1, 7, 7);
    EXPECT_EQ(record.capturedFile, 5);
    EXPECT_EQ(record.capturedCode, 22);
}

// Every legal move of many positions, from random games with kings and capture
// sequences: fill, execute, restore gives back exactly the position.
TEST(Records, FillExecuteRestoreIsExactEverywhere) {
    std::mt19937 rng(20261207);
    int checked = 0, captures = 0, promotions = 0, continuations = 0;
    for (int game = 0; game < 300; ++game) {
        resetEngineState();
        setupInitialPosition();
        for (int ply = 0; ply < 120; ++ply) {
            MoveList list;
            listLegalMoves(list);
            if (list.count == 0) break;
            for (int i = 0; i < list.count; ++i) {
                const ListedMove& m = list.moves[i];
                const Snapshot before = takeSnapshot();
                HistoryRecord record;
                fillRecord(record, m.fromFile, m.fromRank, m.toFile, m.toRank);
                executeMove(m.fromFile, m.fromRank, m.toFile, m.toRank, board[m.fromFile][m.fromRank]);
                ASSERT_NE(takeSnapshot(), before) << "a listed move must be legal";
                captures += record.capturedCode != 0;
                promotions += record.movingCode != board[m.toFile][m.toRank];
                continuations += continuationSquare != Square{};
                restoreRecord(record);
                ASSERT_EQ(takeSnapshot(), before) << describe(before) << " move " << int(m.fromFile)
                                                  << int(m.fromRank) << int(m.toFile) << int(m.toRank);
                ++checked;
            }
            const ListedMove& m = list.moves[std::uniform_int_distribution<int>(0, list.count - 1)(rng)];
            executeMove(m.fromFile, m.fromRank, m.toFile, m.toRank, board[m.fromFile][m.fromRank]);
        }
    }
    EXPECT_GT(checked, 10000);
    EXPECT_GT(captures, 1000);
    EXPECT_GT(promotions, 100);
    EXPECT_GT(continuations, 100);
}

TEST(Perft, WholeTurnsFromTheInitialPositionMatchThePublishedFigures) {
    resetEngineState();
    setupInitialPosition();
    const std::uint64_t expected[] = {7, 49, 302, 1469};
    for (int depth = 1; depth <= 4; ++depth) EXPECT_EQ(perft(depth, true), expected[depth - 1]) << depth;
}

}  // namespace
