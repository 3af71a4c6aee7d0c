// Times the computer's search, the real one against the plain reference, on a
// fixed set of positions, and prints milliseconds per search and their ratio;
// then the levels' search of the same positions to a fixed depth, in
// milliseconds and thousands of nodes per second.
//
//   draughts3d-search-bench            the fixed set
//   draughts3d-search-bench levels     the levels' search only
//   draughts3d-search-bench find N     also scans N random positions for the
//                                      slowest real search and prints it

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "engine/game/game_state.h"
#include "engine/levels/searcher.h"
#include "engine/rules/board.h"
#include "engine/rules/execute.h"
#include "engine/rules/position_text.h"
#include "engine/classic/search.h"
#include "engine/classic/literal_search.h"

namespace {

struct BenchPosition {
    const char* name;
    const char* cells;  // rank 8 down to rank 1, files a..h
    Side side;
};

// Positions: the reply to c3-d4, three middle games and a king ending reached by
// seeded random play, the slowest position "find" met, and a constructed open
// ending of four kings, the heaviest tree we know (about a million leaves).
const BenchPosition kPositions[] = {
    {"after c3-d4", ".b.b.b.bb.b.b.b..b.b.b.b...........w....w...w.w..w.w.w.ww.w.w.w.", 2},
    {"middle game 1", ".b...b.b..b...b....b...wb.....w....w...w.........w.w.w.ww.......", 2},
    {"middle game 2", ".b...b.bb........b.b...b.........w.w...b......w....w.w..w.w...w.", 2},
    {"middle game 3", ".b.b...bb.b........b.b.bb.....b....w....w.w..........w.ww...w...", 2},
    {"king ending", ".......W....W...........b.................................B...B.", 2},
    {"slowest found", ".b......................b.....B..................W............B.", 2},
    {"open 4 kings", "...B..........................B.......W...............W.........", 2},
};

// A new game in the given position.
void setCells(const char* cells, Side side) {
    Position position;
    std::string error;
    // "open 4 kings" has a king on a light square (g4); it is kept as it is so
    // that the figures stay comparable.
    if (!parseCells(cells, position.cells, error, true)) {
        std::fprintf(stderr, "search bench: position \"%s\": %s\n", cells, error.c_str());
        std::exit(2);
    }
    position.side = side;
    resetGame();
    restorePosition(position);
}

void quiet(const char*) {}

// Milliseconds per search, the median of `runs` searches.
template <typename SearchFn>
double timeSearch(SearchFn search, const char* cells, Side side, int runs) {
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        setCells(cells, side);
        const auto start = std::chrono::steady_clock::now();
        search(0, side);
        restoreRootPosition();
        const auto end = std::chrono::steady_clock::now();
        times.push_back(std::chrono::duration<double, std::milli>(end - start).count());
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

// The levels' search at this fixed depth: deep enough to take some tens of
// milliseconds, so that the work of a node shows.
constexpr int kLevelBenchDepth = 9;

// The strong level's search of a position to kLevelBenchDepth: the median
// milliseconds of `runs` searches, and the nodes of one.
double timeLevelSearch(const char* cells, Side side, int runs, std::int64_t& nodes) {
    setCells(cells, side);
    LevelRequest request;
    request.position = currentPosition();
    request.level = Level::Strong;
    request.fixedDepth = kLevelBenchDepth;
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        const auto start = std::chrono::steady_clock::now();
        nodes = searchLevel(request).nodes;
        const auto end = std::chrono::steady_clock::now();
        times.push_back(std::chrono::duration<double, std::milli>(end - start).count());
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

void findSlowest(int count) {
    std::mt19937 rng(4242);
    double worst = 0;
    std::string worstCells;
    Side worstSide = 2;
    for (int n = 0; n < count; ++n) {
        resetGame();
        sideToMove = 1;
        const int plies = std::uniform_int_distribution<int>(0, 120)(rng);
        for (int p = 0; p < plies; ++p) {
            MoveList list;
            listLegalMoves(list);
            if (list.count == 0) break;
            const ListedMove& m = list.moves[std::uniform_int_distribution<int>(0, list.count - 1)(rng)];
            executeMove(m.fromFile, m.fromRank, m.toFile, m.toRank, board[m.fromFile][m.fromRank]);
        }
        if (continuationSquare != Square{}) continue;
        const std::string cells = cellsText(board);
        const Side side = sideToMove;
        const double ms = timeSearch(searchMoves, cells.c_str(), side, 1);
        if (ms > worst) {
            worst = ms;
            worstCells = cells;
            worstSide = side;
        }
    }
    std::printf("slowest of %d random positions: %.3f ms  \"%s\" side %d\n", count, worst, worstCells.c_str(),
                worstSide);
}

void benchClassic() {
    std::printf("%-16s %12s %12s %10s\n", "position", "real ms", "literal ms", "ratio");
    double worstReal = 0;
    const char* worstName = "";
    for (const BenchPosition& p : kPositions) {
        const double real = timeSearch(searchMoves, p.cells, p.side, 21);
        const double literal = timeSearch(literalSearchMoves, p.cells, p.side, 3);
        std::printf("%-16s %12.3f %12.3f %10.0f\n", p.name, real, literal, literal / real);
        if (real > worstReal) {
            worstReal = real;
            worstName = p.name;
        }
    }
    std::printf("worst real search: %.3f ms (%s)\n\n", worstReal, worstName);
}

void benchLevels() {
    std::printf("level search, strong, %d moves deep\n%-16s %12s %12s %12s\n", kLevelBenchDepth, "position", "ms",
                "nodes", "knodes/s");
    double totalMs = 0;
    std::int64_t totalNodes = 0;
    for (const BenchPosition& p : kPositions) {
        std::int64_t nodes = 0;
        const double ms = timeLevelSearch(p.cells, p.side, 7, nodes);
        std::printf("%-16s %12.3f %12lld %12.0f\n", p.name, ms, static_cast<long long>(nodes), nodes / ms);
        totalMs += ms;
        totalNodes += nodes;
    }
    std::printf("level search in all: %.3f ms, %lld nodes, %.0f knodes/s\n", totalMs,
                static_cast<long long>(totalNodes), totalNodes / totalMs);
}

}  // namespace

int main(int argc, char** argv) {
    searchTraceSink = quiet;
    const bool levelsOnly = argc >= 2 && std::strcmp(argv[1], "levels") == 0;
    if (!levelsOnly) benchClassic();
    benchLevels();
    if (argc >= 3 && std::strcmp(argv[1], "find") == 0) findSlowest(std::atoi(argv[2]));
    return 0;
}
