#pragma once
// The computer's verdict on a game already played: for every position of the
// game, the move the strong level's search thinks best and what the position
// is worth; for every move played, how much it gave away against that best
// move: from one man on it is marked "?", from two "??". The game's review and
// the engine tool's --analyse both run this one analysis.
//
// Each position is searched with the game's past (the positions that could
// come back and the draw counts, engine/rules/game_end.h), for a fixed time or
// to a fixed depth, and the positions are shared out among a few threads, each
// searching on its own thread's position (engine/rules/board.h). To a fixed
// depth the verdicts are the same whatever the threads and the machine.

#include <atomic>
#include <cstddef>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

#include "engine/rules/board.h"
#include "engine/rules/whole_moves.h"

// A move that loses this much against the best (hundredths of a man) is a
// mistake ("?"), this much more a blunder ("??").
constexpr int kMistakeLoss = 100;
constexpr int kBlunderLoss = 200;
// The time each position is searched for, by default.
constexpr double kAnalysisSecondsPerPosition = 0.3;
// No more threads than this share the positions out.
constexpr int kMostAnalysisThreads = 4;

struct AnalysisRequest {
    Position start;
    // The game's whole moves from `start`; the analysis stops before the first
    // that is not a legal whole move there.
    std::vector<WholeMove> moves;
    double secondsPerPosition = kAnalysisSecondsPerPosition;
    // Searched exactly this many whole moves deep with no time limit (0: by the time).
    int fixedDepth = 0;
    // 0: one per core, at most kMostAnalysisThreads.
    int threads = 0;
};

// One position of the game, as the search judged it.
struct PositionVerdict {
    Side sideToMove = 1;
    // What the position is worth to the side to move, in hundredths of a man: a
    // side with no move has lost (-kLevelWinScore), a draw by the rules is 0.
    int value = 0;
    // The best move; squareCount 0 where the game is over.
    WholeMove best;
    int depth = 0;
};

// The verdicts of a game's positions: before each move and after the last.
struct GameAnalysis {
    // Every position was judged (not cancelled).
    bool complete = false;
    std::vector<PositionVerdict> positions;
    // How many of the request's moves the positions cover (positions.size() - 1 when complete).
    std::size_t moveCount() const { return positions.empty() ? 0 : positions.size() - 1; }
};

enum class MoveMark { None, Mistake, Blunder };

// A move played, against the best in its position.
struct MoveVerdict {
    // What it gave away against the best move, in hundredths of a man (0 for
    // the best move itself, never below 0).
    int loss = 0;
    MoveMark mark = MoveMark::None;
};

// Move `ply` (0 for the first) of an analysed game, `played` being that move.
MoveVerdict moveVerdict(const GameAnalysis& analysis, std::size_t ply, const WholeMove& played);
// "?", "??", or "-" for none.
const char* moveMarkText(MoveMark mark);
// Position `index`'s value from `side`'s view (side 1 or 2), in hundredths of a man.
int valueFor(const GameAnalysis& analysis, std::size_t index, Side side);

// Every position of the game judged, waiting for the result; `cancel`, when
// given, stops it within a few milliseconds (the result is then not complete),
// and `done`, when given, counts the positions judged as they are.
GameAnalysis analyseGame(const AnalysisRequest& request, const std::atomic<bool>* cancel = nullptr,
                         std::atomic<int>* done = nullptr);
// The number of positions a request has to judge (its legal moves and one).
int analysisPositionCount(const AnalysisRequest& request);

// An analysis on a thread of its own, so that the window goes on drawing while
// it runs: the request is copied in, the progress is atomic and the result is
// handed over under a lock, as LevelSearch does for one search.
class AnalysisRun {
public:
    AnalysisRun() = default;
    // Cancels an analysis still running and waits for its threads.
    ~AnalysisRun();
    AnalysisRun(const AnalysisRun&) = delete;
    AnalysisRun& operator=(const AnalysisRun&) = delete;

    void start(AnalysisRequest request);
    // Without waiting: true once the analysis has finished, with its result (given once).
    bool poll(GameAnalysis& result);
    bool busy() const { return busy_; }
    // Positions judged so far, and how many there are.
    int done() const { return done_.load(); }
    int total() const { return total_; }
    // Stops at once and waits for the threads; nothing is handed over.
    void cancel();

private:
    std::thread thread_;
    std::atomic<bool> stop_{false};
    std::atomic<int> done_{0};
    int total_ = 0;
    std::mutex mutex_;
    std::optional<GameAnalysis> result_;  // under mutex_
    bool busy_ = false;
};
