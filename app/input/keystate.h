#pragma once
// The keyboard as the game sees it. The platform seam (app/platform/platform_sdl.cpp)
// writes it from the window's key events; the screens and the main loop read
// it, and change it only through the functions below. The play screen hands
// the turn driver its keys as a value (engine/game/turn.h); nothing below the app
// reads this state.
//
// Two different questions are asked of the keyboard:
//  - "is it held?"  -> KeyState, one flag per virtual-key code (camera keys),
//    or keyIsHeld, which also leaves out keys set to be ignored until released;
//  - "was it pressed?" -> the press queue: every key-down since the last drawn
//    frame (an auto-repeat is no press), in arrival order (typing, take-back,
//    menu keys). The main loop empties it after each drawn frame and while the
//    window is minimised.
// Every held key is released when the window loses the keyboard, so a key let
// go in another window does not stay down here.

#include <cstdint>

// The game's own codes of the keys it reads: a letter or digit key is its
// character, the others have small numbers of their own.
enum VirtualKey : int {
    VK_RETURN = 13,
    VK_ESCAPE = 27,
    VK_LEFT = 37,
    VK_UP = 38,
    VK_RIGHT = 39,
    VK_DOWN = 40,
    VK_0 = 0x30,  // digits are 0x30..0x39
    VK_A = 0x41,  // letters are 0x41..0x5A
    VK_F1 = 112,
};

// 1 while the key is down, 0 when up; indexed by virtual-key code.
extern unsigned char KeyState[256];

// Whether the key is down and not ignored. A key given to ignoreUntilReleased
// reads as up here until it has been found up once (a key-up, or a read that
// sees it up in KeyState); KeyState itself still shows it down.
bool keyIsHeld(int virtualKey);
// Ignores `virtualKey`, if it is down now, until it is released.
void ignoreUntilReleased(int virtualKey);

// Presses since the last frame, oldest first.
constexpr int kKeyPressCapacity = 64;
struct KeyPresses {
    int count = 0;
    unsigned char keys[kKeyPressCapacity] = {};
};
// The press queue, to read only (or through the functions below).
extern const KeyPresses& keyPresses;

// The window is about to be replaced (the display switch) while keys may be
// held. The old window's going releases every key, and the first auto-repeat
// of a key still held reaches the new window as a fresh key-down; neither is
// the player's doing. So each key down now reads as up (keyIsHeld) and gives no
// press until it is released in the new window. A key let go while no window
// had the keyboard sends no release at all: a key-down that comes later than
// kHeldThroughWindowChangeMs after the new window got the keyboard is a new
// press (a key still held auto-repeats into the new window well before that).
// Where the keyboard itself can be read, the main loop ends the hold as soon as
// the key is up on it (keyReleasedUnseen); the time rule is for where it cannot.
constexpr std::uint32_t kHeldThroughWindowChangeMs = 1000;
void keysHeldThroughWindowChange();
bool keyHeldThroughWindowChange(int virtualKey);
void keyReleasedUnseen(int virtualKey);

// Platform side, with each event's time in milliseconds. The window got the
// keyboard; a key went down in it (held from now on, and one press unless it
// is ignored until released); a key went up.
void keyboardArrived(std::uint32_t timeMs);
void keyWentDown(int virtualKey, std::uint32_t timeMs);
void keyWentUp(int virtualKey);
// Queues a press (keyWentDown does); when the queue is full the press is dropped
// (64 presses in one frame is far beyond any typist).
void queueKeyPress(int virtualKey);
// Main loop: forget the presses once a frame has read them.
void clearKeyPresses();
// Whether `virtualKey` was pressed since the last frame.
bool wasPressed(int virtualKey);
// The presses since the last frame in the order typed: how many, and the i-th.
int keyPressCount();
int keyPressAt(int index);
// Uses up every press of `virtualKey`: the other presses stay, in order.
void consumeKeyPresses(int virtualKey);
// Every key up, nothing ignored, no presses: the state a program starts in
// (tests start afresh with it).
void clearKeyState();
