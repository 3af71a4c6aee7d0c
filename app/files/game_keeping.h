#pragma once
// Keeping the game being played: every game is kept as a PDN record in the
// games folder (app/files/game_files.h) while it is played, never losing a completed
// move. The record mirrors the game's line: a whole move played (the player's
// or the computer's) is added, a move taken back is removed, the end writes the
// result, and a game left unfinished (Escape, the window closed) says so. Each
// change replaces the file whole, so a crash keeps every move up to the last.
// A write that fails is said once on standard error and the game goes on.
//
// The play screen hands over the game's line after every play frame; the start
// menu and the command line take a kept or recorded game up again here, which
// sets the live game from its record. No SDL, no GL.

#include <cstdint>
#include <optional>
#include <string>

#include "engine/records/game_record.h"

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

// Where records are written (the games folder), and where the latest record is
// read from, once, for "Continue the game". "" (the start) keeps no files.
void keepGamesIn(const std::string& folder);
// Whether the latest game has no result and can be continued.
bool canContinueGame();

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
std::optional<std::uint64_t> keptGameSeed();

// The file the followed game is written to ("" before it has one).
const std::string& keptGamePath();
