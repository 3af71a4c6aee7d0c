#include "app/files/analysis_cache.h"

#include <cinttypes>
#include <cstdio>
#include <sstream>

#include "app/files/user_files.h"
#include "engine/levels/searcher.h"
#include "engine/rules/position_text.h"

namespace {

constexpr const char* kFirstLine = "draughts3d analysis 1";
// Far more than any kept analysis takes (a few kilobytes).
constexpr std::size_t kMostCacheBytes = std::size_t(1) << 20;

std::uint64_t mixed(std::uint64_t key, std::uint64_t value) {
    key ^= value + 0x9e3779b97f4a7c15ULL + (key << 6) + (key >> 2);
    return key;
}

std::string landings(const WholeMove& move) {
    std::string text;
    for (int i = 0; i < move.squareCount; ++i) text += squareName(move.squares[i].file, move.squares[i].rank);
    return text.empty() ? "-" : text;
}

// The game's positions, before each move and after the last, as far as the moves are legal.
std::vector<Position> gamePositions(const AnalysisRequest& request) {
    std::vector<Position> positions{request.start};
    const PositionScope scope(request.start);
    HistoryRecord records[kMaxWholeMoveJumps];
    for (const WholeMove& move : request.moves) {
        if (!playWholeMove(move, records).complete) break;
        positions.push_back(currentPosition());
    }
    return positions;
}

// The whole move of `position` whose squares are written `text` ("c3d4"); false when there is none.
bool listedMove(const Position& position, const std::string& text, WholeMove& found) {
    const PositionScope scope(position);
    for (const WholeMove& move : listWholeMoves())
        if (landings(move) == text) {
            found = move;
            return true;
        }
    return false;
}

}  // namespace

std::string analysisCachePath(const AnalysisRequest& request) {
    const std::string folder = cacheFolder();
    if (folder.empty()) return "";
    std::uint64_t key = mixed(positionKey(request.start), static_cast<std::uint64_t>(request.secondsPerPosition * 1e6));
    key = mixed(key, static_cast<std::uint64_t>(request.fixedDepth));
    for (const WholeMove& move : request.moves)
        for (int i = 0; i < move.squareCount; ++i)
            key = mixed(key, static_cast<std::uint64_t>(move.squares[i].file * 16 + move.squares[i].rank));
    char name[32];
    std::snprintf(name, sizeof name, "%016" PRIx64 ".txt", key);
    return folder + "analysis/" + name;
}

std::optional<GameAnalysis> loadAnalysis(const AnalysisRequest& request) {
    const std::string path = analysisCachePath(request);
    std::string bytes, error;
    if (path.empty() || !readFileBounded(path, kMostCacheBytes, bytes, error)) return std::nullopt;
    std::istringstream in(bytes);
    std::string line, word;
    std::size_t count = 0;
    if (!std::getline(in, line) || line != kFirstLine || !(in >> word >> count) || word != "positions")
        return std::nullopt;
    const std::vector<Position> positions = gamePositions(request);
    if (count != positions.size()) return std::nullopt;
    GameAnalysis analysis;
    for (const Position& position : positions) {
        PositionVerdict verdict;
        int side = 0;
        std::string best;
        if (!(in >> side >> verdict.value >> verdict.depth >> best) || side != position.side) return std::nullopt;
        verdict.sideToMove = position.side;
        if (best != "-" && !listedMove(position, best, verdict.best)) return std::nullopt;
        analysis.positions.push_back(verdict);
    }
    analysis.complete = true;
    return analysis;
}

bool saveAnalysis(const AnalysisRequest& request, const GameAnalysis& analysis, std::string& error) {
    const std::string path = analysisCachePath(request);
    if (path.empty() || !analysis.complete) {
        error = path.empty() ? "no cache folder" : "the analysis is not complete";
        return false;
    }
    std::string text = std::string(kFirstLine) + "\npositions " + std::to_string(analysis.positions.size()) + "\n";
    for (const PositionVerdict& verdict : analysis.positions)
        text += std::to_string(verdict.sideToMove) + ' ' + std::to_string(verdict.value) + ' ' +
                std::to_string(verdict.depth) + ' ' + landings(verdict.best) + '\n';
    return makeFolders(cacheFolder() + "analysis/", error) && writeFileAtomically(path, text, error);
}
