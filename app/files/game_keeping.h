#pragma once
// Keeping the game being played: every game is kept as a PDN record in the
// games folder (app/files/game_files.h) while it is played, never losing a completed
// move. The record mirrors the game's line: a whole move played (the player's
// or the computer's) is added, a move taken back is removed, the end writes the
// result and why ([Termination]), and a game left unfinished (Escape, the
// window closed) says so. Each change replaces the file whole, so a crash keeps
// every move up to the last. A write that fails is said once on standard error,
// and keepingFault tells the play screen, until a write succeeds; the game goes on.
//
// Outside classic mode the keeping is also where the game's end is judged: the
// rules (engine/rules/game_end.h) follow the line from where it was set up (a
// new game's start, the record's start, the opened file's start), the player
// may resign or agree a draw, and an opened file whose game has ended shows
// that end at its last position. The record names the computer's level
// ("draughts3d Club"), and a game taken up again is played at it.
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

#include "app/files/seats.h"
#include "engine/levels/levels.h"
#include "engine/records/game_record.h"
#include "engine/rules/game_end.h"
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
    // Outside classic mode: the keeping judges the end itself (the rules, the
    // player's acts, an opened file's result) and `winner` is not used.
    bool judged = false;
};

// How the followed game stands: going on, or over, and why.
struct GameEnd {
    bool over = false;
    // Why; None for a game that ended by its record's result for a reason the
    // record does not name (or, in classic mode, whose winner's picture shows).
    Termination why = Termination::None;
    // The side that has won (1 is the near side, the player's against the computer), 0 for a draw.
    Side winner = 0;
    // The result as PDN says it (by White and Black).
    GameResult result = GameResult::Unfinished;
    // The end is an opened file's: shown, never written.
    bool fromFile = false;
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
    // seed the computer drew for it ([Seed], levels other than classic) when
    // given, and the computer named by its level (none: classic mode's computer).
    void keepNewGame(Side greenSide, const Position& start, std::optional<std::uint64_t> seed = {},
                     std::optional<Level> level = {});
    // The same for any players: the record names them (Two players' names, the
    // computer's levels) and says which are programs.
    void keepNewGame(Side greenSide, const Position& start, std::optional<std::uint64_t> seed, const Seats& seats);
    // Sets the live game from the latest record (position, side to move, the
    // player's colour, the history for take-back) and goes on writing its file.
    // It is played by the players the record names (seatsOfRecord): two people,
    // the computer against itself, or the player against the computer at the
    // level the record names, or at `menuLevel` when it names none. False, with nothing changed, when there is no game
    // to continue.
    bool continueLatestGame(std::optional<Level> menuLevel = {});
    // Reads game `number` (1 for the first) of the PDN file at `path` and sets the
    // live game from it, at its last position with all its moves to take back.
    // Nothing is written while the game stays on the file's line; once it leaves
    // it, a new record starts where it left (its start position written as FEN),
    // and follows the game from there. A file's game that has ended (its result,
    // or the rules) shows its end at its last position. It is played at the level
    // the file names for the computer, or at `menuLevel`. False, with the live game
    // untouched and `error` naming the file, the game, the line and the reason,
    // when it cannot be read.
    bool openGameFile(const std::string& path, int number, std::string& error, std::optional<Level> menuLevel = {});

    // After every play frame: the record follows the game's line.
    void followGame(const GameLine& line);
    // A player ends the game going on: Termination::Resignation (side
    // `resigning` resigns, the other wins) or Termination::DrawAgreed. The
    // record says so; a move taken back afterwards takes the end back with it.
    void endByPlayer(Termination how, Side resigning = 1);
    // An opened game still on its file's line is played on by `seats` (the
    // command line's --two-players or --watch): its record will name them.
    void seatOpenedGame(const Seats& seats);
    // Whether a game is followed (from its start until it is left).
    bool followsGame() const { return kept.active; }
    // How the followed game stands (going on when none is followed).
    const GameEnd& gameEnd() const;
    // The rules' view of the followed line (outside classic mode): its draw
    // counts and the positions that could come back; nullptr when none.
    const GameJudge* gameJudge() const;
    // An opened game still on its file's line: nothing of it is kept (it does
    // not take over "Continue the game"), and the computer moves in it only
    // when the player asks.
    bool openedGameUnplayed() const;
    // The computer's level in the followed game against it (none: classic
    // mode's computer, or no computer on side 2).
    std::optional<Level> keptGameLevel() const;
    // Who plays each side of the followed game.
    const Seats& keptGameSeats() const { return kept.seats; }
    // The game is left (Escape, the window closed, or its end shown): an
    // unfinished record is marked abandoned. Nothing is followed until a game starts.
    void leaveGame();
    // The followed game is let go as it stands, nothing written: as the program starts.
    void forgetGame() { kept = KeptGame{}; }

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
        bool judged = false;
        // Who plays each side, as the record names them.
        Seats seats = againstComputer(std::nullopt);
        // Where the line starts, and the rules following it up to judgedMoves.
        Position lineStart;
        std::optional<GameJudge> judge;
        std::vector<WholeMove> judgedMoves;
        Position judgedAt;
        // The player's end of the game (None, Resignation, DrawAgreed), on the
        // line as it is, and the side that resigned.
        Termination act = Termination::None;
        Side actBy = 1;
        GameEnd end;
        // An opened file's result and its reason, at the end of its line.
        GameResult baseResult = GameResult::Unfinished;
        Termination baseTermination = Termination::None;
        // The line the record starts from: a file's moves (none for a game of our
        // own) and the position before each of them and after the last.
        std::vector<WholeMove> baseMoves;
        std::vector<Position> basePositions;
        // The record starts at basePositions[branch].
        std::size_t branch = 0;
    };

    void writeRecord();
    // Starts following a game set up in `start` whose line so far is `line`.
    void follow(const GameRecord& record, const Position& start, std::vector<HistoryRecord> line, bool started);
    // The line, its end and its record brought up to date.
    void update();
    // The rules brought up to the line's complete moves.
    void judgeLine(const std::vector<WholeMove>& moves);
    // How the game stands on its line, which goes `common` moves along the base line.
    GameEnd endOfLine(const std::vector<WholeMove>& moves, std::size_t common) const;
    // The record brought up to the line.
    void recordLine(const std::vector<WholeMove>& moves, std::size_t common);
    // Sets the live game from a game read from a file (see openGameFile).
    void openRecordedGame(const GameRecord& record, std::optional<Level> menuLevel);

    std::string gamesFolderPath;
    KeptGame kept;
    // The latest record, when it can be continued.
    bool latestUnfinished = false;
    GameRecord latestRecord;
    std::string latestPath;
};
