#pragma once
// The turn driver: keyboard entry of moves, take-back and stepping forward
// again, the computer's reply and the view-angle keys, once per play frame. It takes the frame's keys as a
// value and draws nothing: the play screen owns the frame.

#include "engine/game/game_state.h"
#include "engine/game/view.h"
#include "engine/rules/rules.h"
#include "engine/rules/whole_moves.h"

// How far a take-back and a step forward go: up to the player's next move
// (side 1's, against the computer), or one whole move whoever played it (two
// people at the board, or the computer against itself).
enum class StepScope { ToPlayersTurn, OneMove };

// The keys of one play frame: the presses since the last frame, oldest first,
// as their characters ('A'..'Z' for the letter keys, '0'..'9' for the digits;
// any other key has some other code and is passed over), and the arrow keys
// held down.
constexpr int kMoveKeyCapacity = 64;
struct MoveKeys {
    int pressCount = 0;
    int presses[kMoveKeyCapacity] = {};
    bool upHeld = false, downHeld = false, leftHeld = false, rightHeld = false;
    // Whether 0 steps forward (the game as it first was has no such key).
    bool zeroStepsForward = false;
    // The squares are typed as side 2's player sees the board, from the far
    // side: turned by 180 degrees (c3 is f6), as in Two players on pink's turn.
    bool typedFromSide2 = false;
    // How far 9 takes back and 0 steps forward.
    StepScope steps = StepScope::ToPlayersTurn;
};

// Typed squares, U, 9 and (when allowed) 0 act once per press, in order; the
// held arrow keys turn the view a step each.
void readMoveKeys(const MoveKeys& keys);
// The computer's reply when it is side 2's turn, then a completely typed move:
// one jump of the computer per step, as the game has always played it.
void turnStep();
// The computer's whole reply at once, when it is side 2's turn: its jumps
// chosen and played one after the other, each as turnStep would choose it.
// What the player has typed meanwhile stays typed. Returns the number of jumps played.
int playComputerReply();
// A whole move chosen elsewhere (a level's search) played on the history, jump
// by jump, as a typed move is (with playWholeMove): the jumps played, fewer
// than the move has when a jump is not legal here, and whether they were the
// whole move.
PathPlayed playChosenMove(const WholeMove& move);
// Takes back the last jump and, while side 2 is then to move, the ones before
// (the computer's reply and the player's move); with StepScope::OneMove, the
// jumps of the last whole move alone. What it took back is kept for stepForward.
void takeBackBy(StepScope scope);
inline void takeBack() { takeBackBy(StepScope::ToPlayersTurn); }
// Plays again what the last takeBack took back, when nothing else was played
// since: jumps up to the player's next move (or one whole move). A move played
// that is not the next one taken back starts a new line and forgets the rest
// (the same move keeps it).
void stepForwardBy(StepScope scope);
inline void stepForward() { stepForwardBy(StepScope::ToPlayersTurn); }
// The history set from the jumps of a whole game, as when a kept game is taken
// up again: the last kHistoryCapacity of them, cut where a whole move begins
// (the earlier ones count as forgotten); nothing to step forward to. The board
// is left as it is.
void setHistory(const HistoryRecord* records, int count);
// Types the classic computer's best candidate (engine/classic/search.h) as the
// typed move and clears the candidates.
void chooseComputerMove();
// Types a square as its letter and then its digit would be typed (a click on it).
void typeSquare(int file, int rank);
// Plays a completely typed move when it is legal (recorded on history), then
// forgets the typed squares and the candidates. Returns the move's kind,
// kIllegal when nothing was played (incomplete or illegal).
MoveKind playTypedMove();
