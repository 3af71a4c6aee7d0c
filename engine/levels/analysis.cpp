#include "engine/levels/analysis.h"

#include <algorithm>
#include <utility>

#include "engine/levels/searcher.h"
#include "engine/rules/game_end.h"

namespace {

// One position to judge: its search with the game's past, or how the game
// stands there when it is over.
struct PositionJob {
    LevelRequest request;
    EndReason ended = EndReason::None;
};

// The game replayed from its start on the calling thread's own position, one
// job for each position up to the end of the game or the first move that is not
// legal.
std::vector<PositionJob> positionJobs(const AnalysisRequest& request) {
    std::vector<PositionJob> jobs;
    GameJudge judge(request.start);
    const PositionScope scope(request.start);
    auto addJob = [&] {
        PositionJob job;
        job.request = requestForGame(judge);
        job.request.level = Level::Strong;
        job.request.bestOnly = true;
        job.request.valueOnlyMove = true;
        job.request.budgetSeconds = request.secondsPerPosition;
        job.request.fixedDepth = request.fixedDepth;
        job.ended = judge.reason();
        jobs.push_back(std::move(job));
    };
    addJob();
    HistoryRecord records[kMaxWholeMoveJumps];
    for (const WholeMove& move : request.moves) {
        if (judge.ended() || !playWholeMove(move, records).complete) break;
        judge.play(move, currentPosition());
        addJob();
    }
    return jobs;
}

PositionVerdict judgePosition(const PositionJob& job, const std::atomic<bool>* cancel, bool& cancelled) {
    PositionVerdict verdict;
    verdict.sideToMove = job.request.position.side;
    if (job.ended == EndReason::NoMove) {
        verdict.value = -kLevelWinScore;
        return verdict;
    }
    if (job.ended != EndReason::None) return verdict;  // a draw by the rules
    const LevelResult result = searchLevel(job.request, cancel);
    cancelled = result.cancelled;
    if (!result.hasMove) {
        if (!result.cancelled) verdict.value = -kLevelWinScore;
        return verdict;
    }
    verdict.value = result.score;
    verdict.best = result.move;
    verdict.depth = result.depth;
    return verdict;
}

int threadsFor(const AnalysisRequest& request, std::size_t jobs) {
    int threads = request.threads;
    if (threads <= 0) threads = static_cast<int>(std::thread::hardware_concurrency());
    threads = std::clamp(threads, 1, kMostAnalysisThreads);
    return std::min<int>(threads, static_cast<int>(std::max<std::size_t>(jobs, 1)));
}

}  // namespace

MoveVerdict moveVerdict(const GameAnalysis& analysis, std::size_t ply, const WholeMove& played) {
    MoveVerdict verdict;
    if (ply + 1 >= analysis.positions.size()) return verdict;
    const PositionVerdict& before = analysis.positions[ply];
    const PositionVerdict& after = analysis.positions[ply + 1];
    if (before.best.squareCount == 0 || before.best.samePath(played)) return verdict;
    // The side that moved is worth -after.value after its move, against before.value with the best.
    verdict.loss = std::max(0, before.value + after.value);
    verdict.mark = verdict.loss >= kBlunderLoss   ? MoveMark::Blunder
                   : verdict.loss >= kMistakeLoss ? MoveMark::Mistake
                                                  : MoveMark::None;
    return verdict;
}

const char* moveMarkText(MoveMark mark) {
    switch (mark) {
        case MoveMark::Mistake: return "?";
        case MoveMark::Blunder: return "??";
        case MoveMark::None: break;
    }
    return "-";
}

int valueFor(const GameAnalysis& analysis, std::size_t index, Side side) {
    const PositionVerdict& verdict = analysis.positions.at(index);
    return verdict.sideToMove == side ? verdict.value : -verdict.value;
}

int analysisPositionCount(const AnalysisRequest& request) { return static_cast<int>(positionJobs(request).size()); }

GameAnalysis analyseGame(const AnalysisRequest& request, const std::atomic<bool>* cancel, std::atomic<int>* done) {
    const std::vector<PositionJob> jobs = positionJobs(request);
    GameAnalysis analysis;
    analysis.positions.resize(jobs.size());
    std::atomic<std::size_t> next{0};
    std::atomic<bool> cancelled{false};
    // Each thread takes the next position not yet taken until none is left.
    auto work = [&] {
        for (std::size_t i = next++; i < jobs.size(); i = next++) {
            bool stopped = cancelled.load() || (cancel && cancel->load());
            if (!stopped) analysis.positions[i] = judgePosition(jobs[i], cancel, stopped);
            if (stopped) {
                cancelled = true;
                return;
            }
            if (done) ++*done;
        }
    };
    std::vector<std::thread> helpers;
    for (int t = 1; t < threadsFor(request, jobs.size()); ++t) helpers.emplace_back(work);
    work();
    for (std::thread& helper : helpers) helper.join();
    analysis.complete = !cancelled.load();
    return analysis;
}

AnalysisRun::~AnalysisRun() { cancel(); }

void AnalysisRun::start(AnalysisRequest request) {
    cancel();
    stop_ = false;
    done_ = 0;
    total_ = analysisPositionCount(request);
    busy_ = true;
    thread_ = std::thread([this, request = std::move(request)] {
        GameAnalysis result = analyseGame(request, &stop_, &done_);
        std::lock_guard<std::mutex> lock(mutex_);
        result_ = std::move(result);
    });
}

bool AnalysisRun::poll(GameAnalysis& result) {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        if (!result_) return false;
        result = std::move(*result_);
        result_.reset();
    }
    if (thread_.joinable()) thread_.join();
    busy_ = false;
    return true;
}

void AnalysisRun::cancel() {
    stop_ = true;
    if (thread_.joinable()) thread_.join();
    std::lock_guard<std::mutex> lock(mutex_);
    result_.reset();
    busy_ = false;
}
