#pragma once
// The record of one game, as the game keeps it while it is played and as a PDN
// file holds it (engine/records/pdn_write.h writes it, engine/records/pdn_read.h reads it back).
// The game's take-back history (board.h `history`) holds only the last
// thousand jumps; the record keeps every whole move from the start.
//
// Sides. The player always plays side 1, the near side (ranks 1-3 at the
// start); `greenSide` is the side that moves first, White in PDN. A record
// keeps its position and moves as the game does ("internal"). PDN names
// squares from White's side, so when the player chose pink (greenSide 2, the
// computer is White) every square of the file is the game's square turned by
// 180 degrees (a1 <-> h8) and White's pieces are side 2's: see pdnView.
//
// How the game's keeping (app/game_keeping) uses it (nothing here touches the
// live game unless asked):
//   start:   record = newGameRecord(greenSide, currentPosition(), std::time(nullptr)), written
//   a whole move completed (history grouped with wholeMoveSpans / wholeMoveFromRecords):
//            the record's moves follow the game's line and pdnText(record) is written again
//   the end: record.result = resultForWinner(record, winner) (or a draw) with the
//            Termination naming why (terminationText), or markAbandoned(record); written again.
//   continue or open: playRecord(record, &records, &positions) puts the game on the live board
//            and hands back one HistoryRecord per jump, to refill `history` (its last
//            kHistoryCapacity), and the position before each whole move and after the last.

#include <cstdint>
#include <ctime>
#include <optional>
#include <string>
#include <vector>

#include "engine/rules/game_end.h"
#include "engine/rules/whole_moves.h"

// How a game ended, as PDN results say it: "*", "1-0", "0-1", "1/2-1/2", "0-0".
enum class GameResult { Unfinished, WhiteWins, BlackWins, Draw, BothLost };

// A tag of a PDN game the record has no field for, kept as it was read.
struct PdnTag {
    std::string name, value;
};

struct GameRecord {
    // The tags of the seven-tag roster but Result (which `result` gives).
    std::string event, site, date, round, white, black;
    // "human" or "program"; empty when the file named none.
    std::string whiteType, blackType;
    // The side that moves first (White): 1 when the player is White (green), 2 otherwise.
    Side greenSide = 1;
    // Where the game started, as the game holds it (no capture going on).
    Position start;
    // Every whole move from the start, in order.
    std::vector<WholeMove> moves;
    GameResult result = GameResult::Unfinished;
    // The Termination tag ("Abandoned" for a game left unfinished); empty for none.
    std::string termination;
    // The computer's seed for the game, when it drew one.
    std::optional<std::uint64_t> seed;
    std::vector<PdnTag> otherTags;
};

// A record for a game starting now in `start` (the initial position or any
// other, side to move included): Event, Site, Date (from `startTime`, local
// time), Round, the player ("Player") and the computer (`computer`, e.g.
// "draughts3d Club") as White and Black by `greenSide`.
GameRecord newGameRecord(Side greenSide, const Position& start, std::time_t startTime,
                         const std::string& computer = "draughts3d");
// The computer's name in a record: White's or Black's, whichever the player is not.
const std::string& computerName(const GameRecord& record);

// Why a game ended, as its record's Termination says it: a side with no move,
// the rules' draws (engine/rules/game_end.h), the player's resignation, a draw
// agreed. None: no such reason (a game going on, left, or ended for a reason
// the record does not name).
enum class Termination { None, NoMove, Repetition, KingsOnly, ThreeKings, Balance, Resignation, DrawAgreed };
// "No move", "Repetition", "Kings only", "Three kings against one", "Balance
// unchanged", "Resignation", "Draw agreed" ("" for None).
const char* terminationText(Termination termination);

// Whether `a` is `b` but for the case of ASCII letters: PDN's tag names and the
// words in their values are read so.
bool equalsIgnoringCase(const std::string& a, const char* b);
// The reason a Termination tag names (any case), None for any other text.
Termination parseTermination(const std::string& text);
// The reason the rules ended a game for.
Termination terminationFor(EndReason reason);

// The result when `winner` (a side of the game: 1 is the player) has won.
GameResult resultForWinner(const GameRecord& record, Side winner);
// Left with Escape or by closing the window: "*" and Termination "Abandoned".
void markAbandoned(GameRecord& record);
// PDN's text of a result ("*", "1-0", ...).
const char* resultText(GameResult result);

// Square, position and move turned by 180 degrees with the two sides swapped:
// the same game seen from the other side. Turning twice gives back the original.
Square turnedSquare(Square square);
Position turnedPosition(const Position& position);
WholeMove turnedMove(const WholeMove& move);
// A position as PDN sees it (White is side 1, on ranks 1-3 at the start) from
// the game's own, and back (the same turn both ways).
Position pdnView(const Position& position, Side greenSide);
WholeMove pdnView(const WholeMove& move, Side greenSide);

// Puts the record's start on the live board and plays every move. Each jump's
// HistoryRecord is appended to `records` when it is given, and the position
// before each whole move and after the last to `positions`. Returns the number
// of whole moves played: moves.size() unless a move was not legal, where it
// stops (the board then stands before that move).
int playRecord(const GameRecord& record, std::vector<HistoryRecord>* records = nullptr,
               std::vector<Position>* positions = nullptr);

// A position in PDN's FEN with algebraic squares, as seen from White:
// "W:Wa1,c3,Kd4:Bb8,h8" (side to move, White's pieces, Black's; K marks a king).
// `pdnPosition` is already in PDN's view (White is side 1).
std::string fenText(const Position& pdnPosition);
