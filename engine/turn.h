#pragma once
// The turn driver: keyboard entry of moves, take-back, the computer's reply and
// the view-angle keys, once per play frame.

#include "engine/board.h"

// Scene rotation in whole degrees: X tilt kept within -24..12, Y turn unbounded.
extern int viewAngleX;
extern int viewAngleY;

// Typed squares, U and 9 act once per press (from the press queue, in order);
// the arrow keys act in every frame while held.
void readMoveKeys();
// Computer's reply when it is side 2's turn, then plays a completely typed move,
// then draws the scene through turnStepSceneDrawer.
void turnStep();
void takeBack();
// Types a square as its letter and then its digit would be typed (a click on it).
void typeSquare(int file, int rank);
// Plays a completely typed move when it is legal (recorded on history), then
// forgets the typed squares and the candidates. Returns the move's kind, 0 when
// nothing was played (incomplete or illegal).
int playTypedMove();

// Drawing at the end of turnStep. The scene installs its drawer (which saves and
// restores the modelview matrix around drawScene); without one nothing is drawn,
// which keeps this library free of any rendering dependency.
using SceneDrawer = void (*)();
extern SceneDrawer turnStepSceneDrawer;
