// Soak: the computer plays itself through the turn driver, game after game, with
// random openings and random take-backs, and every position is checked on the way.
//
//   draughts3d-soak [games] [seed]      (defaults: 1000 games, seed 1)
//
// After every move: the position is a legal one (codes, squares, promotions,
// counts, a continuation square that names a capturing piece of the side to move),
// and undoing the move's history record gives back exactly the position before
// it. Every take-back must give back exactly the position recorded at that depth.
// Prints games, moves and moves per second; exits non-zero at the first fault.

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <vector>

#include "engine/rules/board.h"
#include "engine/rules/execute.h"
#include "engine/rules/rules.h"
#include "engine/classic/search.h"
#include "engine/game/turn.h"

namespace {

[[noreturn]] void fail(const char* what, long game, long move) {
    std::fprintf(stderr, "soak: %s (game %ld, move %ld)\n", what, game, move);
    std::exit(1);
}

void quiet(const char*) {}

}  // namespace

int main(int argc, char** argv) {
    const long games = argc > 1 ? std::atol(argv[1]) : 1000;
    const unsigned seed = argc > 2 ? static_cast<unsigned>(std::atol(argv[2])) : 1u;
    std::mt19937 rng(seed);
    searchTraceSink = quiet;

    long totalMoves = 0, takeBacks = 0, decided = 0;
    const auto start = std::chrono::steady_clock::now();
    for (long game = 0; game < games; ++game) {
        resetGame();
        sideToMove = std::uniform_int_distribution<int>(1, 2)(rng);
        // Positions before each recorded move: before[i] is the position that
        // history[i] was recorded in.
        std::vector<Position> before;
        const int randomOpening = std::uniform_int_distribution<int>(0, 8)(rng);
        long moves = 0;
        while (moves < 250) {
            if (sideIsBlocked(1) || sideIsBlocked(2)) {
                ++decided;
                break;
            }
            const Position was = currentPosition();
            const int historyWas = historyCount;
            if (moves < randomOpening) {
                // A random legal move typed for whichever side is to move.
                MoveList list;
                listLegalMoves(list);
                const ListedMove& m = list.moves[std::uniform_int_distribution<int>(0, list.count - 1)(rng)];
                typedMove[1] = m.fromFile;
                typedMove[2] = m.fromRank;
                typedMove[3] = m.toFile;
                typedMove[4] = m.toRank;
            } else if (sideToMove == 1) {
                // The search playing side 1, as the turn driver plays side 2.
                searchMoves(0, 1);
                restoreRootPosition();
                if (computerActive == 1) chooseComputerMove();
                rootListFilled = 0;
            }
            turnStep();
            if (historyCount != historyWas + 1) fail("the side to move made no move", game, moves);
            before.push_back(was);
            ++moves;
            ++totalMoves;
            if (const char* why = positionFault()) fail(why, game, moves);
            // The record just written undoes the move exactly.
            const Position now = currentPosition();
            restoreRecord(history[historyCount - 1]);
            if (!(currentPosition() == was)) fail("the history record does not restore the position", game, moves);
            restorePosition(now);

            if (historyCount > 2 && std::uniform_int_distribution<int>(0, 19)(rng) == 0) {
                // Back to the position before the record now on top.
                takeBack();
                ++takeBacks;
                if (!(currentPosition() == before[historyCount])) fail("a take-back does not restore the position", game, moves);
                before.resize(historyCount);
            }
        }
    }
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("games %ld (decided %ld), moves %ld, take-backs %ld, %.0f moves per second\n", games, decided,
                totalMoves, takeBacks, totalMoves / (seconds > 0 ? seconds : 1));
    return 0;
}
