#pragma once
// A level's search on a thread of its own, so that the window goes on drawing
// frames while the computer thinks. The search works on a copy of the position
// it was given (engine/levels/searcher.h) and shares nothing else with the
// caller: the request is copied in, the result is handed over under a lock,
// and the stop flag is atomic.
//
//   LevelSearch search;
//   search.start(currentPosition(), Level::Expert, seed);   (or a LevelRequest)
//   ... every frame: LevelResult r; if (search.poll(r)) { play r.move; }
//   ... Escape or take-back: search.cancel();

#include <atomic>
#include <cstdint>
#include <mutex>
#include <optional>
#include <thread>

#include "engine/levels/searcher.h"

class LevelSearch {
public:
    LevelSearch() = default;
    // Cancels a search still running and waits for its thread.
    ~LevelSearch();
    LevelSearch(const LevelSearch&) = delete;
    LevelSearch& operator=(const LevelSearch&) = delete;

    // Starts searching `position` at `level` (a search still running is
    // cancelled first); `bestOnly` as in LevelRequest.
    void start(const Position& position, Level level, std::uint64_t seed, bool bestOnly = false);
    // The same for a whole request: a game's search gives its past
    // (requestForGame), so that the level sees repetitions and draw counts.
    void start(LevelRequest request);
    // Without waiting: true once the search has finished, with its result
    // (given once; a cancelled search gives none).
    bool poll(LevelResult& result);
    // True from start until the result has been taken or the search cancelled.
    bool busy() const { return busy_; }
    // Stops the search at once and waits for its thread (about a millisecond;
    // classic finishes the jump it is searching, at most some milliseconds).
    void cancel();

private:
    void join();

    std::thread thread_;
    std::atomic<bool> stop_{false};
    std::mutex mutex_;
    std::optional<LevelResult> done_;  // under mutex_
    bool busy_ = false;
};
