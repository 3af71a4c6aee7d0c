#pragma once
// The games folder: every game the player starts is kept there as one PDN file
// named by its start time in UTC ("2026-12-08_14-05-33Z.pdn"; a second game
// started in the same second gets "_2" and so on), rewritten whole after every
// move with writeFileAtomically (app/files/user_files.h). The latest file tells
// whether the last game was left without a result, for "Continue the game";
// names in UTC keep their order when the time zone or summer time changes.
// Names of earlier versions, in local time without the "Z", are still found,
// read as this zone's time. No SDL, no GL.

#include <cstddef>
#include <ctime>
#include <string>

#include "engine/records/game_record.h"
#include "engine/records/pdn_read.h"

// PDN files larger than this are refused before any of them is read.
constexpr std::size_t kMaxPdnFileBytes = std::size_t(8) << 20;

// The bytes of the PDN file at `path`, read with readFileBounded
// (app/files/user_files.h); false, with `error` saying what kept the file from
// being read ("cannot open it: ...", "it is not a regular file", "it is larger
// than the 8 MiB a PDN file may have").
bool readGamesFileBytes(const std::string& path, std::string& bytes, std::string& error);
// Game `number` of the PDN file at `path` (readPdnGame: the others are only
// counted); PdnFileGame::error as readGamesFileBytes words it.
PdnFileGame readGamesFile(const std::string& path, int number = 1);

// "$XDG_DATA_HOME/draughts3d/games/" (default "~/.local/share/draughts3d/games/");
// "" when no data folder can be told.
std::string gamesFolder();

// The file name of a game started at `start` (UTC); `copy` 2, 3, ... for
// later games of the same second.
std::string gameFileName(std::time_t start, int copy = 1);

// Creates `folder` when needed and writes `content` (the new game's record) to
// a new file named by `start`, never over an existing one. Sets `path`.
bool createGameFile(const std::string& folder, std::time_t start, const std::string& content, std::string& path,
                    std::string& error);

// When the game of the record file `name` (no folder) started, and its copy
// number (1, 2, ...); false for a name that is not a record's.
bool readRecordFileName(const std::string& name, std::time_t& start, int& copy);

// The newest record in a games folder, by the start time its name gives.
struct LatestGame {
    std::string path;         // "" when the folder holds no record
    bool readable = false;    // its first game could be read whole
    bool unfinished = false;  // ... and has no result ("*"): the game can be continued
    GameRecord record;        // that game, when readable
    std::string error;        // why it could not be read, when not readable
};
LatestGame findLatestGame(const std::string& folder);
