#pragma once
// The way the player looks at the board: the view's tilt about x and turn about
// y in whole degrees, and how far the keys and the mouse may move them. The turn
// driver (engine/game/turn.h) and the mouse turn them; the scene draws through
// them (its camera: scene/camera.h).

extern int viewAngleX;
extern int viewAngleY;

// The tilt about x stays within these limits; the arrow keys and a drag tilt
// it in steps of kTiltStep, so it always lies on a multiple of the step. The
// turn about y is unbounded.
constexpr int kMinTilt = -24;
constexpr int kMaxTilt = 12;
constexpr int kTiltStep = 3;
// The arrow keys turn the view by this much per frame.
constexpr int kTurnStep = 3;
