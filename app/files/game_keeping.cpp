#include "app/files/game_keeping.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <vector>

#include "app/files/game_files.h"
#include "app/files/seats.h"
#include "app/files/user_files.h"
#include "engine/records/pdn_read.h"
#include "engine/records/pdn_write.h"
#include "engine/records/quoted_text.h"
#include "engine/game/turn.h"
#include "engine/rules/translation.h"
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

// The side of the game (1 is the player's) that a result says has won; 0 for none.
Side winnerOf(GameResult result, Side greenSide) {
    if (result == GameResult::WhiteWins) return greenSide;
    if (result == GameResult::BlackWins) return otherSide(greenSide);
    return 0;
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
        std::fprintf(stderr, tr("draughts3d: the game cannot be kept in %s: %s\n"), gamesFolderPath.c_str(),
                     error.c_str());
        kept.failureSaid = true;
    }
    // The reason first, as the files' errors end ("...: Read-only file system"):
    // a long folder may run off the screen.
    const std::size_t colon = error.rfind(": ");
    const std::string reason = colon == std::string::npos ? error : error.substr(colon + 2);
    kept.fault =
        written ? "" : formatText(tr("Games cannot be kept (%s): %s"), reason.c_str(), gamesFolderPath.c_str());
}

void GameKeeping::follow(const GameRecord& record, const Position& start, std::vector<HistoryRecord> line,
                         bool started) {
    kept = KeptGame{};
    kept.active = true;
    kept.started = started;
    kept.record = record;
    kept.startTime = std::time(nullptr);
    kept.line = std::move(line);
    kept.lineStart = start;
}

void GameKeeping::openRecordedGame(const GameRecord& record, std::optional<Level> menuLevel) {
    GameRecord played = record;
    std::vector<Position> positions;
    std::vector<HistoryRecord> line = putOnBoard(played, &positions);
    const Seats seats = againstComputer(levelNamed(computerName(record), menuLevel));
    follow(seatedRecord(played.greenSide, played.start, std::time(nullptr), seats), positions.front(), std::move(line),
           false);
    kept.seats = seats;
    kept.baseMoves = played.moves;
    kept.basePositions = positions;
    // A file's end holds only at the end of its moves, all of them read.
    if (played.moves.size() == record.moves.size()) {
        kept.baseResult = record.result;
        kept.baseTermination = parseTermination(record.termination);
    }
}

void GameKeeping::keepGamesIn(const std::string& folder) {
    gamesFolderPath = folder;
    latestUnfinished = false;
    if (folder.empty()) return;
    const LatestGame latest = findLatestGame(folder);
    if (!latest.error.empty())
        std::fprintf(stderr, tr("draughts3d: the last game cannot be continued: %s\n"), latest.error.c_str());
    latestUnfinished = latest.readable && latest.unfinished;
    latestRecord = latest.record;
    latestPath = latest.path;
}

bool GameKeeping::canContinueGame() const { return latestUnfinished; }

void GameKeeping::keepNewGame(Side greenSide, const Position& start, std::optional<std::uint64_t> seed,
                              std::optional<Level> level) {
    keepNewGame(greenSide, start, seed, againstComputer(level));
}

void GameKeeping::keepNewGame(Side greenSide, const Position& start, std::optional<std::uint64_t> seed,
                              const Seats& seats) {
    GameRecord record = seatedRecord(greenSide, start, std::time(nullptr), seats);
    record.seed = seed;
    follow(record, record.start, {}, true);
    kept.seats = seats;
    writeRecord();
}

bool GameKeeping::continueLatestGame(std::optional<Level> menuLevel) {
    if (!latestUnfinished) return false;
    GameRecord record = latestRecord;
    record.termination.clear();
    std::vector<HistoryRecord> line = putOnBoard(record, nullptr);
    follow(record, record.start, std::move(line), true);
    kept.seats = seatsOfRecord(record, menuLevel);
    kept.path = latestPath;
    return true;
}

bool GameKeeping::openGameFile(const std::string& path, int number, std::string& error,
                               std::optional<Level> menuLevel) {
    const PdnFileGame file = readGamesFile(path, number);
    const std::string shownPath = excerpt(path, kPathExcerptCharacters);
    if (!file.error.empty()) {
        error = shownPath + ": " + file.error;
        return false;
    }
    if (!file.found) {
        error =
            formatText(trn("%s: there is no game %d (the file holds %d)", "%s: there is no game %d (the file holds %d)",
                           static_cast<unsigned long>(file.gameCount)),
                       shownPath.c_str(), number, file.gameCount);
        return false;
    }
    if (!file.game.ok) {
        error = pdnGameError(shownPath, file.game);
        return false;
    }
    openRecordedGame(file.game.record, menuLevel);
    return true;
}

void GameKeeping::followGame(const GameLine& game) {
    if (!kept.active) return;
    const std::size_t forgotten = std::min(kept.line.size(), static_cast<std::size_t>(std::max(game.forgotten, 0)));
    const std::size_t count = static_cast<std::size_t>(std::max(game.count, 0));
    const bool sameLine =
        kept.line.size() == forgotten + count &&
        (count == 0 || std::memcmp(&kept.line[forgotten], game.records, count * sizeof(HistoryRecord)) == 0);
    // A judged line is judged once at least.
    if (sameLine && kept.captureGoingOn == game.captureGoingOn && kept.winner == game.winner &&
        kept.judge.has_value() == game.judged)
        return;
    kept.line.resize(forgotten);
    kept.line.insert(kept.line.end(), game.records, game.records + count);
    kept.captureGoingOn = game.captureGoingOn;
    kept.winner = game.winner;
    kept.judged = game.judged;
    // An end the player made was made on the line as it was.
    if (!sameLine) kept.act = Termination::None;
    update();
}

void GameKeeping::endByPlayer(Termination how, Side resigning) {
    if (!kept.active || kept.end.over || (how != Termination::Resignation && how != Termination::DrawAgreed)) return;
    kept.act = how;
    kept.actBy = resigning;
    update();
}

void GameKeeping::seatOpenedGame(const Seats& seats) {
    if (!kept.active || kept.started) return;
    kept.seats = seats;
}

void GameKeeping::update() {
    const std::vector<WholeMove> moves = lineMoves(kept.line, kept.captureGoingOn);
    // How far the line goes along the file's (or its own start's) moves.
    std::size_t common = 0;
    while (common < moves.size() && common < kept.baseMoves.size() && moves[common].samePath(kept.baseMoves[common]))
        ++common;
    if (kept.judged)
        judgeLine(moves);
    else
        kept.judge.reset();
    kept.end = endOfLine(moves, common);
    recordLine(moves, common);
}

void GameKeeping::judgeLine(const std::vector<WholeMove>& moves) {
    std::size_t judged = kept.judgedMoves.size();
    if (!kept.judge || judged > moves.size() || !sameMoves(moves.data(), kept.judgedMoves.data(), judged)) {
        kept.judge.emplace(kept.lineStart);
        kept.judgedMoves.clear();
        kept.judgedAt = kept.lineStart;
        judged = 0;
    }
    if (judged == moves.size()) return;
    const PositionScope scope(kept.judgedAt);
    for (std::size_t i = judged; i < moves.size(); ++i) {
        HistoryRecord jumps[kMaxWholeMoveJumps];
        playWholeMove(moves[i], jumps);
        kept.judge->play(moves[i], currentPosition());
    }
    kept.judgedAt = currentPosition();
    kept.judgedMoves = moves;
}

GameEnd GameKeeping::endOfLine(const std::vector<WholeMove>& moves, std::size_t common) const {
    GameEnd end;
    if (kept.act != Termination::None) {
        end.over = true;
        end.why = kept.act;
        end.winner = kept.act == Termination::Resignation ? otherSide(kept.actBy) : 0;
    } else if (!kept.judged) {
        // Classic mode: a side that cannot move has lost, as the winner's picture shows.
        end.over = kept.winner != 0;
        end.winner = kept.winner;
    } else if (kept.judge && kept.judge->ended()) {
        end.over = true;
        end.why = terminationFor(kept.judge->reason());
        end.winner = kept.judge->winner();
    } else if (kept.baseResult != GameResult::Unfinished && !kept.captureGoingOn && common == kept.baseMoves.size() &&
               moves.size() == common) {
        end.over = true;
        end.why = kept.baseTermination;
        end.winner = winnerOf(kept.baseResult, kept.record.greenSide);
        end.result = kept.baseResult;
        end.fromFile = true;
        return end;
    }
    if (end.over) end.result = end.winner ? resultForWinner(kept.record, end.winner) : GameResult::Draw;
    return end;
}

void GameKeeping::recordLine(const std::vector<WholeMove>& moves, std::size_t common) {
    bool restarted = false;
    const bool leavesBase = moves.size() > common;
    if (!kept.started) {
        if (!leavesBase) return;
        kept.started = true;
        kept.branch = common;
        kept.startTime = std::time(nullptr);
        kept.record = seatedRecord(kept.record.greenSide, kept.basePositions[common], kept.startTime, kept.seats);
    } else if (common < kept.branch) {
        // Back before where the record starts (on the file's line, or off it
        // again): the record starts anew from here.
        kept.branch = common;
        kept.record.start = kept.basePositions[common];
        kept.record.moves.clear();
        restarted = true;
    }

    const std::size_t own = moves.size() > kept.branch ? moves.size() - kept.branch : 0;
    // The end is written but for an opened file's own; classic mode names no reason.
    const bool ended = kept.end.over && !kept.end.fromFile;
    const GameResult result = ended ? kept.end.result : GameResult::Unfinished;
    const std::string termination = ended ? terminationText(kept.end.why) : "";
    if (!restarted && own == kept.record.moves.size() && result == kept.record.result &&
        termination == kept.record.termination && sameMoves(moves.data() + kept.branch, kept.record.moves.data(), own))
        return;
    kept.record.moves.assign(moves.begin() + static_cast<std::ptrdiff_t>(moves.size() - own), moves.end());
    kept.record.result = result;
    kept.record.termination = termination;
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

const GameEnd& GameKeeping::gameEnd() const {
    static const GameEnd goingOn;
    return kept.active ? kept.end : goingOn;
}

const GameJudge* GameKeeping::gameJudge() const { return kept.active && kept.judge ? &*kept.judge : nullptr; }

bool GameKeeping::openedGameUnplayed() const { return kept.active && !kept.started; }

std::optional<Level> GameKeeping::keptGameLevel() const { return kept.seats.side[2].level; }

const std::string& GameKeeping::keptGamePath() const { return kept.path; }

const std::string& GameKeeping::keepingFault() const { return kept.fault; }

std::optional<std::uint64_t> GameKeeping::keptGameSeed() const { return kept.record.seed; }
