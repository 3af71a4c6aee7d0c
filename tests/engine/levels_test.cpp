// The levels of play: legal, reproducible and varied choices, classic as the
// game plays it, a search on its own thread that stops when told, a short
// match, and why a move is refused.
#include <gtest/gtest.h>

#include <chrono>
#include <random>
#include <set>
#include <thread>

#include "engine/levels/draw_offer.h"
#include "engine/levels/evaluation.h"
#include "engine/levels/level_match.h"
#include "engine/levels/searcher.h"
#include "engine/levels/level_search.h"
#include "engine/rules/position_text.h"
#include "engine/rules/refusal.h"
#include "engine/classic/search.h"
#include "engine/game/turn.h"
#include "tests/engine/test_positions.h"

namespace {

void quiet(const char*) {}

// Positions reached by seeded random play, none in the middle of a capture.
std::vector<Position> samplePositions(int count) {
    std::mt19937 rng(2207);
    std::vector<Position> out;
    while (static_cast<int>(out.size()) < count) {
        if (randomPlay(rng, std::uniform_int_distribution<int>(4, 40)(rng)) && continuationSquare == Square{} &&
            !listWholeMoves().empty())
            out.push_back(currentPosition());
    }
    return out;
}

LevelResult levelMove(const Position& p, Level level, std::uint64_t seed) {
    LevelRequest request;
    request.position = p;
    request.level = level;
    request.seed = seed;
    // Every level but classic has a time budget: searched to a fixed depth (its
    // own, five for the deep ones), so that neither the build's nor the
    // machine's speed matters (a thread-checker build finished fewer of club's six).
    if (level == Level::Strong || level == Level::Expert)
        request.fixedDepth = 5;
    else if (level != Level::Classic)
        request.fixedDepth = levelSettings(level).maxDepth;
    return searchLevel(request);
}

bool isListedMove(const Position& p, const WholeMove& move) {
    restorePosition(p);
    for (const WholeMove& m : listWholeMoves())
        if (m.samePath(move)) return true;
    return false;
}

TEST(Levels, ChooseALegalWholeMoveTheSameForTheSameSeedAndLeaveThePositionAlone) {
    searchTraceSink = quiet;
    const Position live = samplePositions(1)[0];
    for (const Position& p : samplePositions(6)) {
        for (Level level : kAllLevels) {
            restorePosition(live);
            const LevelResult first = levelMove(p, level, 7);
            EXPECT_EQ(currentPosition(), live) << levelName(level);
            const LevelResult again = levelMove(p, level, 7);
            ASSERT_TRUE(first.hasMove) << levelName(level) << " " << positionText(p);
            EXPECT_TRUE(first.move.samePath(again.move)) << levelName(level) << " " << positionText(p);
            EXPECT_TRUE(isListedMove(p, first.move)) << levelName(level) << " " << positionText(p);
        }
    }
}

TEST(Evaluation, IsTheSameForEitherSideInTheMirroredPosition) {
    for (const Position& p : samplePositions(40)) {
        Position mirrored;
        for (int f = 1; f <= 8; ++f)
            for (int r = 1; r <= 8; ++r) {
                const PieceCode c = p.cells[9 - f][9 - r];
                mirrored.cells[f][r] = c == kEmpty ? kEmpty
                                       : isKing(c) ? (c == kKing1 ? kKing2 : kKing1)
                                                   : (c == kMan1 ? kMan2 : kMan1);
            }
        mirrored.side = otherSide(p.side);
        restorePosition(p);
        const int value = evaluateForSideToMove();
        restorePosition(mirrored);
        EXPECT_EQ(evaluateForSideToMove(), value) << positionText(p);
    }
}

TEST(Levels, SeedsPickAmongNearEqualMovesExceptClassic) {
    searchTraceSink = quiet;
    resetEngineState();
    setupInitialPosition();
    const Position start = currentPosition();
    for (Level level : {Level::Beginner, Level::Novice, Level::Club, Level::Classic}) {
        std::set<std::string> chosen;
        for (std::uint64_t seed = 1; seed <= 12; ++seed)
            chosen.insert(wholeMoveText(levelMove(start, level, seed).move));
        if (level == Level::Classic)
            EXPECT_EQ(chosen.size(), 1u);
        else
            EXPECT_GE(chosen.size(), 2u) << levelName(level);
    }
}

TEST(Levels, ClassicPlaysTheOriginalComputersJumps) {
    searchTraceSink = quiet;
    // Two jumps for side 2, which the original computer plays one search each.
    const std::vector<Placed> capture = {{"b6", kMan2}, {"c5", kMan1}, {"e3", kMan1}, {"h2", kMan1}};
    std::vector<Position> positions = samplePositions(8);
    setPieces(capture, 2);
    positions.push_back(currentPosition());
    for (const Position& p : positions) {
        const LevelResult result = levelMove(p, Level::Classic, 0);
        restorePosition(p);
        searchMoves(0, sideToMove);
        restoreRootPosition();
        chooseComputerMove();
        rootListFilled = 0;
        ASSERT_TRUE(result.hasMove);
        EXPECT_EQ(result.move.squares[0], (Square{typedMove[1], typedMove[2]})) << positionText(p);
        EXPECT_EQ(result.move.squares[1], (Square{typedMove[3], typedMove[4]})) << positionText(p);
        clearTypedMove();
    }
    EXPECT_EQ(wholeMoveText(levelMove(positions.back(), Level::Classic, 0).move), "b6:d4:f2");
}

TEST(Levels, TheHintTakesTheBetterCapture) {
    // a3:c5 wins one man and loses e3 to f4; e3:g5:e7 wins two.
    setPieces({{"a3", kMan1}, {"b4", kMan2}, {"e3", kMan1}, {"f4", kMan2}, {"f6", kMan2}, {"h8", kMan2}}, 1);
    EXPECT_EQ(wholeMoveText(hintMove(currentPosition())), "e3:g5:e7");
    setPieces({{"a1", kMan2}}, 2);
    EXPECT_EQ(hintMove(currentPosition()).squareCount, 0);
}

// A clock that moves on by `step` seconds at every read, as if the search ran
// on a machine that much slower: the search itself is deterministic, so what
// it does on this clock does not depend on the load of the machine it runs on.
double fakeNow = 0;
double fakeStep = 0;
double fakeClock() { return fakeNow += fakeStep; }

TEST(Levels, TheClockStopsASearchOnlyAfterAFinishedDepth) {
    searchTraceSink = quiet;
    // Ten seconds a read: every budget is spent before the first depth ends.
    fakeStep = 10;
    std::vector<Position> positions;
    for (const Position& p : samplePositions(6)) {
        restorePosition(p);
        if (listWholeMoves().size() > 1) positions.push_back(p);  // a forced move needs no search
    }
    // Kings everywhere: a first depth of thousands of moves, so that the clock
    // is read before it ends.
    setPosition(".W.B....B.B...............W...w....B......W.B.w..B.w.b....B.....", 1);
    positions.push_back(currentPosition());
    for (const Position& p : positions) {
        for (Level level : {Level::Beginner, Level::Novice, Level::Club, Level::Strong, Level::Expert}) {
            LevelRequest request;
            request.position = p;
            request.level = level;
            request.clock = fakeClock;
            const LevelResult result = searchLevel(request);
            ASSERT_TRUE(result.hasMove) << levelName(level) << " " << positionText(p);
            EXPECT_EQ(result.depth, 1) << levelName(level) << " " << positionText(p);
            EXPECT_TRUE(isListedMove(p, result.move)) << levelName(level) << " " << positionText(p);
            if (&p == &positions.back()) {
                EXPECT_GT(result.nodes, 1024) << "the clock was read in the first depth";
            }
        }
    }
}

TEST(Levels, ALevelKeepsWithinItsBudget) {
    searchTraceSink = quiet;
    const Position p = samplePositions(3)[2];
    for (Level level : {Level::Beginner, Level::Novice, Level::Club, Level::Strong, Level::Expert}) {
        const double budget = levelSettings(level).budgetSeconds;
        LevelRequest request;
        request.position = p;
        request.level = level;
        // On a clock of 20 ms a read (a machine some twenty times slower than
        // this one): never more than two reads beyond the budget.
        fakeNow = 0;
        fakeStep = 0.02;
        request.clock = fakeClock;
        LevelResult result = searchLevel(request);
        EXPECT_TRUE(result.hasMove) << levelName(level);
        EXPECT_LE(fakeNow, budget + 2 * fakeStep) << levelName(level);
        // On the real clock, beyond the budget by no more than a tenth of a
        // second and twice what a search of one depth costs on this build (its
        // table made and freed: a quarter of a second with the thread checker).
        // A busy machine may hold the thread back past that: tried twice.
        request.clock = nullptr;
        auto seconds = [&](int depth) {
            request.fixedDepth = depth;
            const auto before = std::chrono::steady_clock::now();
            result = searchLevel(request);
            return std::chrono::duration<double>(std::chrono::steady_clock::now() - before).count();
        };
        const double bound = budget + 0.1 + 2 * seconds(1);
        double took = seconds(0);
        if (took > bound) took = seconds(0);
        EXPECT_TRUE(result.hasMove) << levelName(level);
        EXPECT_LE(took, bound) << levelName(level);
        std::printf("%s: %.3f s (at most %.3f s), %.2f s on the slow clock\n", levelName(level), took, bound, fakeNow);
    }
}

TEST(LevelSearch, RunsOnItsOwnThreadAndCancelStopsItAtOnce) {
    resetEngineState();
    setupInitialPosition();
    const Position start = currentPosition();
    // How long a cancel may wait depends on the build (a sanitizer's is many
    // times slower): the set-up of an expert search (its table) and the
    // stretch of search between two looks at the flag. Measured here on a
    // short expert search, which has both; twice that, and a quarter of a
    // second for the thread to be scheduled on a busy machine.
    LevelRequest probe;
    probe.position = start;
    probe.level = Level::Expert;
    probe.fixedDepth = 6;
    auto before = std::chrono::steady_clock::now();
    ASSERT_GT(searchLevel(probe).nodes, 1024);
    const double bound = 2 * std::chrono::duration<double>(std::chrono::steady_clock::now() - before).count() + 0.25;

    LevelSearch search;
    search.start(start, Level::Expert, 1);
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    LevelResult result;
    EXPECT_FALSE(search.poll(result));
    EXPECT_EQ(currentPosition(), start) << "the game's position is its own";
    before = std::chrono::steady_clock::now();
    search.cancel();
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - before).count();
    EXPECT_LT(seconds, bound);
    std::printf("cancelled in %.3f s (bound %.3f s)\n", seconds, bound);
    EXPECT_FALSE(search.busy());
    EXPECT_FALSE(search.poll(result));

    // The game's thread changes its own position while the search runs on its copy.
    search.start(start, Level::Novice, 3);
    while (!search.poll(result)) {
        restorePosition(Position{});
        restorePosition(start);
    }
    EXPECT_TRUE(result.hasMove);
    EXPECT_TRUE(isListedMove(start, result.move));
    // Started again while busy, then dropped with the object.
    search.start(start, Level::Expert, 4);
}

TEST(LevelMatch, ShortMatchPlaysEveryGameToAnEnd) {
    int reported = 0;
    const MatchResult result = playMatch(Level::Beginner, Level::Novice, 2, [&](const MatchGame& g) {
        ++reported;
        EXPECT_EQ(g.aIsSide1, g.number == 1);
        EXPECT_GT(g.moves, 0);
    });
    EXPECT_EQ(reported, 2);
    EXPECT_EQ(result.winsA + result.draws + result.winsB, 2);
    EXPECT_GT(result.timesA.moves, 0);
    EXPECT_GT(result.timesB.moves, 0);
}

// The computer (side 2) accepts a draw when it is not ahead; beginner and
// novice a little ahead too; classic by the original computer's count.
TEST(DrawOffer, AcceptedWhenTheComputerIsNotAheadTheWeakLevelsMoreReadily) {
    // The cells, and a letter per level, weakest first: A accepts, D declines.
    const std::pair<const char*, const char*> cases[] = {
        // A man up (c7, e7, g7 against b2, d2): every level declines.
        {"..........b.b.b..................................w.w............", "DDDDDD"},
        // A man down: every level accepts.
        {"..........b.b....................................w.w.w..........", "AAAAAA"},
        // Even, its men further on: the club level's search finds it a little ahead.
        {"..........b........b.............................w.w............", "AADDDA"}};
    for (const auto& [cells, accepting] : cases)
        for (Side side : {1, 2}) {
            setPosition(cells, side);
            const Position position = currentPosition();
            for (Level level : kAllLevels)
                EXPECT_EQ(acceptsDrawOffer(position, level, 2), accepting[static_cast<int>(level)] == 'A')
                    << cells << " side " << side << " " << levelName(level);
            EXPECT_EQ(currentPosition(), position);
        }
}

TEST(Refusal, SaysWhyInThePlayersTerms) {
    struct Case {
        std::vector<Placed> pieces;
        Side side;
        const char* cont;
        const char* move;
        const char* reason;
        std::vector<const char*> capturers;
    };
    const Case cases[] = {
        {{{"c3", kMan1}, {"d4", kMan2}, {"g3", kMan1}, {"f4", kMan2}, {"a1", kMan1}},
         1,
         "",
         "a1b2",
         "A capture is compulsory: c3 takes on e5",
         {"c3", "g3"}},
        {{{"c3", kMan1}, {"d4", kMan2}, {"g3", kMan1}, {"f4", kMan2}},
         1,
         "",
         "g3h4",
         "A capture is compulsory: g3 takes on e5",
         {"c3", "g3"}},
        {{{"c3", kMan1}, {"d4", kMan2}}, 1, "", "c3d4", "There is already a piece on d4", {}},
        {{{"d4", kMan1}, {"e5", kMan2}, {"a1", kMan1}}, 1, "d4", "a1b2", "The man on d4 must go on capturing", {"d4"}},
        {{{"d4", kKing1}, {"f6", kMan2}, {"a1", kMan1}},
         1,
         "d4",
         "a1b2",
         "The king on d4 must go on capturing",
         {"d4"}},
        {{{"c3", kMan1}, {"b6", kMan2}}, 1, "", "c4d5", "No piece of yours on c4", {}},
        {{{"c3", kMan1}, {"b6", kMan2}}, 1, "", "b6a5", "No piece of yours on b6", {}},
        {{{"c3", kMan1}}, 1, "", "c3b2", "Men move forward; they capture in any direction", {}},
        {{{"c3", kMan1}}, 1, "", "c3c4", "Pieces stand on the dark squares only: c4 is a light square", {}},
        {{{"c3", kMan1}}, 1, "", "c3c5", "Pieces move along the diagonals: c5 is not on one from c3", {}},
        {{{"c3", kMan1}}, 1, "", "c3e5", "A man moves one square at a time; only kings go further", {}},
        {{{"c3", kMan1}, {"d4", kMan1}}, 1, "", "c3e5", "A piece jumps only over a piece of the other side", {}},
        {{{"a1", kKing1}, {"c3", kMan2}, {"d4", kMan2}}, 1, "", "a1f6", "The way from a1 to f6 is blocked at c3", {}},
        // Over c3 the king must stop on e5, from where it takes c7.
        {{{"a1", kKing1}, {"c3", kMan2}, {"c7", kMan2}},
         1,
         "",
         "a1f6",
         "The king must land where it can capture again: e5",
         {"a1"}},
        {{{"c3", kMan1}}, 1, "", "c3d4", "", {}},
    };
    for (const Case& c : cases) {
        setPieces(c.pieces, c.side, c.cont[0] ? sq(c.cont) : Square{});
        const Position p = currentPosition();
        Square from, to;
        ASSERT_TRUE(parseSquare(std::string(c.move).substr(0, 2), from) &&
                    parseSquare(std::string(c.move).substr(2), to));
        const MoveRefusal refusal = whyRefused(p, from, to);
        EXPECT_EQ(refusal.reason, c.reason) << c.move;
        std::vector<Square> expected;
        for (const char* s : c.capturers) expected.push_back(sq(s));
        EXPECT_EQ(refusal.capturers, expected) << c.move;
        EXPECT_EQ(currentPosition(), p);
    }
}

}  // namespace
