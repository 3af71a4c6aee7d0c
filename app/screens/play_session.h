#pragma once
// The game being played, owned in one place from its start to its end. A game
// starts in one call (new, the latest one continued, or one opened from a
// file): the live game is set up, its record kept, and the play screen takes
// it over. It ends in one call (Escape, its end shown, the window closed or
// lost): its record is marked abandoned when unfinished, and the computer's
// search and a hint's stop, their threads joined.

#include <string>

#include "app/files/game_keeping.h"
#include "app/screens/advice.h"
#include "app/screens/move_show.h"

// The record of the game being played (app/files/game_keeping.h), the showing
// of its moves with the computer's replies (move_show.h) and what is said
// about it (advice.h), started and ended together.
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
    bool openGameFile(const std::string& path, int number, std::string& error);
    // The game is left: an unfinished record is marked abandoned, the
    // computer's search and a hint stop. Nothing is kept until a game starts.
    void end();
    // As the program starts: nothing travelling, no reply waiting, no end
    // held, nothing said; the record is left as it is.
    void reset();

    // After every play frame: the record follows the game's line.
    void followGame(const GameLine& line) { keeping.followGame(line); }
    // Why the game is not being kept, for the screen; "" while it is.
    const std::string& keepingFault() const { return keeping.keepingFault(); }
    // The game's showing and what is said about it, for the play screen's frames.
    MoveShow& moves() { return shownMoves; }
    Advice& advice() { return said; }

private:
    // The play screen takes over the game just set up: the view straight on,
    // its moves taken as shown, nothing said, the computer's seed the game's own.
    void begin();

    GameKeeping keeping;
    MoveShow shownMoves;
    Advice said;
};

// The game's one play session.
extern PlaySession playSession;
