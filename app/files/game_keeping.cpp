#include "app/files/game_keeping.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <vector>

#include "app/files/game_files.h"
#include "app/files/user_files.h"
#include "engine/records/pdn_read.h"
#include "engine/records/pdn_write.h"
#include "engine/records/quoted_text.h"
#include "engine/game/turn.h"
#include "engine/rules/whole_moves.h"

namespace {

// The complete whole moves of a line whose last capture may still go on.
std::vector<WholeMove> lineMoves(const std::vector<HistoryRecord>& line, bool captureGoingOn) {
    std::vector<HistorySpan> spans = wholeMoveSpans(line.data(), static_cast<int>(line.size()));
    if (captureGoingOn && !spans.empty()) spans.pop_back();
    std::vector<WholeMove> moves;
    for (const HistorySpan& span : spans) moves.push_back(wholeMoveFromRecords(&line[span.first], span.count));
    return moves;
}

bool sameMoves(const WholeMove* a, const WholeMove* b, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i)
        if (!a[i].samePath(b[i])) return false;
    return true;
}

// Sets the live game from a record: its position after every move, the
// player's colour, the history. Returns the jumps played and, in `positions`,
// the position before each whole move and after the last.
std::vector<HistoryRecord> putOnBoard(GameRecord& record, std::vector<Position>* positions) {
    greenSide = record.greenSide;
    resetGame();
    std::vector<HistoryRecord> line;
    record.moves.resize(static_cast<std::size_t>(playRecord(record, &line, positions)));
    setHistory(line.data(), static_cast<int>(line.size()));
    return line;
}

}  // namespace

void GameKeeping::writeRecord() {
    if (gamesFolderPath.empty()) return;
    const std::string text = pdnText(kept.record);
    std::string error;
    bool written;
    if (kept.path.empty()) {
        written = createGameFile(gamesFolderPath, kept.startTime, text, kept.path, error);
        if (!written) kept.path.clear();
    } else {
        written = writeFileAtomically(kept.path, text, error);
    }
    if (!written && !kept.failureSaid) {
        std::fprintf(stderr, "draughts3d: the game cannot be kept in %s: %s\n", gamesFolderPath.c_str(), error.c_str());
        kept.failureSaid = true;
    }
    // The reason first, as the files' errors end ("...: Read-only file system"):
    // a long folder may run off the screen.
    const std::size_t colon = error.rfind(": ");
    const std::string reason = colon == std::string::npos ? error : error.substr(colon + 2);
    kept.fault = written ? "" : "Games cannot be kept (" + reason + "): " + gamesFolderPath;
}

// Starts following a game whose line so far is `line`.
void GameKeeping::follow(const GameRecord& record, std::vector<HistoryRecord> line, bool started) {
    kept = KeptGame{};
    kept.active = true;
    kept.started = started;
    kept.record = record;
    kept.startTime = std::time(nullptr);
    kept.line = std::move(line);
}

void GameKeeping::openRecordedGame(const GameRecord& record) {
    GameRecord played = record;
    std::vector<Position> positions;
    std::vector<HistoryRecord> line = putOnBoard(played, &positions);
    follow(newGameRecord(played.greenSide, played.start, std::time(nullptr)), std::move(line), false);
    kept.baseMoves = played.moves;
    kept.basePositions = positions;
}

void GameKeeping::keepGamesIn(const std::string& folder) {
    gamesFolderPath = folder;
    latestUnfinished = false;
    if (folder.empty()) return;
    const LatestGame latest = findLatestGame(folder);
    if (!latest.error.empty())
        std::fprintf(stderr, "draughts3d: the last game cannot be continued: %s\n", latest.error.c_str());
    latestUnfinished = latest.readable && latest.unfinished;
    latestRecord = latest.record;
    latestPath = latest.path;
}

bool GameKeeping::canContinueGame() const { return latestUnfinished; }

void GameKeeping::keepNewGame(Side greenSide, const Position& start, std::optional<std::uint64_t> seed) {
    GameRecord record = newGameRecord(greenSide, start, std::time(nullptr));
    record.seed = seed;
    follow(record, {}, true);
    writeRecord();
}

bool GameKeeping::continueLatestGame() {
    if (!latestUnfinished) return false;
    GameRecord record = latestRecord;
    record.termination.clear();
    std::vector<HistoryRecord> line = putOnBoard(record, nullptr);
    follow(record, std::move(line), true);
    kept.path = latestPath;
    return true;
}

bool GameKeeping::openGameFile(const std::string& path, int number, std::string& error) {
    const PdnFileGame file = readGamesFile(path, number);
    const std::string shownPath = excerpt(path, kPathExcerptCharacters);
    if (!file.error.empty()) {
        error = shownPath + ": " + file.error;
        return false;
    }
    if (!file.found) {
        error = shownPath + ": there is no game " + std::to_string(number) + " (the file holds " +
                std::to_string(file.gameCount) + ")";
        return false;
    }
    if (!file.game.ok) {
        error = pdnGameError(shownPath, file.game);
        return false;
    }
    openRecordedGame(file.game.record);
    return true;
}

void GameKeeping::followGame(const GameLine& game) {
    if (!kept.active) return;
    const std::size_t forgotten = std::min(kept.line.size(), static_cast<std::size_t>(std::max(game.forgotten, 0)));
    const std::size_t count = static_cast<std::size_t>(std::max(game.count, 0));
    const bool sameLine =
        kept.line.size() == forgotten + count &&
        (count == 0 || std::memcmp(&kept.line[forgotten], game.records, count * sizeof(HistoryRecord)) == 0);
    if (sameLine && kept.captureGoingOn == game.captureGoingOn && kept.winner == game.winner) return;
    kept.line.resize(forgotten);
    kept.line.insert(kept.line.end(), game.records, game.records + count);
    kept.captureGoingOn = game.captureGoingOn;
    kept.winner = game.winner;

    const std::vector<WholeMove> moves = lineMoves(kept.line, kept.captureGoingOn);
    // How far the line goes along the file's (or its own start's) moves.
    std::size_t common = 0;
    while (common < moves.size() && common < kept.baseMoves.size() && moves[common].samePath(kept.baseMoves[common]))
        ++common;
    const bool leavesBase = moves.size() > common;
    bool restarted = false;
    if (!kept.started) {
        if (!leavesBase) return;
        kept.started = true;
        kept.branch = common;
        kept.startTime = std::time(nullptr);
        kept.record = newGameRecord(kept.record.greenSide, kept.basePositions[common], kept.startTime);
    } else if (common < kept.branch) {
        // Back before where the record starts (on the file's line, or off it
        // again): the record starts anew from here.
        kept.branch = common;
        kept.record.start = kept.basePositions[common];
        kept.record.moves.clear();
        restarted = true;
    }

    const std::size_t own = moves.size() > kept.branch ? moves.size() - kept.branch : 0;
    const GameResult result = game.winner ? resultForWinner(kept.record, game.winner) : GameResult::Unfinished;
    if (!restarted && own == kept.record.moves.size() && result == kept.record.result &&
        sameMoves(moves.data() + kept.branch, kept.record.moves.data(), own))
        return;
    kept.record.moves.assign(moves.begin() + static_cast<std::ptrdiff_t>(moves.size() - own), moves.end());
    kept.record.result = result;
    if (game.winner) kept.record.termination.clear();
    writeRecord();
}

void GameKeeping::leaveGame() {
    if (!kept.active) return;
    kept.active = false;
    if (!kept.started) return;
    if (kept.record.result == GameResult::Unfinished) {
        markAbandoned(kept.record);
        writeRecord();
    }
    latestUnfinished = kept.record.result == GameResult::Unfinished;
    latestRecord = kept.record;
    latestPath = kept.path;
}

const std::string& GameKeeping::keptGamePath() const { return kept.path; }

const std::string& GameKeeping::keepingFault() const { return kept.fault; }

std::optional<std::uint64_t> GameKeeping::keptGameSeed() const { return kept.record.seed; }
