#pragma once
// The turn driver: keyboard entry of moves, take-back, the computer's reply and
// the view-angle keys, once per play frame. It takes the frame's keys as a
// value and draws nothing: the play screen owns the frame.

#include "engine/board.h"

// Scene rotation in whole degrees: X tilt kept within kMinTilt..kMaxTilt
// (engine/camera.h), Y turn unbounded.
extern int viewAngleX;
extern int viewAngleY;

// The keys of one play frame: the presses since the last frame, oldest first,
// as their characters ('A'..'Z' for the letter keys, '0'..'9' for the digits;
// any other key has some other code and is passed over), and the arrow keys
// held down.
constexpr int kMoveKeyCapacity = 64;
struct MoveKeys {
    int pressCount = 0;
    int presses[kMoveKeyCapacity] = {};
    bool upHeld = false, downHeld = false, leftHeld = false, rightHeld = false;
};

// Typed squares, U and 9 act once per press, in order; the held arrow keys turn
// the view a step each.
void readMoveKeys(const MoveKeys& keys);
// The computer's reply when it is side 2's turn, then a completely typed move:
// one jump of the computer per step, as the game has always played it.
void turnStep();
// The computer's whole reply at once, when it is side 2's turn: its jumps
// chosen and played one after the other, each as turnStep would choose it.
// Anything typed is forgotten. Returns the number of jumps played.
int playComputerReply();
void takeBack();
// Types a square as its letter and then its digit would be typed (a click on it).
void typeSquare(int file, int rank);
// Plays a completely typed move when it is legal (recorded on history), then
// forgets the typed squares and the candidates. Returns the move's kind, 0 when
// nothing was played (incomplete or illegal).
int playTypedMove();
