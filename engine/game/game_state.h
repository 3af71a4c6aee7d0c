#pragma once
// The game being played, as the rest of the program reads it besides the
// position (engine/rules/board.h): which side is green, whose turn the driver
// is on, the half-typed move, and the take-back history with what was taken
// back (to step forward again). One game exists at a time, so all of it is
// program-wide state, used on the game's thread only. The turn driver
// (engine/game/turn.h) moves it on.

#include "engine/rules/board.h"

constexpr int kHistoryCapacity = 1000;

extern Side greenSide;
extern Side turnSide;
extern int typedMove[5];  // [1] from-file [2] from-rank [3] to-file [4] to-rank; [0] unused
extern HistoryRecord history[kHistoryCapacity];
extern int historyCount;
// How many records a full history has forgotten from its front in this game:
// history[0] is the record of jump number historyForgotten (from 0) of the game.
extern int historyForgotten;
// The jumps of the game's line so far, the forgotten ones included: unlike
// historyCount it grows with every move, also once the history is full.
inline int jumpsPlayed() { return historyForgotten + historyCount; }
// The jumps taken back, to be played again: the next one is redoRecords[redoCount - 1].
extern HistoryRecord redoRecords[kHistoryCapacity];
extern int redoCount;

// A new game: the initial position with the green side to move, no history to
// take back or step forward through, no capture to go on with, nothing typed, no candidates, the
// computer active again (a game it lost for want of a move left it inactive)
// and the search's own scratch cleared.
void resetGame();
// The other side becomes green, as the start menu's "Select side" does: the
// green side is to move (it moves first) and the computer may play again.
void switchGreenSide();
void clearTypedMove();
