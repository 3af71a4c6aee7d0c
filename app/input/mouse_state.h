#pragma once
// The mouse as the game sees it. The platform seam (app/platform/platform_sdl.cpp) is
// the only writer; the screens read it once per frame, and the main loop forgets
// the clicks after each drawn frame, as it does the key presses.
//
// Positions are window pixels counted from the lower-left corner, as the GL
// counts them; a pixel's centre lies at +0.5.

// Pixels of right-button drag per degree of view turn. Horizontal drag turns
// the view about the vertical axis a degree at a time; vertical drag tilts it in
// whole steps of the arrow keys' tilt (3 degrees, 9 pixels; the screens check
// that it is the step of engine/game/view.h), so the tilt stays on the values
// the arrow keys give and their limits hold whatever the mouse did before.
constexpr int kDragPixelsPerDegree = 3;
constexpr int kDragTiltStep = 3;

constexpr int kMouseClickCapacity = 16;

struct MousePoint {
    double x = 0, y = 0;
};

enum class MouseButton { Left, Right };

// A left click is taken at its press (a press and its release within one frame
// are one click), a right click at its release, when it did not drag.
struct MouseClick {
    MouseButton button = MouseButton::Left;
    double x = 0, y = 0;
};

struct MouseInput {
    // Clicks since the last frame, oldest first.
    int clickCount = 0;
    MouseClick clicks[kMouseClickCapacity];
    // The right button is down; it has moved far enough to be a drag, not a click.
    bool rightHeld = false;
    bool rightDragged = false;
    // Drag with the right button held not yet turned into view angles: x to the
    // right, y downward on the screen.
    int dragX = 0, dragY = 0;
    // Travel of the current right-button press, for telling a click from a drag.
    int travelX = 0, travelY = 0;
    // Notches the wheel turned since the last frame: away from the player positive.
    int wheelSteps = 0;
};
extern MouseInput mouseInput;

// Platform side.
void recordLeftPress(double x, double y);
void recordRightPress();
void recordRightRelease(double x, double y);
// Pointer movement by (dx, dy) window pixels, y downward.
void recordPointerMotion(int dx, int dy);
// The right button is found up though its release never came (it was let go
// while no window of ours had the pointer): no click, no more dragging.
void forgetRightButton();
// The wheel turned by `steps` notches (away from the player positive).
void recordWheel(int steps);

// The whole degrees of tilt (about x) and turn (about y) that the drag so far
// asks for; what is left of the drag stays for later. Dragging down tilts the
// near side of the room down, as the up arrow does; dragging right turns the
// near side to the right, as the left arrow does.
struct ViewTurn {
    int tilt = 0, turn = 0;
};
ViewTurn takeViewTurn();

// Main loop: after each drawn frame the clicks and the wheel are forgotten, and so is any drag
// that no frame turned into a view change (less than one step is kept).
void clearMouseActions();
// Everything back to rest (no button down), for tests that start afresh.
void clearMouseState();
