#include "engine/levels/level_search.h"

#include <utility>

LevelSearch::~LevelSearch() { cancel(); }

void LevelSearch::start(const Position& position, Level level, std::uint64_t seed, bool bestOnly) {
    LevelRequest request;
    request.position = position;
    request.level = level;
    request.seed = seed;
    request.bestOnly = bestOnly;
    start(std::move(request));
}

void LevelSearch::start(LevelRequest request) {
    cancel();
    stop_ = false;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        done_.reset();
    }
    busy_ = true;
    thread_ = std::thread([this, request] {
        LevelResult result = searchLevel(request, &stop_);
        std::lock_guard<std::mutex> lock(mutex_);
        done_ = std::move(result);
    });
}

bool LevelSearch::poll(LevelResult& result) {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        if (!done_) return false;
        result = *done_;
        done_.reset();
    }
    join();
    busy_ = false;
    return true;  // a cancelled search's result never gets here: cancel() drops it
}

void LevelSearch::cancel() {
    stop_ = true;
    join();
    std::lock_guard<std::mutex> lock(mutex_);
    done_.reset();
    busy_ = false;
}

void LevelSearch::join() {
    if (thread_.joinable()) thread_.join();
}
