#include "engine/levels/level_match.h"

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <random>
#include <vector>

#include "engine/levels/searcher.h"
#include "engine/rules/whole_moves.h"

namespace {

constexpr int kOpeningMoves = 2;
// An opening counts as even when a search this deep values it within this
// many hundredths of a man.
constexpr int kOpeningCheckDepth = 10;
constexpr int kEvenOpening = 30;

// The position after `move`, played on the calling thread's own position;
// `played` says whether it was a whole move there.
Position positionAfter(const Position& position, const WholeMove& move, bool& played) {
    const PositionScope scope(position);
    HistoryRecord records[kMaxWholeMoveJumps];
    played = playWholeMove(move, records).complete;
    return currentPosition();
}

std::vector<WholeMove> movesOf(const Position& position) {
    const PositionScope scope(position);
    return listWholeMoves();
}

// Whether a ten-move search finds the position about even: an opening that
// loses a man outright would decide the game, not the levels.
bool aboutEven(const Position& position) {
    LevelRequest request;
    request.position = position;
    request.level = Level::Strong;
    request.fixedDepth = kOpeningCheckDepth;
    const LevelResult result = searchLevel(request);
    return result.hasMove && result.score >= -kEvenOpening && result.score <= kEvenOpening;
}

// The positions two whole moves from the start (one each), in a fixed mixed
// order. (After a third move many are lost for one side, deeper than a search
// of the opening sees, and a pair of games on one then says nothing.)
std::vector<Position> openings() {
    std::vector<Position> level{initialPosition(1)};
    for (int ply = 0; ply < kOpeningMoves; ++ply) {
        std::vector<Position> next;
        for (const Position& p : level)
            for (const WholeMove& m : movesOf(p)) {
                bool played = false;
                const Position after = positionAfter(p, m, played);
                if (played && std::find(next.begin(), next.end(), after) == next.end()) next.push_back(after);
            }
        level = next;
    }
    std::shuffle(level.begin(), level.end(), std::mt19937(22));
    return level;
}

MatchGame playGame(Level a, Level b, const Position& opening, int number, MatchResult& result) {
    MatchGame game;
    game.number = number;
    game.aIsSide1 = number % 2 == 1;
    const std::uint64_t gameSeed = std::mt19937_64(static_cast<std::uint64_t>(number))();
    GameJudge judge(opening);
    Position position = opening;
    Side loser = 0;
    while (!judge.ended() && judge.moves() < kMatchMoveCap) {
        const bool aMoves = (position.side == 1) == game.aIsSide1;
        LevelRequest request = requestForGame(judge);
        request.level = aMoves ? a : b;
        request.seed = gameSeed + static_cast<std::uint64_t>(position.side);
        const auto start = std::chrono::steady_clock::now();
        const LevelResult chosen = searchLevel(request);
        const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        MatchTimes& times = aMoves ? result.timesA : result.timesB;
        ++times.moves;
        times.totalSeconds += seconds;
        times.worstSeconds = std::max(times.worstSeconds, seconds);

        bool played = false;
        const Position next = chosen.hasMove ? positionAfter(position, chosen.move, played) : position;
        if (!played) {
            loser = position.side;
            break;
        }
        position = next;
        judge.play(chosen.move, position);
    }
    game.moves = judge.moves();
    game.reason = judge.reason();
    if (loser != 0 || judge.reason() == EndReason::NoMove) {
        const Side winner = loser != 0 ? otherSide(loser) : judge.winner();
        game.scoreA = (winner == 1) == game.aIsSide1 ? 1 : 0;
        game.ending = loser != 0 ? "illegal-move" : endReasonWord(game.reason);
    } else {
        game.scoreA = 0.5;
        game.ending = judge.ended() ? endReasonWord(game.reason) : "move-cap";
        ++result.drawsBy[static_cast<int>(game.reason)];
    }
    game.last = position;
    return game;
}

}  // namespace

MatchResult playMatch(Level a, Level b, int games, const std::function<void(const MatchGame&)>& report) {
    MatchResult result;
    // The even openings, found as the games need them.
    const std::vector<Position> openingsToTry = openings();
    std::vector<Position> starts;
    std::size_t next = 0, evenFound = 0;
    for (int g = 0; g < games; ++g) {
        if (g % 2 == 0) {
            while (next < openingsToTry.size() && !aboutEven(openingsToTry[next])) ++next;
            if (next < openingsToTry.size()) {
                starts.push_back(openingsToTry[next++]);
                ++evenFound;
            } else {
                // All used: round again.
                starts.push_back(evenFound > 0 ? starts[starts.size() % evenFound] : openingsToTry.front());
            }
        }
        const MatchGame game = playGame(a, b, starts[g / 2], g + 1, result);
        ++result.games;
        if (game.scoreA == 1)
            ++result.winsA;
        else if (game.scoreA == 0)
            ++result.winsB;
        else
            ++result.draws;
        if (report) report(game);
    }
    return result;
}
