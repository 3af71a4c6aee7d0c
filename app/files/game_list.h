#pragma once
// The list of the games kept in the games folder (app/files/game_files.h), as
// the "Your games" screen shows it: one entry a record, newest first, with what
// its tags and its moves as written say. The folder is read once, each record
// only split (engine/records/pdn_syntax.h), not replayed, so that hundreds of
// records list at once; a record that cannot be read is listed with the
// reason and never stops the list. No SDL, no GL.

#include <ctime>
#include <string>
#include <vector>

#include "engine/records/game_record.h"

struct KeptGameEntry {
    std::string path;
    // When the game started (from the record's name) and its copy number in that second.
    std::time_t start = 0;
    int copy = 1;
    // Its first game could be split; otherwise `error` says why not.
    bool readable = false;
    std::string error;
    // Both sides named human: two players at one board; both named program:
    // the computer against itself.
    bool twoPlayers = false;
    bool watched = false;
    // The player's colour: the side the record names human (White when it names none, or both).
    bool playerWhite = true;
    // The computer's level as the record names it ("Club"), or its name as written.
    std::string opponent;
    GameResult result = GameResult::Unfinished;
    std::string termination;  // as written ("No move", "Abandoned", ...)
    int plies = 0;            // whole moves of either side, as written
};

// Every record in `folder`, newest first (by the start time its name gives).
std::vector<KeptGameEntry> listKeptGames(const std::string& folder);
// The entry of one record's bytes (the folder's listing reads each file and calls this).
KeptGameEntry keptGameEntry(const std::string& bytes);
