#pragma once
// How the play screen shows the game outside classic mode. Moves are played at
// once, so the game is never behind the picture; only their showing takes
// time: a move travels on the board by the clock, the computer's reply comes
// once the player's move has landed and the reply delay has passed, the last
// move stays marked and written on the screen, and a finished game stays up
// until the player acts. Times are seconds of a steady clock.

#include <cstdint>
#include <string>

#include "engine/levels/level_search.h"
#include "engine/rules/game_end.h"
#include "engine/rules/whole_moves.h"
#include "scene/scene.h"

// How the game stands, as the play session tells the showing every frame.
struct GameStanding {
    // The game is over: the computer does not move, and the end is held once
    // nothing moves any more.
    bool over = false;
    // The end shows a winner's picture (a side has no move).
    bool winnerPicture = false;
    // The computer moves only when the player asks (an opened game).
    bool replyOnRequest = false;
    // The game's past, for the computer's search: the positions that could come
    // back and the draw counts (none: the position alone).
    const GameJudge* judge = nullptr;
};

// The showing of the game being played: the move travelling, the computer's
// reply on its way (with its search, on a thread of its own for a level other
// than classic) and the end held. The play session owns the one the play
// screen shows (app/screens/play_session.h).
class MoveShow {
public:
    // The seed of the computer's choices among equal moves in this game (levels
    // other than classic), drawn when the game starts.
    void setComputerSeed(std::uint64_t seed);
    // The level the computer plays this game at.
    void setComputerLevel(Level level);
    // Whether the computer is to reply (thinking, or its move waiting for its time):
    // a move the player types meanwhile waits until the reply has been played.
    bool computerToReply() const;
    // The game is left (Escape, the program ends): a search still running stops at once.
    void stopComputer();
    // A new game, or one taken up again (a search still running is stopped): nothing travelling, no reply waiting, no
    // end held, the moves on record taken as shown.
    void startShowingMoves();
    // A key or click that acts on the game: the travelling move lands at once.
    void landTravellingMove();
    // The player asks the computer to move where it moves only when asked
    // (GameStanding::replyOnRequest).
    void askForReply();
    // Whether the computer is to move and waits for the player to ask.
    bool replyAwaitsRequest() const;
    // The player types or clicks a square while the computer's reply still waits:
    // the reply is played at once (without travelling) once it is chosen, so what
    // is typed is the player's next move and nothing typed is lost.
    void playWaitingReplyNow(double now);
    // After the frame's keys and clicks: a move the player has just played starts
    // travelling (a take-back ends what was shown), the computer's reply is set
    // for when that move has landed and the delay has passed, a reply that is due
    // is played and travels in turn, and a finished game, once nothing moves,
    // starts being held.
    void advanceShownMoves(double now, const GameStanding& standing);
    // The picture's pieces, marks and winner picture at `now`.
    void presentMoves(double now, ScenePresentation& presentation) const;
    // The last move of each side in Russian notation: "You: c3-d4   Computer:
    // b6:d4:f2" (a side that has not moved yet is left out; empty before any move).
    std::string lastMovesText() const;
    // Since when the finished game has been held on screen, or a negative value
    // while it is not (the game goes on, or its last move is still travelling).
    double gameEndHeldSince() const;
    // How far the travelling move has come (milliseconds), or -1: what of the
    // picture changes with the clock.
    int travelProgress(double now) const;

private:
    // The move being shown travelling, and how many history records it takes.
    struct Travel {
        bool active = false;
        WholeMove move;
        int records = 0;
        double startedAt = 0;
    };

    double travelEnd() const;
    void startTravel(int records, double now, bool shown);
    bool playReply(double now, bool shown);
    bool lastCompleteMove(Side side, WholeMove& found) const;

    Travel travel;
    // The jumps played (jumpsPlayed) the showing has caught up with.
    int knownHistory = 0;
    bool replyWaiting = false;
    double replyAt = 0;
    double endHeldSince = -1;
    bool winnerPicture = false;
    bool replyAsked = false;
    bool awaitingRequest = false;
    // A level other than classic searches on a thread of its own from the moment
    // the computer is to move; its result waits in the search until the reply is due.
    LevelSearch computerSearch;
    std::uint64_t computerSeed = 0;
    Level computerLevel = Level::Classic;
};
