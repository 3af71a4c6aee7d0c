#pragma once
// Reading PDN text: every game of a file's bytes becomes a whole game record or
// a clear reason why it cannot be one, never a part of a game passed off as the
// whole. (The engine reads no files: the program hands it the bytes.)
// Each move is replayed against the rules; a capture written from/to only
// ("c3:e5" for c3:e5:g3) is the one legal whole move it can mean, and a written
// move that could mean two is refused. A FEN may use algebraic squares or
// numbers; numbers are read under both numberings used for the 8x8 board
// (1 = b8 .. 32 = g1, White on 21-32; and the same turned, White on 1-12), and
// the one under which the moves are legal is kept.
//
// The player of a game read from a file is the side it names human (White
// when it names none, or both): the record's greenSide is 2 when that is Black.

#include <functional>
#include <string>
#include <vector>

#include "engine/records/game_record.h"

// One game of a file: a whole record, or where and why it cannot be read.
struct PdnGame {
    int number = 0;  // 1 for the file's first game
    int line = 0;    // the line it begins on
    bool ok = false;
    GameRecord record;  // only when ok
    // When not ok: the line of the fault (the game's line when none fits better) and the reason.
    int errorLine = 0;
    std::string error;
    // Where the last move leaves the game, as PDN sees it (White is side 1); only when ok.
    Position finalPosition;
};

// The games of a file's bytes, read and handed to `visit` one at a time, so that
// only one game is held however many the file has. Returns how many there were
// (none: the file has no game). The live game (board, side to move,
// continuation) is left as it was.
int readPdnGames(const std::string& bytes, const std::function<void(const PdnGame&)>& visit);

// Game `number` of a file (1 for the first), the file's other games only counted.
struct PdnFileGame {
    // Set when the file as a whole cannot be read (no game in it; the reader of
    // the file adds missing, too large and the like).
    std::string error;
    int gameCount = 0;
    bool found = false;  // the file has game `number`
    PdnGame game;        // that game, when found
};
// Only the game asked for is replayed against the rules. The live game is left as it was.
PdnFileGame readPdnGame(const std::string& bytes, int number);

// Every game of a text at once, for a text known to be small (a record the game
// wrote, a test's).
struct PdnFile {
    std::string error;  // "no game in the file"; `games` is then empty
    std::vector<PdnGame> games;
};
PdnFile readPdnText(const std::string& bytes);

// One line for the player: "FILE: game 2, line 14: c3-d5 is not a legal move for White".
std::string pdnGameError(const std::string& fileName, const PdnGame& game);
