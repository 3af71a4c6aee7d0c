#pragma once
// How the play screen shows the game outside classic mode. Moves are played at
// once, so the game is never behind the picture; only their showing takes
// time: a move travels on the board by the clock, the computer's reply comes
// once the player's move has landed and the reply delay has passed, the last
// move stays marked and written on the screen, and a finished game stays up
// until the player acts. Times are seconds of a steady clock.

#include <cstdint>
#include <string>

#include "app/files/seats.h"
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

// The board's pieces with `move` on its way, `elapsed` seconds after it set off
// (its captured pieces sinking), for a move already played on the board.
void presentTravellingMove(const WholeMove& move, double elapsed, double factor, ScenePresentation& presentation);
// A move played, marked on its squares: from, its landings, to, and what it took.
void markPlayedMove(const WholeMove& move, ScenePresentation& presentation);

// The showing of the game being played: the move travelling, the computer's
// reply on its way (with its search, on a thread of its own for a level other
// than classic) and the end held. The computer moves the sides the game's
// seats give it: side 2 against the player, none in Two players, both when it
// plays itself, which a key or click pauses. The play session owns the one the
// play screen shows (app/screens/play_session.h).
class MoveShow {
public:
    // The seed of the computer's choices among equal moves in this game (levels
    // other than classic), drawn when the game starts.
    void setComputerSeed(std::uint64_t seed);
    // The level the computer plays this game at, on side 2.
    void setComputerLevel(Level level);
    // Who moves each side (the computer's sides at their levels, from a level's
    // search on a thread when it plays both) and the game's seed: side 2's
    // choices follow it, side 1's a seed made from it, so that the computer
    // playing itself at one level does not play the same game twice.
    void seat(const Seats& seats, std::uint64_t seed);
    // Whether the computer moves `side`.
    bool computerMoves(Side side) const;
    // The computer playing itself stops (a search running is stopped, a reply
    // waiting forgotten) until resumed, which also asks it to move where it
    // waits to be asked (an opened game); a person may move meanwhile.
    void pause();
    void resume();
    bool paused() const { return pausedNow; }
    // Whether the computer is to reply (thinking, or its move waiting for its time):
    // a move the player types meanwhile waits until the reply has been played.
    bool computerToReply() const;
    // The game is left (Escape, the program ends): a search still running stops at once.
    void stopComputer();
    // A new game, or one taken up again (a search still running is stopped): nothing travelling, no reply waiting, no
    // end held, not paused, the moves on record taken as shown.
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
    // The last two moves in the order they were played, in Russian notation,
    // each after its side's name: "You: c3-d4   Computer: b6:d4:f2" (one move
    // at the start; empty before any move).
    std::string lastMovesText() const;
    // The same with the sides named as `names` says ([1] and [2]) and the
    // squares as `frame`'s player names them (app/screens/board_frame.h).
    std::string lastMovesText(const std::string (&names)[3], Side frame) const;
    // The side whose turn the picture shows at `now`: the mover's while its
    // move travels, then the side to move.
    Side shownSide(double now) const;
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

    // How the computer plays one side.
    struct ComputerSide {
        bool plays = false;
        Level level = Level::Classic;
        std::uint64_t seed = 0;
    };

    double travelEnd() const;
    void startTravel(int records, double now, bool shown);
    bool playReply(double now, bool shown);
    bool lastCompleteMove(Side side, WholeMove& found) const;
    bool searchesOnAThread(Side side) const;

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
    // [1] and [2] by side; against the player, the computer plays side 2.
    ComputerSide computer[3] = {{}, {}, {true, Level::Classic, 0}};
    bool pausedNow = false;
};
