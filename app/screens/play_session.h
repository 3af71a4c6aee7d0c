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

    // A new game from the start, the player's colour as greenSide says; outside
    // classic its computer's choices among equal moves follow a seed drawn now.
    void startNewGame();
    // The latest kept game taken up again with its own seed; false, with
    // nothing changed, when there is none.
    bool continueLatestGame();
    // Game `number` of the PDN file at `path` taken up (GameKeeping::openGameFile);
    // false, with the live game untouched and `error` saying why, when it cannot be read.
    // The computer moves in it only when the player asks, until a move is played.
    bool openGameFile(const std::string& path, int number, std::string& error);
    // A new game from `start` (a position of a game under review), the player's
    // colour `green`, against the computer at `level`: a new record, its start
    // written as FEN.
    void startGameFrom(const Position& start, Side green, Level level);
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
    // the game ends drawn.
    void offerDraw(double now);
    // R confirmed: the player resigns.
    void resign();

    // The file and the game number to review the game from: an opened file's
    // game while it stays on the file's line, else the game's own record;
    // false when there is none yet.
    bool reviewSource(std::string& path, int& number) const;

    // Why the game is not being kept, for the screen; "" while it is.
    const std::string& keepingFault() const { return keeping.keepingFault(); }

    // The game's showing and what is said about it, for the play screen's frames.
    MoveShow& moves() { return shownMoves; }
    Advice& advice() { return said; }
    PlayerActs& acts() { return playerActs; }

private:
    // How the game stands: as its keeping judges it or, when none is followed
    // (a position set up directly), by the position alone: a side that cannot
    // move has lost.
    GameEnd gameEnd() const;
    // The play screen takes over the game just set up: the view straight on,
    // its moves taken as shown, nothing said, the computer's seed the game's own.
    void begin();

    GameKeeping keeping;
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
