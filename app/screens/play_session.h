#pragma once
// The game being played, owned in one place from its start to its end. A game
// starts in one call (new, the latest one continued, or one opened from a
// file): the live game is set up, its record kept, and the play screen takes
// it over. Outside classic mode it may be over before it is left: by the
// rules, by the player's resignation or a draw agreed, or as an opened file
// ended; its end is then held on the screen with what it says. It ends in one
// call (Escape, its end shown, the window closed or lost): its record is marked
// abandoned when unfinished, and the computer's search and a hint's stop,
// their threads joined.

#include <string>

#include "app/files/game_keeping.h"
#include "app/screens/advice.h"
#include "app/screens/move_show.h"
#include "app/screens/player_acts.h"
#include "app/screens/view_turn.h"
#include "engine/levels/levels.h"

// The record of the game being played (app/files/game_keeping.h), the showing
// of its moves with the computer's replies (move_show.h), what is said about
// it (advice.h) and the player's own ends of it (player_acts.h), started and
// ended together.
class PlaySession {
public:
    // Where games are kept ("" keeps none), as the program starts: the latest
    // game there may be continued.
    void keepGamesIn(const std::string& folder);
    // Whether the latest kept game has no result and can be continued.
    bool canContinueGame() const;

    // A new game from the start, the player's colour as greenSide says, played
    // against the opponent the settings give (the computer at its level, a
    // second person, or the computer against itself); outside classic its
    // computer's choices among equal moves follow a seed drawn now.
    void startNewGame();
    // The latest kept game taken up again with its own seed; false, with
    // nothing changed, when there is none.
    bool continueLatestGame();
    // Game `number` of the PDN file at `path` taken up (GameKeeping::openGameFile);
    // false, with the live game untouched and `error` saying why, when it cannot be read.
    // The computer moves in it only when the player asks, until a move is
    // played. With Two players or the computer against itself chosen, the
    // opened game is played on so (the latter paused at first).
    bool openGameFile(const std::string& path, int number, std::string& error);
    // A new game from `start` (a position of a game under review), green on
    // `green`, played by `seats`: a new record, its start written as FEN.
    void startGameFrom(const Position& start, Side green, const Seats& seats);
    // The game is left: an unfinished record is marked abandoned, the
    // computer's search and a hint stop. Nothing is kept until a game starts.
    void end();
    // As the program starts: no game followed, nothing travelling, no reply
    // waiting, no end held, nothing said; the record is left as it is.
    void reset();

    // The record follows the live game's line, and the game's end is worked out
    // (outside classic mode): after anything that may have moved the game.
    void followGame();
    // How the game stands, for its showing.
    GameStanding standing() const;
    // Whether the game is over (outside classic mode).
    bool gameOver() const { return gameEnd().over; }
    // What the end says ("Draw agreed", "You resigned", ...); empty while the game goes on.
    std::string endText() const;
    // O: the computer answers the draw offered at once, by its level; accepted,
    // the game ends drawn. In Two players the offer goes to the other player,
    // who accepts it with O before the next move.
    void offerDraw(double now);
    // R confirmed: the player resigns (in Two players, the side to move).
    void resign();

    // The file and the game number to review the game from: an opened file's
    // game while it stays on the file's line, else the game's own record;
    // false when there is none yet.
    bool reviewSource(std::string& path, int& number) const;

    // Who plays each side of the game.
    const Seats& seats() const { return keeping.keptGameSeats(); }
    // Two people at the board; the computer against itself.
    bool twoPlayers() const;
    bool watched() const;
    // Whether a person moves the side to move now (the computer playing
    // itself, once paused, lets the person move either side).
    bool personToMove() const;
    // The side whose player types the squares and reads the coordinates at
    // `now`: the side to move as the picture shows it in Two players (once the
    // game is over, the side the view shows it from), side 1 otherwise.
    Side frameSide(double now) const;
    // The line saying whose turn it is (Two players) or that the computer plays
    // itself and how to pause it; empty against the computer.
    std::string turnText(double now) const;
    // The last moves as the HUD says them, with the sides' names.
    std::string lastMovesText(double now) const;
    // After the frame's keys: the view turns to the side to move in Two
    // players (when the settings' turn_view is on), until the game is over.
    void turnView(double now);

    // Why the game is not being kept, for the screen; "" while it is.
    const std::string& keepingFault() const { return keeping.keepingFault(); }

    // The game's showing and what is said about it, for the play screen's frames.
    MoveShow& moves() { return shownMoves; }
    Advice& advice() { return said; }
    PlayerActs& acts() { return playerActs; }
    const MoveShow& moves() const { return shownMoves; }

private:
    // How the game stands: as its keeping judges it or, when none is followed
    // (a position set up directly), by the position alone: a side that cannot
    // move has lost.
    GameEnd gameEnd() const;
    // The play screen takes over the game just set up: the view straight on,
    // its moves taken as shown, nothing said, the computer's seed the game's own.
    void begin();

    // The name of a side's player on the screen: "Green", "Pink", or a name from the settings.
    std::string sideName(Side side) const;

    GameKeeping keeping;
    SideViewTurn viewTurn;
    MoveShow shownMoves;
    Advice said;
    PlayerActs playerActs;
    // The level the computer plays this game at: the one its record names, or the menu's.
    Level gameLevel = Level::Classic;
    // The file and game number of the game opened from a file ("" for none).
    std::string openedPath;
    int openedNumber = 1;
};

// The game's one play session.
extern PlaySession playSession;
