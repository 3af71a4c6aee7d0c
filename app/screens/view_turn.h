#pragma once
// Two players: after each move the view turns smoothly to the side to move,
// the way that side's player sees the board (side 1 from the near chair, side
// 2 from the far one: half a turn round). It turns by the frame clock and
// settles on the exact angle; the arrow keys and a right drag still turn the
// view, and a turn of the player's own stops this one where it is.

#include "engine/rules/board.h"

// How long the view takes to turn half round, in seconds.
constexpr double kViewTurnSeconds = 0.6;

// The turn about y (whole degrees) nearest to `current` from which `side`'s
// player sees the board: 0 or 180 give or take whole turns.
int sideViewAngle(Side side, int current);
// The angle on the way from `from` to `to` when `elapsed` seconds of the turn
// have gone, eased in and out; `to` once it is over.
int turningAngle(int from, int to, double elapsed);

// The view's turn to the side to move. The play session owns the one the play
// screen uses (app/screens/play_session.h).
class SideViewTurn {
public:
    // A game starts: the view shows `side`'s player's angle at once (when
    // `turning`), and the side shown is that one.
    void start(Side side, bool turning);
    // Every play frame: `side` is the side whose turn the picture shows. When
    // it is not the one shown last, the view starts turning to it (when
    // `turning`); a turn under way moves on, or stops when the player has turned
    // the view since the last frame. Sets viewAngleY.
    void follow(Side side, bool turning, double now);
    // Whether the view is on its way.
    bool moving() const { return active; }
    // The side the view was last turned to (or would have been, not turning).
    Side side() const { return shownSide; }

private:
    Side shownSide = 1;
    bool active = false;
    int from = 0, to = 0;
    double startedAt = 0;
    // The angle this set last: another one is the player's own turn.
    int lastSet = 0;
};
