// The computer player: its choices, its marks, and the fast search against the
// plain reference on thousands of positions.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <random>

#include "engine/rules/execute.h"
#include "engine/rules/rules.h"
#include "engine/classic/search.h"
#include "engine/game/turn.h"
#include "engine/classic/literal_search.h"
#include "tests/engine/test_positions.h"

namespace {

int traceCount = 0;
void countTrace(const char* text) {
    if (std::strcmp(text, "0  ") == 0) ++traceCount;
}

// Everything a search leaves behind that the game can see.
struct SearchOutcome {
    std::int32_t result;
    std::vector<CandidateMove> cands;
    int chosen[4];
    int traces;
    int active;
    Snapshot after;
};

template <typename SearchFn>
SearchOutcome runSearch(SearchFn search) {
    SearchOutcome out{};
    traceCount = 0;
    const SearchTraceSink savedSink = searchTraceSink;
    searchTraceSink = countTrace;
    const Side side = sideToMove;
    out.result = search(0, side);
    restoreRootPosition();
    searchTraceSink = savedSink;
    out.cands.assign(candidates, candidates + candidateCount);
    out.active = computerActive;
    if (computerActive == 1) chooseComputerMove();
    for (int i = 0; i < 4; ++i) out.chosen[i] = typedMove[i + 1];
    clearTypedMove();
    out.traces = traceCount;
    out.after = takeSnapshot();
    rootListFilled = 0;
    return out;
}

void expectSame(const SearchOutcome& fast, const SearchOutcome& literal, const std::string& where) {
    ASSERT_EQ(fast.result, literal.result) << where;
    ASSERT_EQ(fast.cands.size(), literal.cands.size()) << where;
    for (size_t i = 0; i < fast.cands.size(); ++i) {
        const CandidateMove &a = fast.cands[i], &b = literal.cands[i];
        ASSERT_EQ(a.fromFile * 1000 + a.fromRank * 100 + a.toFile * 10 + a.toRank,
                  b.fromFile * 1000 + b.fromRank * 100 + b.toFile * 10 + b.toRank)
            << where;
        ASSERT_EQ(a.score, b.score) << where << " candidate " << i;
    }
    for (int i = 0; i < 4; ++i) ASSERT_EQ(fast.chosen[i], literal.chosen[i]) << where;
    ASSERT_EQ(fast.traces, literal.traces) << where;
    ASSERT_EQ(fast.active, literal.active) << where;
    ASSERT_EQ(fast.after, literal.after) << where;
}

// Searches the current position both ways, from identical starting states.
void compareAt(const std::string& where) {
    const Snapshot start = takeSnapshot();
    const int active = computerActive;
    clearCandidates();
    rootListFilled = 0;
    const SearchOutcome fast = runSearch(searchMoves);
    ASSERT_EQ(fast.after, start) << "the search puts the root position back";
    board[0][0] = 0;
    restorePosition(start);
    computerActive = active;
    clearCandidates();
    rootListFilled = 0;
    const SearchOutcome literal = runSearch(literalSearchMoves);
    expectSame(fast, literal, where + " " + describe(start));
}

// Positions reached by seeded random play: openings, middle games with kings,
// capture sequences (continuation squares), blocked sides; either side to move.
class Differential : public ::testing::TestWithParam<int> {};

// Positions per seed; the sanitizer build asks for fewer (DRAUGHTS_DIFFERENTIAL_POSITIONS).
int positionsPerSeed() {
    const char* value = std::getenv("DRAUGHTS_DIFFERENTIAL_POSITIONS");
    const int n = value ? std::atoi(value) : 0;
    return n > 0 ? n : 250;
}

TEST_P(Differential, FastSearchGivesExactlyTheReferenceResults) {
    std::mt19937 rng(1000 + GetParam());
    int compared = 0, withCont = 0, withKings = 0, oneCandidate = 0, noCandidate = 0;
    const int wanted = positionsPerSeed();
    while (compared < wanted) {
        resetEngineState();
        setupInitialPosition();
        const int plies = std::uniform_int_distribution<int>(0, 90)(rng);
        bool ended = false;
        for (int p = 0; p < plies && !ended; ++p) {
            MoveList list;
            listLegalMoves(list);
            if (list.count == 0) {
                ended = true;
                break;
            }
            const ListedMove& m = list.moves[std::uniform_int_distribution<int>(0, list.count - 1)(rng)];
            executeMove(m.fromFile, m.fromRank, m.toFile, m.toRank, board[m.fromFile][m.fromRank]);
        }
        int pieces = 0, kings = 0;
        for (int f = 1; f <= 8; ++f)
            for (int r = 1; r <= 8; ++r) {
                pieces += board[f][r] != 0;
                kings += board[f][r] > 10;
            }
        // The reference is slow on crowded boards: keep a share of those only.
        if (pieces > 14 && std::uniform_int_distribution<int>(0, 9)(rng) != 0) continue;
        MoveList list;
        listLegalMoves(list);
        withCont += continuationSquare != Square{};
        withKings += kings > 0;
        oneCandidate += list.count == 1;
        noCandidate += list.count == 0;
        compareAt("seed " + std::to_string(GetParam()) + " position " + std::to_string(compared));
        if (HasFatalFailure()) return;
        ++compared;
    }
    // The mix of positions a full run must have met.
    if (wanted >= 100) {
        EXPECT_GT(withCont, 0);
        EXPECT_GT(withKings, 0);
        EXPECT_GT(oneCandidate, 0);
    }
    RecordProperty("no_candidate", noCandidate);
}

INSTANTIATE_TEST_SUITE_P(Seeds, Differential, ::testing::Range(0, 8));

TEST(Search, OneLegalMoveIsPlayedWithoutSearching) {
    setPieces({{"c3", 2}, {"b2", 1}}, 2);  // the only move: c3 takes b2, landing on a1
    compareAt("one candidate");
    traceCount = 0;
    searchTraceSink = countTrace;
    searchMoves(0, 2);
    restoreRootPosition();
    EXPECT_EQ(candidateCount, 1);
    EXPECT_EQ(traceCount, 0);
    chooseComputerMove();
    EXPECT_EQ(typedMove[1] * 1000 + typedMove[2] * 100 + typedMove[3] * 10 + typedMove[4], 3311);
}

TEST(Search, NoLegalMoveClearsComputerActive) {
    setPieces({{"a1", 2}, {"b2", 1}, {"c3", 1}}, 2);
    const Snapshot before = takeSnapshot();
    EXPECT_EQ(searchMoves(0, 2), -30000);
    restoreRootPosition();
    EXPECT_EQ(computerActive, 0);
    EXPECT_EQ(candidateCount, 0);
    EXPECT_EQ(takeSnapshot(), before);
    EXPECT_EQ(sideToMove, 2);
}

TEST(Search, EvaluationCountsMaterialAndBlockedSides) {
    setPieces({{"c3", 1}, {"e7", 2}, {"a1", 11}, {"h8", 22}}, 2);
    EXPECT_EQ(evaluatePosition(2), -(100 + 15) + 100 - 1000 + 1000);
    EXPECT_EQ(evaluatePosition(1), (100 + 15) - 100);
    setPieces({{"a7", 1}, {"b8", 2}, {"h8", 2}}, 2);
    EXPECT_EQ(evaluatePosition(2), 55000);
    setPieces({{"a1", 2}, {"h8", 1}}, 2);  // both blocked: side 2 loses
    EXPECT_EQ(evaluatePosition(2), -55000);
}

TEST(Search, EqualBestScoresChooseTheFirstGenerated) {
    resetEngineState();
    candidateCount = 3;
    candidates[0] = CandidateMove{1, 1, 2, 2, 5};
    candidates[1] = CandidateMove{3, 3, 4, 4, 9};
    candidates[2] = CandidateMove{5, 5, 6, 6, 9};
    chooseComputerMove();
    EXPECT_EQ(typedMove[1], 3);
    EXPECT_EQ(candidateCount, 0);
    EXPECT_EQ(candidates[1].score, -30000);
}

TEST(Search, WinningLineIsStamped) {
    // Side 2's king can take side 1's last piece: the line where side 1 has no move
    // stamps 44444, and that candidate is chosen.
    setPieces({{"h8", 22}, {"d4", 1}, {"a1", 2}}, 2);
    compareAt("stamp");
    searchTraceSink = [](const char*) {};
    searchMoves(0, 2);
    restoreRootPosition();
    bool stamped = false;
    for (int i = 0; i < candidateCount; ++i) stamped = stamped || candidates[i].score == 44444;
    EXPECT_TRUE(stamped);
    chooseComputerMove();
    EXPECT_EQ(typedMove[1], 8);
    EXPECT_EQ(typedMove[2], 8);
}

TEST(Search, TraceIsWrittenOncePerRootCandidate) {
    resetEngineState();
    setupInitialPosition();
    sideToMove = 2;
    traceCount = 0;
    searchTraceSink = countTrace;
    searchMoves(0, 2);
    restoreRootPosition();
    EXPECT_EQ(traceCount, 7);
    EXPECT_EQ(candidateCount, 7);
}

TEST(Search, KingEndingsWithManyMovesStayWithinTheListAndMatchTheReference) {
    setPieces({{"a1", 22}, {"h2", 22}, {"d8", 22}, {"b8", 22}, {"c1", 11}, {"h6", 11}, {"e3", 1}}, 2);
    compareAt("kings");
}

}  // namespace
