#include "app/files/seats.h"

namespace {

Seat computerSeat(std::optional<Level> level) {
    Seat seat;
    seat.computer = true;
    seat.level = level;
    return seat;
}

Seat personSeat(const std::string& name) {
    Seat seat;
    seat.name = name;
    return seat;
}

}  // namespace

Seats againstComputer(std::optional<Level> level) {
    Seats seats;
    seats.side[1] = personSeat("Player");
    seats.side[2] = computerSeat(level);
    return seats;
}

Seats twoPlayersSeats(Side greenSide, const std::string& greenName, const std::string& pinkName) {
    Seats seats;
    seats.side[greenSide] = personSeat(greenName);
    seats.side[otherSide(greenSide)] = personSeat(pinkName);
    return seats;
}

Seats watchSeats(Side greenSide, Level greenLevel, Level pinkLevel) {
    Seats seats;
    seats.side[greenSide] = computerSeat(greenLevel);
    seats.side[otherSide(greenSide)] = computerSeat(pinkLevel);
    return seats;
}

std::optional<Level> levelNamed(const std::string& name, std::optional<Level> otherwise) {
    for (const Level level : kAllLevels)
        if (name == recordName(computerSeat(level))) return level;
    return otherwise;
}

std::string recordName(const Seat& seat) {
    if (!seat.computer) return seat.name;
    return seat.level ? std::string("draughts3d ") + levelTitle(*seat.level) : std::string("draughts3d");
}

GameRecord seatedRecord(Side greenSide, const Position& start, std::time_t startTime, const Seats& seats) {
    GameRecord record = newGameRecord(greenSide, start, startTime);
    const Seat& white = seats.side[greenSide];
    const Seat& black = seats.side[otherSide(greenSide)];
    record.white = recordName(white);
    record.black = recordName(black);
    record.whiteType = white.computer ? "program" : "human";
    record.blackType = black.computer ? "program" : "human";
    return record;
}

Seats seatsOfRecord(const GameRecord& record, std::optional<Level> menuLevel) {
    const bool whiteProgram = equalsIgnoringCase(record.whiteType, "program");
    const bool blackProgram = equalsIgnoringCase(record.blackType, "program");
    if (whiteProgram && blackProgram) {
        const Level fallback = menuLevel.value_or(Level::Classic);
        return watchSeats(record.greenSide, *levelNamed(record.white, fallback), *levelNamed(record.black, fallback));
    }
    if (equalsIgnoringCase(record.whiteType, "human") && equalsIgnoringCase(record.blackType, "human"))
        return twoPlayersSeats(record.greenSide, record.white, record.black);
    return againstComputer(levelNamed(computerName(record), menuLevel));
}
