// Whole moves: listing, playing and taking back, grouping the history, notation.
#include <gtest/gtest.h>

#include <random>

#include "engine/rules/execute.h"
#include "engine/rules/legal_moves.h"
#include "engine/rules/whole_moves.h"
#include "tests/engine/test_positions.h"

namespace {

std::string listed() {
    std::string out;
    for (const WholeMove& m : listWholeMoves()) out += (out.empty() ? "" : " ") + wholeMoveText(m);
    return out;
}

TEST(WholeMoves, ListsPlainMovesCapturesAndTheirBranches) {
    struct Case {
        const char* name;
        std::vector<Placed> pieces;
        Side side;
        const char* expected;
    };
    const Case cases[] = {
        {"plain steps", {{"c3", kMan1}}, 1, "c3-b4 c3-d4"},
        {"two jumps, one way", {{"b6", kMan2}, {"c5", kMan1}, {"e3", kMan1}}, 2, "b6:d4:f2"},
        {"branching after the first jump",
         {{"a1", kMan1}, {"b2", kMan2}, {"d4", kMan2}, {"b4", kMan2}},
         1,
         "a1:c3:a5 a1:c3:e5"},
        // The man crowned on e8 goes on capturing as a king, along the long way.
        {"crowned mid-capture", {{"c6", kMan1}, {"d7", kMan2}, {"g6", kMan2}}, 1, "c6:e8:h5"},
        {"no move", {{"a1", kMan2}}, 2, ""},
    };
    for (const Case& c : cases) {
        setPieces(c.pieces, c.side);
        const Snapshot before = takeSnapshot();
        EXPECT_EQ(listed(), c.expected) << c.name;
        EXPECT_EQ(takeSnapshot(), before) << c.name;
    }
}

// Over random games: every whole move played through playWholeMove hands the
// turn over, its records group back into the same move, and taking it back
// restores the position exactly.
TEST(WholeMoves, PlayGroupAndTakeBackOverRandomGames) {
    std::mt19937 rng(7);
    int captures = 0;
    for (int game = 0; game < 30; ++game) {
        resetEngineState();
        setupInitialPosition();
        std::vector<HistoryRecord> history;
        for (int ply = 0; ply < 120; ++ply) {
            const std::vector<WholeMove> moves = listWholeMoves();
            if (moves.empty()) break;
            const WholeMove& move = moves[rng() % moves.size()];
            const Snapshot before = takeSnapshot();
            HistoryRecord records[kMaxWholeMoveJumps];
            const PathPlayed played = playWholeMove(move, records);
            const int jumps = played.jumps;
            ASSERT_EQ(jumps, move.squareCount - 1) << wholeMoveText(move);
            EXPECT_TRUE(played.complete) << wholeMoveText(move);
            EXPECT_NE(sideToMove, before.side);
            EXPECT_TRUE(wholeMoveFromRecords(records, jumps).samePath(move));
            EXPECT_EQ(pieceAt(move.to().file, move.to().rank), move.arrivingCode);
            takeBackWholeMove(records, jumps);
            ASSERT_EQ(takeSnapshot(), before);
            playWholeMove(move, records);
            history.insert(history.end(), records, records + jumps);
            captures += move.isCapture();
        }
        const std::vector<HistorySpan> spans = wholeMoveSpans(history.data(), static_cast<int>(history.size()));
        int next = 0;
        for (const HistorySpan& span : spans) {
            EXPECT_EQ(span.first, next);
            next += span.count;
        }
        EXPECT_EQ(next, static_cast<int>(history.size()));
    }
    EXPECT_GT(captures, 100);
}

// Playing a path of squares says how many jumps it played and whether they
// were the whole move: only a path that ends where the turn passes is.
TEST(WholeMoves, PlayingAPathReportsWhetherTheMoveWasComplete) {
    struct Case {
        const char* name;
        std::vector<Placed> pieces;
        Side side;
        std::vector<const char*> path;
        int jumps;
        bool complete;
    };
    const std::vector<Placed> twoJumps = {{"b6", kMan2}, {"c5", kMan1}, {"e3", kMan1}};
    const Case cases[] = {
        {"plain move", {{"c3", kMan1}}, 1, {"c3", "d4"}, 1, true},
        {"whole capture", twoJumps, 2, {"b6", "d4", "f2"}, 2, true},
        {"capture stopped half-way", twoJumps, 2, {"b6", "d4"}, 1, false},
        {"crowned and going on as a king",
         {{"c6", kMan1}, {"d7", kMan2}, {"g6", kMan2}},
         1,
         {"c6", "e8", "h5"},
         2,
         true},
        {"squares after a plain move", {{"c3", kMan1}}, 1, {"c3", "d4", "e5"}, 0, false},
        {"a step that is not legal", twoJumps, 2, {"b6", "a5"}, 0, false},
    };
    for (const Case& c : cases) {
        setPieces(c.pieces, c.side);
        const Snapshot before = takeSnapshot();
        std::vector<Square> squares;
        for (const char* name : c.path) squares.push_back(sq(name));
        HistoryRecord records[kMaxWholeMoveJumps];
        const PathPlayed played = playSquares(squares.data(), static_cast<int>(squares.size()), records);
        EXPECT_EQ(played.jumps, c.jumps) << c.name;
        EXPECT_EQ(played.complete, c.complete) << c.name;
        EXPECT_EQ(sideToMove != before.side, c.complete) << c.name;
        takeBackWholeMove(records, played.jumps);
        EXPECT_EQ(takeSnapshot(), before) << c.name;
    }
}

TEST(WholeMoves, RefusesAPathThatIsNotLegalAndTurnsItsNotation) {
    setPieces({{"b6", kMan2}, {"c5", kMan1}, {"e3", kMan1}}, 2);
    WholeMove stopsShort = listWholeMoves().at(0);
    stopsShort.squareCount = 2;  // b6:d4 alone leaves a capture that must go on
    HistoryRecord records[kMaxWholeMoveJumps];
    EXPECT_EQ(playWholeMove(stopsShort, records).jumps, 1);
    EXPECT_EQ(continuationSquare, sq("d4"));
    takeBackWholeMove(records, 1);
    WholeMove wrong = listWholeMoves().at(0);
    wrong.squares[1] = sq("a5");
    EXPECT_EQ(playWholeMove(wrong, records).jumps, 0);
    EXPECT_EQ(wholeMoveText(listWholeMoves().at(0), true), "g3:e5:c7");
}

}  // namespace
