#include "engine/levels/searcher.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <memory>

#include "engine/levels/evaluation.h"
#include "engine/rules/execute.h"
#include "engine/rules/legal_moves.h"
#include "engine/rules/rules.h"
#include "engine/classic/search.h"

namespace {

using Clock = std::chrono::steady_clock;

double steadySeconds() { return std::chrono::duration<double>(Clock::now().time_since_epoch()).count(); }

constexpr int kWin = kLevelWinScore;
constexpr int kInfinity = kWin + 1;
// No line goes deeper than this many whole moves.
constexpr int kMaxPly = 100;
// Scores this close to a win are wins in a known number of moves.
constexpr int kWonScore = kWin - kMaxPly;
// A new depth is started only when it is likely to finish within the time
// budget: it is expected to take as much longer than the last depth as the
// last few depths did on average (within these bounds; the steps vary a lot).
constexpr double kLeastGrowth = 1.5;
constexpr double kMostGrowth = 4.0;
constexpr int kGrowthSteps = 3;
// How many nodes pass between looks at the clock and the cancel flag.
constexpr std::int64_t kStopCheckNodes = 1024;
constexpr int kTableBits = 20;
// The order of a killer move; the history table stays below it.
constexpr int kKillerOrder = 1 << 27;

// The records of the jumps of one whole move, to take it back.
struct Played {
    int steps = 0;
    HistoryRecord records[kMaxWholeMoveJumps];
};

constexpr std::uint64_t splitMix(std::uint64_t x) {
    x += 0x9e3779b97f4a7c15ULL;
    x = (x ^ (x >> 30)) * 0xbf58476d1ce4e5b9ULL;
    x = (x ^ (x >> 27)) * 0x94d049bb133111ebULL;
    return x ^ (x >> 31);
}

// Random keys for each piece on each square, and for side 2 to move.
struct ZobristKeys {
    std::uint64_t piece[64][4] = {};
    std::uint64_t side2 = 0;
    constexpr ZobristKeys() {
        std::uint64_t state = 22;
        for (auto& square : piece)
            for (std::uint64_t& k : square) k = splitMix(state++);
        side2 = splitMix(state);
    }
};
constexpr ZobristKeys kKeys;

constexpr int squareIndex(int file, int rank) { return (file - 1) * 8 + (rank - 1); }

inline int pieceSlot(PieceCode code) {
    switch (code) {
        case kMan1: return 0;
        case kMan2: return 1;
        case kKing1: return 2;
        default: return 3;
    }
}

// Plays a whole move listed in this position (trusted, not checked again);
// returns the key after it.
std::uint64_t playListedMove(const MovePath& move, Played& played, std::uint64_t key) {
    played.steps = move.count - 1;
    playListedPath(move, played.records);
    const HistoryRecord& first = played.records[0];
    const HistoryRecord& last = played.records[played.steps - 1];
    key ^= kKeys.piece[squareIndex(first.fromFile, first.fromRank)][pieceSlot(first.movingCode)];
    key ^= kKeys.piece[squareIndex(last.toFile, last.toRank)][pieceSlot(board[last.toFile][last.toRank])];
    for (int i = 0; i < played.steps; ++i) {
        const HistoryRecord& r = played.records[i];
        if (r.capturedCode != kEmpty)
            key ^= kKeys.piece[squareIndex(r.capturedFile, r.capturedRank)][pieceSlot(r.capturedCode)];
    }
    return key ^ kKeys.side2;
}

// The draw counts and the material after a whole move just played (its
// records in `played`), from those before it: the material changes only by
// the captured pieces and a man crowned.
void countMove(const Played& played, const DrawCounts& countsBefore, const Material& before, DrawCounts& counts,
               Material& after) {
    const HistoryRecord& first = played.records[0];
    const HistoryRecord& last = played.records[played.steps - 1];
    PlyFacts ply;
    ply.mover = sideOf(first.movingCode);
    ply.kingMoved = isKing(first.movingCode);
    ply.promoted = !ply.kingMoved && isKing(board[last.toFile][last.toRank]);
    after = before;
    for (int i = 0; i < played.steps; ++i) {
        const PieceCode code = played.records[i].capturedCode;
        if (code == kEmpty) continue;
        ply.captured = true;
        --(isKing(code) ? after.kings : after.men)[sideOf(code)];
    }
    if (ply.promoted) {
        --after.men[ply.mover];
        ++after.kings[ply.mover];
    }
    counts = countsAfter(countsBefore, ply, after);
}

// Whether the side not to move could capture if it were its turn.
bool otherSideThreatens() {
    const Side other = otherSide(sideToMove);
    for (int f = 1; f <= 8; ++f)
        for (int r = 1 + (f + 1) % 2; r <= 8; r += 2) {
            const PieceCode code = board[f][r];
            if (code != kEmpty && sideOf(code) == other && pieceCanCapture(f, r, code)) return true;
        }
    return false;
}

// How much longer the next depth will take than the last, from the times of
// the depths searched so far: the geometric mean of the last few steps.
double expectedGrowth(const std::vector<double>& seconds) {
    const int steps = std::min<int>(kGrowthSteps, static_cast<int>(seconds.size()) - 1);
    if (steps <= 0 || seconds[seconds.size() - 1 - steps] <= 0) return kMostGrowth;
    const double growth = std::pow(seconds.back() / seconds[seconds.size() - 1 - steps], 1.0 / steps);
    return std::clamp(growth, kLeastGrowth, kMostGrowth);
}

enum Bound : std::uint8_t { kNoBound = 0, kExact = 1, kLowerBound = 2, kUpperBound = 3 };

struct TableEntry {
    std::uint64_t key = 0;
    std::int16_t score = 0;
    std::int8_t depth = 0;
    std::uint8_t bound = kNoBound;
    std::uint8_t move = 0;  // index in the node's move list
};

// Win scores are kept in the table relative to the node, not the root.
int toTable(int score, int ply) { return score >= kWonScore ? score + ply : score <= -kWonScore ? score - ply : score; }
int fromTable(int score, int ply) {
    return score >= kWonScore ? score - ply : score <= -kWonScore ? score + ply : score;
}

struct RootMove {
    MovePath move;
    int index = 0;  // in the generated list
    int score = -kInfinity;
};

// One search of one position at one level.
class Searcher {
public:
    Searcher(const LevelSettings& settings, std::uint64_t seed, const std::atomic<bool>* cancel,
             const std::vector<std::uint64_t>& earlier, const std::optional<DrawCounts>& counts, double (*clock)())
        : settings_(settings),
          clock_(clock),
          seedMix_(splitMix(seed ^ 0x5eedULL)),
          cancel_(cancel),
          earlier_(earlier),
          lists_(new MovePathList[kMaxPly + 1]) {
        if (settings_.transpositionTable) table_.assign(std::size_t{1} << kTableBits, TableEntry{});
        material_[0] = materialOf(board);
        counts_[0] = counts ? *counts : startingCounts(material_[0]);
    }

    // `valueOnlyMove`: see LevelRequest.
    LevelResult run(double start, bool valueOnlyMove);

private:
    void checkStop() {
        if (cancel_ && cancel_->load(std::memory_order_relaxed)) stopped_ = true;
        // The clock stops a search only once it has a move: the first depth always ends.
        if (settings_.budgetSeconds > 0 && depthDone_ && clock_() >= deadline_) stopped_ = true;
    }

    int noise(std::uint64_t key) const {
        if (settings_.noise <= 0) return 0;
        const std::uint64_t span = 2 * static_cast<std::uint64_t>(settings_.noise) + 1;
        return static_cast<int>(splitMix(key ^ seedMix_) % span) - settings_.noise;
    }

    bool repeats(std::uint64_t key, int ply) const {
        for (int p = ply - 2; p >= 0; p -= 2)
            if (pathKeys_[p] == key) return true;
        return std::find(earlier_.begin(), earlier_.end(), key) != earlier_.end();
    }

    int orderScore(const MovePath& m, int index, int ttMove, int ply) const {
        if (index == ttMove) return 1 << 30;
        if (m.capture) return (1 << 28) + m.count;
        if (!settings_.orderMoves) return 0;
        const int from = squareIndex(m.squares[0][0], m.squares[0][1]);
        const int to = squareIndex(m.squares[1][0], m.squares[1][1]);
        const int code = from * 64 + to;
        if (code == killers_[ply][0]) return kKillerOrder;
        if (code == killers_[ply][1]) return kKillerOrder - 1;
        return history_[from][to];
    }

    void noteCutoff(const MovePath& m, int depth, int ply) {
        if (m.capture || !settings_.orderMoves) return;
        const int from = squareIndex(m.squares[0][0], m.squares[0][1]);
        const int to = squareIndex(m.squares[1][0], m.squares[1][1]);
        const int code = from * 64 + to;
        if (killers_[ply][0] != code) {
            killers_[ply][1] = killers_[ply][0];
            killers_[ply][0] = code;
        }
        history_[from][to] = std::min(history_[from][to] + depth * depth, 1 << 26);
    }

    // Plays a listed move at `ply`, counting it for the draws at ply + 1;
    // returns the key after it.
    std::uint64_t play(const MovePath& move, Played& played, std::uint64_t key, int ply) {
        key = playListedMove(move, played, key);
        countMove(played, counts_[ply], material_[ply], counts_[ply + 1], material_[ply + 1]);
        return key;
    }

    int search(int depth, int alpha, int beta, int ply, std::uint64_t key, int threatsLeft);
    int searchRoot(int depth, std::vector<RootMove>& roots, std::uint64_t rootKey);

    LevelSettings settings_;
    double (*clock_)();
    std::uint64_t seedMix_;
    const std::atomic<bool>* cancel_;
    const std::vector<std::uint64_t>& earlier_;
    std::unique_ptr<MovePathList[]> lists_;
    std::vector<TableEntry> table_;
    std::uint64_t pathKeys_[kMaxPly + 1] = {};
    // The draw counts and the material at each ply of the line searched.
    DrawCounts counts_[kMaxPly + 1];
    Material material_[kMaxPly + 1];
    int killers_[kMaxPly + 1][2] = {};
    int history_[64][64] = {};
    double deadline_ = 0;
    std::int64_t nodes_ = 0;
    bool stopped_ = false;
    bool depthDone_ = false;  // a depth has finished, so there is a move to give
    int extensionPlyLimit_ = 0;
};

int Searcher::search(int depth, int alpha, int beta, int ply, std::uint64_t key, int threatsLeft) {
    if (++nodes_ % kStopCheckNodes == 0) checkStop();
    if (stopped_) return 0;
    pathKeys_[ply] = key;
    if (repeats(key, ply)) return 0;
    MovePathList& moves = lists_[ply];
    listMovePaths(moves);
    if (moves.count == 0) return -kWin + ply;
    if (drawByCounts(counts_[ply], material_[ply]) != EndReason::None) return 0;
    const bool captures = moves.paths[0].capture != 0;
    if (ply >= kMaxPly) return evaluateForSideToMove();
    if (depth <= 0 && !captures) {
        // A quiet leaf, unless the other side threatens a capture: then every
        // reply is looked at once more, as the side to move cannot stand still.
        if (threatsLeft <= 0 || !otherSideThreatens()) return evaluateForSideToMove() + noise(key);
        depth = 1;
        --threatsLeft;
    }
    // A forced move costs no depth (within reason).
    const int childDepth = moves.count == 1 && depth > 0 && ply < extensionPlyLimit_ ? depth : depth - 1;

    int ttMove = -1;
    TableEntry* entry = nullptr;
    const bool useTable = !table_.empty() && depth > 0;
    if (useTable) {
        entry = &table_[key & (table_.size() - 1)];
        if (entry->key == key && entry->bound != kNoBound) {
            ttMove = entry->move < moves.count ? entry->move : -1;
            if (entry->depth >= depth) {
                const int s = fromTable(entry->score, ply);
                if (entry->bound == kExact) return s;
                if (entry->bound == kLowerBound && s >= beta) return s;
                if (entry->bound == kUpperBound && s <= alpha) return s;
            }
        }
    }

    int order[kMaxListedPaths];
    for (int i = 0; i < moves.count; ++i) order[i] = orderScore(moves.paths[i], i, ttMove, ply);
    int index[kMaxListedPaths];
    for (int i = 0; i < moves.count; ++i) index[i] = i;

    const int alphaBefore = alpha;
    int best = -kInfinity, bestIndex = 0;
    for (int n = 0; n < moves.count; ++n) {
        // The best-ordered move left goes next.
        int pick = n;
        for (int j = n + 1; j < moves.count; ++j)
            if (order[index[j]] > order[index[pick]]) pick = j;
        std::swap(index[n], index[pick]);
        const int i = index[n];
        const MovePath& m = moves.paths[i];
        Played played;
        const std::uint64_t childKey = play(m, played, key, ply);
        int score;
        if (n == 0) {
            score = -search(childDepth, -beta, -alpha, ply + 1, childKey, threatsLeft);
        } else {
            const bool reduce =
                settings_.lateMoveReductions && depth >= 3 && n >= 3 && !captures && order[i] < kKillerOrder - 1;
            const int firstDepth = reduce ? childDepth - 1 : childDepth;
            score = -search(firstDepth, -alpha - 1, -alpha, ply + 1, childKey, threatsLeft);
            if (score > alpha && firstDepth < childDepth)
                score = -search(childDepth, -alpha - 1, -alpha, ply + 1, childKey, threatsLeft);
            if (score > alpha && score < beta)
                score = -search(childDepth, -beta, -alpha, ply + 1, childKey, threatsLeft);
        }
        takeBackWholeMove(played.records, played.steps);
        if (stopped_) return 0;
        if (score > best) {
            best = score;
            bestIndex = i;
            if (score > alpha) alpha = score;
            if (alpha >= beta) {
                noteCutoff(m, depth, ply);
                break;
            }
        }
    }
    if (useTable) {
        entry->key = key;
        entry->score = static_cast<std::int16_t>(toTable(best, ply));
        entry->depth = static_cast<std::int8_t>(std::min(depth, 127));
        entry->bound = best <= alphaBefore ? kUpperBound : best >= beta ? kLowerBound : kExact;
        entry->move = static_cast<std::uint8_t>(bestIndex);
    }
    return best;
}

// Every root move gets a value that is exact when it is within the variety
// margin of the best so far, and an upper bound below that otherwise.
int Searcher::searchRoot(int depth, std::vector<RootMove>& roots, std::uint64_t rootKey) {
    int best = -kInfinity;
    for (std::size_t i = 0; i < roots.size(); ++i) {
        Played played;
        const std::uint64_t childKey = play(roots[i].move, played, rootKey, 0);
        int score;
        if (i == 0) {
            score = -search(depth - 1, -kInfinity, kInfinity, 1, childKey, settings_.threatExtensions);
        } else {
            const int margin = best >= kWonScore ? 0 : settings_.varietyMargin;
            const int threshold = best - margin;
            score = -search(depth - 1, -threshold, -(threshold - 1), 1, childKey, settings_.threatExtensions);
            if (score >= threshold)
                score = -search(depth - 1, -kInfinity, -(threshold - 1), 1, childKey, settings_.threatExtensions);
        }
        takeBackWholeMove(played.records, played.steps);
        if (stopped_) return best;
        roots[i].score = score;
        best = std::max(best, score);
    }
    return best;
}

LevelResult Searcher::run(double start, bool valueOnlyMove) {
    LevelResult result;
    deadline_ = start + settings_.budgetSeconds;
    const std::uint64_t rootKey = positionKey(currentPosition());
    pathKeys_[0] = rootKey;
    MovePathList& generated = lists_[0];
    listMovePaths(generated);
    std::vector<RootMove> roots;
    for (int i = 0; i < generated.count; ++i) roots.push_back(RootMove{generated.paths[i], i, -kInfinity});
    if (roots.empty()) return result;

    auto choose = [&](const RootMove& root) {
        Played played;
        playListedMove(root.move, played, rootKey);
        result.move = wholeMoveFromRecords(played.records, played.steps);
        takeBackWholeMove(played.records, played.steps);
        result.hasMove = true;
        result.score = root.score == -kInfinity ? 0 : root.score;
    };
    if (roots.size() == 1 && !valueOnlyMove) {
        choose(roots[0]);
        return result;
    }
    std::vector<double> depthSeconds;
    for (int depth = 1; depth <= settings_.maxDepth; ++depth) {
        extensionPlyLimit_ = 2 * depth + 8;
        const double depthStart = clock_();
        const int best = searchRoot(depth, roots, rootKey);
        if (stopped_) break;
        result.depth = depth;
        depthDone_ = true;
        // The moves within the margin of the best, in the order they were
        // generated; the seed and the position pick one.
        const int margin = best >= kWonScore ? 0 : settings_.varietyMargin;
        std::vector<const RootMove*> equal;
        for (const RootMove& r : roots)
            if (r.score >= best - margin) equal.push_back(&r);
        std::sort(equal.begin(), equal.end(), [](const RootMove* a, const RootMove* b) { return a->index < b->index; });
        choose(*equal[splitMix(seedMix_ ^ rootKey) % equal.size()]);
        // The next depth starts with the best moves first.
        std::stable_sort(roots.begin(), roots.end(),
                         [](const RootMove& a, const RootMove& b) { return a.score > b.score; });
        if (best >= kWonScore || best <= -kWonScore) break;
        const double now = clock_();
        depthSeconds.push_back(now - depthStart);
        if (settings_.budgetSeconds > 0 &&
            now - start + depthSeconds.back() * expectedGrowth(depthSeconds) > settings_.budgetSeconds)
            break;
    }
    if (stopped_ && cancel_ && cancel_->load()) result.cancelled = true;
    if (result.cancelled) result.hasMove = false;
    result.nodes = nodes_;
    return result;
}

// The original computer, one jump at a time as the game plays it, until the
// turn passes.
LevelResult classicMove(const std::atomic<bool>* cancel) {
    LevelResult result;
    const Side mover = sideToMove;
    HistoryRecord records[kMaxWholeMoveJumps];
    int steps = 0;
    clearCandidates();
    while (steps < kMaxWholeMoveJumps) {
        if (cancel && cancel->load()) {
            result.cancelled = true;
            break;
        }
        searchMoves(0, mover);
        restoreRootPosition();
        if (computerActive != 1) break;
        const CandidateMove c = candidates[bestCandidate()];
        clearCandidates();
        rootListFilled = 0;
        const MoveKind kind = isLegalMove(c.fromFile, c.fromRank, c.toFile, c.toRank, pieceAt(c.fromFile, c.fromRank));
        if (kind == kIllegal) break;
        playLegalMove(c.fromFile, c.fromRank, c.toFile, c.toRank, kind, records[steps++]);
        if (sideToMove != mover || continuationSquare == Square{}) break;
    }
    clearCandidates();
    rootListFilled = 0;
    if (steps > 0 && !result.cancelled) {
        result.hasMove = true;
        result.move = wholeMoveFromRecords(records, steps);
    }
    return result;
}

LevelResult searchWith(const LevelRequest& request, LevelSettings settings, const std::atomic<bool>* cancel) {
    double (*clock)() = request.clock ? request.clock : steadySeconds;
    const double start = clock();
    PositionScope scope(request.position);
    if (request.level == Level::Classic) return classicMove(cancel);
    if (request.budgetSeconds > 0) settings.budgetSeconds = request.budgetSeconds;
    if (request.fixedDepth > 0) {
        settings.maxDepth = request.fixedDepth;
        settings.budgetSeconds = 0;
    }
    Searcher searcher(settings, request.seed, cancel, request.earlierPositions, request.drawCounts, clock);
    return searcher.run(start, request.valueOnlyMove);
}

}  // namespace

LevelResult searchLevel(const LevelRequest& request, const std::atomic<bool>* cancel) {
    LevelSettings settings = levelSettings(request.level);
    if (request.bestOnly) settings.varietyMargin = 0;
    return searchWith(request, settings, cancel);
}

LevelRequest requestForGame(const GameJudge& judge) {
    LevelRequest request;
    request.position = judge.repeatable().back();
    for (const Position& p : judge.repeatable()) request.earlierPositions.push_back(positionKey(p));
    request.drawCounts = judge.counts();
    return request;
}

WholeMove hintMove(const Position& position) {
    LevelRequest request;
    request.position = position;
    request.level = Level::Club;
    request.bestOnly = true;
    const LevelResult result = searchLevel(request, nullptr);
    return result.hasMove ? result.move : WholeMove{};
}

std::uint64_t positionKey(const Position& position) {
    std::uint64_t key = position.side == 2 ? kKeys.side2 : 0;
    for (int f = 1; f <= 8; ++f)
        for (int r = 1; r <= 8; ++r)
            if (position.cells[f][r] != kEmpty) key ^= kKeys.piece[squareIndex(f, r)][pieceSlot(position.cells[f][r])];
    return key;
}
