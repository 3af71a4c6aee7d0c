#pragma once
// Who plays each side of a game: a person, or the computer at a level. Against
// the computer the player sits on side 1 (the near side) and the computer on
// side 2; in Two players a person sits on each side; when the computer plays
// itself it has a level on each. The record names both players and says which
// are programs, so a game taken up again is played as it was.

#include <optional>
#include <string>

#include "engine/levels/levels.h"
#include "engine/records/game_record.h"

// One side's player.
struct Seat {
    // The computer plays this side; otherwise a person does.
    bool computer = false;
    // The computer's level; none for classic mode's computer.
    std::optional<Level> level;
    // A person's name in the record ("Player", "Green", a name from the settings).
    std::string name;
};

struct Seats {
    // [1] and [2], by side; [0] unused.
    Seat side[3];
    // A person on each side.
    bool twoPlayers() const { return !side[1].computer && !side[2].computer; }
    // The computer on each side.
    bool watched() const { return side[1].computer && side[2].computer; }
};

// The player on side 1 ("Player") against the computer at `level` (none:
// classic mode's computer).
Seats againstComputer(std::optional<Level> level);
// Two people: green's and pink's names, green on `greenSide`.
Seats twoPlayersSeats(Side greenSide, const std::string& greenName, const std::string& pinkName);
// The computer on both sides, green on `greenSide`.
Seats watchSeats(Side greenSide, Level greenLevel, Level pinkLevel);

// How a record names a seat: the person's name, or the computer with its level
// ("draughts3d Club"; plain "draughts3d" for classic mode's computer).
std::string recordName(const Seat& seat);
// The level a record's name gives the computer ("draughts3d Club"), or `otherwise`.
std::optional<Level> levelNamed(const std::string& name, std::optional<Level> otherwise);
// A new record for a game starting at `startTime` in `start`, naming the seats
// as White (the green side) and Black with their types ("human", "program").
GameRecord seatedRecord(Side greenSide, const Position& start, std::time_t startTime, const Seats& seats);
// The seats a record names: both sides "program", the computer against itself
// at the levels named; both "human", two people with their names; otherwise the
// player against the computer at the level its name gives, or `menuLevel`.
Seats seatsOfRecord(const GameRecord& record, std::optional<Level> menuLevel);
