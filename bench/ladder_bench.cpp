// The ladder of levels: each level plays the one below it, and the strongest
// plays classic, N games each from varied openings with both colours; prints
// a table of the scores, the draws by the rule that declared them, and the
// time per move (mean and worst, against the level's budget). README.md shows
// its figures.
//
//   draughts3d-ladder-bench [games]     (default 20 games a match)

#include <cstdio>
#include <cstdlib>

#include "engine/levels/level_match.h"
#include "engine/levels/levels.h"
#include "engine/classic/search.h"

namespace {

void quiet(const char*) {}

struct Rung {
    Level upper, lower;
};

constexpr Rung kRungs[] = {
    {Level::Novice, Level::Beginner}, {Level::Club, Level::Novice},    {Level::Strong, Level::Club},
    {Level::Expert, Level::Strong},   {Level::Expert, Level::Classic},
};

// "3 s", or "-" for a level without a budget of its own.
void printBudget(char* out, std::size_t size, Level level) {
    const double budget = levelSettings(level).budgetSeconds;
    if (budget > 0)
        std::snprintf(out, size, "%.0f s", budget);
    else
        std::snprintf(out, size, "-");
}

}  // namespace

int main(int argc, char** argv) {
    const int games = argc > 1 ? std::atoi(argv[1]) : 20;
    if (games <= 0) {
        std::fprintf(stderr, "usage: draughts3d-ladder-bench [games]\n");
        return 2;
    }
    searchTraceSink = quiet;
    std::printf(
        "| Match | Games | Score | Won-drawn-lost | Draws: repetition, kings only, three kings, balance | Mean s/move "
        "| Worst s/move | Budget |\n");
    std::printf("|---|---|---|---|---|---|---|---|\n");
    for (const Rung& rung : kRungs) {
        const MatchResult r = playMatch(rung.upper, rung.lower, games, [&](const MatchGame& g) {
            std::fprintf(stderr, "%s-%s game %d: %.1f\n", levelName(rung.upper), levelName(rung.lower), g.number,
                         g.scoreA);
        });
        char budgetA[16], budgetB[16];
        printBudget(budgetA, sizeof budgetA, rung.upper);
        printBudget(budgetB, sizeof budgetB, rung.lower);
        // The games stopped at the move cap, if any, follow the rules' draws.
        char draws[64];
        const auto by = [&](EndReason reason) { return r.drawsBy[static_cast<int>(reason)]; };
        const int capped = by(EndReason::None);
        std::snprintf(draws, sizeof draws, capped ? "%d, %d, %d, %d (%d at the move cap)" : "%d, %d, %d, %d",
                      by(EndReason::Repetition), by(EndReason::KingsOnly), by(EndReason::ThreeKings),
                      by(EndReason::Balance), capped);
        std::printf("| %s v %s | %d | %.1f%% | %d-%d-%d | %s | %.3f / %.3f | %.3f / %.3f | %s / %s |\n",
                    levelName(rung.upper), levelName(rung.lower), r.games, 100.0 * r.scoreA() / r.games, r.winsA,
                    r.draws, r.winsB, draws, r.timesA.meanSeconds(), r.timesB.meanSeconds(), r.timesA.worstSeconds,
                    r.timesB.worstSeconds, budgetA, budgetB);
        std::fflush(stdout);
    }
    return 0;
}
