#pragma once
// The keyboard as the game sees it. The platform layer (app/platform_*.cpp) is the
// only writer; everything else reads.
//
// Two different questions are asked of the keyboard:
//  - "is it held?"  -> KeyState, one flag per virtual-key code (camera keys);
//  - "was it pressed?" -> the press queue, every key-down (never an auto-repeat)
//    since the last drawn frame, in arrival order (typing, take-back, menu keys).

#include <cstdint>

// Virtual-key codes the game reads (the Windows numbering, kept so the key
// table reads the same everywhere).
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

// Presses since the last frame, oldest first.
constexpr int kKeyPressCapacity = 64;
struct KeyPresses {
    int count = 0;
    unsigned char keys[kKeyPressCapacity] = {};
};
extern KeyPresses keyPresses;

// Platform side: record a key-down. When the queue is full the press is dropped
// (64 presses in one frame is far beyond any typist).
void queueKeyPress(int virtualKey);
// Main loop: forget the presses once a frame has read them.
void clearKeyPresses();
// Whether `virtualKey` was pressed since the last frame.
bool wasPressed(int virtualKey);
// Releases every key: used when focus is lost or tests start afresh.
void clearKeyState();
