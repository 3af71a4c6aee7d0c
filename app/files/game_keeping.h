#pragma once
// Keeping the game being played: every game is kept as a PDN record in the
// games folder (app/files/game_files.h) while it is played, never losing a completed
// move. The record mirrors the game's line: a whole move played (the player's
// or the computer's) is added, a move taken back is removed, the end writes the
// result, and a game left unfinished (Escape, the window closed) says so. Each
// change replaces the file whole, so a crash keeps every move up to the last.
// A write that fails is said once on standard error, and keepingFault tells the
// play screen, until a write succeeds; the game goes on.
//
// The play session hands over the game's line after every play frame, and
// takes a kept or recorded game up again here, which sets the live game from
// its record. No SDL, no GL.

#include <cstddef>
#include <cstdint>
#include <ctime>
#include <optional>
#include <string>
#include <vector>

#include "engine/records/game_record.h"
#include "engine/rules/whole_moves.h"

// The game as a play frame leaves it.
struct GameLine {
    // The take-back history: the last `count` jumps of the game, after the
    // `forgotten` ones the history no longer holds.
    const HistoryRecord* records = nullptr;
    int count = 0;
    int forgotten = 0;
    // The last jump's capture must go on: that whole move is not complete yet.
    bool captureGoingOn = false;
    // The side that has won (1 is the player's), 0 while the game goes on.
    Side winner = 0;
};

// The keeping of one program's games: the games folder, the latest game found
// there, and the game being followed. The play session owns the one the game
// uses (app/screens/play_session.h); tests make their own.
class GameKeeping {
public:
    // Where records are written (the games folder), and where the latest record is
    // read from, once, for "Continue the game". "" (the start) keeps no files.
    void keepGamesIn(const std::string& folder);
    // Whether the latest game has no result and can be continued.
    bool canContinueGame() const;

    // A new game starting now from `start`: its file is made at once, with the
    // seed the computer drew for it ([Seed], levels other than classic) when given.
    void keepNewGame(Side greenSide, const Position& start, std::optional<std::uint64_t> seed = {});
    // Sets the live game from the latest record (position, side to move, the
    // player's colour, the history for take-back) and goes on writing its file.
    // False, with nothing changed, when there is no game to continue.
    bool continueLatestGame();
    // Reads game `number` (1 for the first) of the PDN file at `path` and sets the
    // live game from it, at its last position with all its moves to take back.
    // Nothing is written while the game stays on the file's line; once it leaves
    // it, a new record starts where it left (its start position written as FEN),
    // and follows the game from there. False, with the live game untouched and
    // `error` naming the file, the game, the line and the reason, when it cannot be read.
    bool openGameFile(const std::string& path, int number, std::string& error);

    // After every play frame: the record follows the game's line.
    void followGame(const GameLine& line);
    // The game is left (Escape, the window closed, or its end shown): an
    // unfinished record is marked abandoned. Nothing is followed until a game starts.
    void leaveGame();

    // The seed kept with the followed game; a game taken up again goes on with its own.
    std::optional<std::uint64_t> keptGameSeed() const;

    // The file the followed game is written to ("" before it has one).
    const std::string& keptGamePath() const;
    // Why the followed game is not being kept, as one short line for the screen
    // ("Games cannot be kept (Read-only file system): FOLDER"); "" while every
    // write succeeds.
    const std::string& keepingFault() const;

private:
    // The game being followed.
    struct KeptGame {
        bool active = false;
        // Whether it has a record yet: a game opened from a file has none while it
        // stays on the file's line.
        bool started = false;
        GameRecord record;
        std::string path;  // "" until its file is made
        std::time_t startTime = 0;
        bool failureSaid = false;
        std::string fault;  // see keepingFault
        // Every jump of the game's line since it was set up (from the record's or
        // the opened file's start), the history's forgotten ones included.
        std::vector<HistoryRecord> line;
        bool captureGoingOn = false;
        Side winner = 0;
        // The line the record starts from: a file's moves (none for a game of our
        // own) and the position before each of them and after the last.
        std::vector<WholeMove> baseMoves;
        std::vector<Position> basePositions;
        // The record starts at basePositions[branch].
        std::size_t branch = 0;
    };

    void writeRecord();
    // Starts following a game whose line so far is `line`.
    void follow(const GameRecord& record, std::vector<HistoryRecord> line, bool started);
    // Sets the live game from a game read from a file (see openGameFile).
    void openRecordedGame(const GameRecord& record);

    std::string gamesFolderPath;
    KeptGame kept;
    // The latest record, when it can be continued.
    bool latestUnfinished = false;
    GameRecord latestRecord;
    std::string latestPath;
};
