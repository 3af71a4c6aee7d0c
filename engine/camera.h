#pragma once
// The play camera, defined once: where the eye stands, how wide it sees and how
// far the view may be tilted. The turn driver turns it (engine/turn.h), the
// window's perspective and the play screen set it up, the scene draws through
// it and picking aims rays with it.

// The world is moved by this much before the view angles turn it: the eye
// stands 2 above and 10 in front of the board's centre.
constexpr float kEyeOffsetX = 0.0f;
constexpr float kEyeOffsetY = -2.0f;
constexpr float kEyeOffsetZ = -10.0f;

// The perspective: a 90-degree vertical field of view, near and far planes.
// (The near plane is the single-precision 0.1 the picture has always used.)
constexpr double kFieldOfViewDegrees = 90.0;
constexpr float kNearPlane = 0.1f;
constexpr double kFarPlane = 50.0;

// The tilt about x stays within these limits; the arrow keys and a drag tilt
// it in steps of kTiltStep, so it always lies on a multiple of the step. The
// turn about y is unbounded.
constexpr int kMinTilt = -24;
constexpr int kMaxTilt = 12;
constexpr int kTiltStep = 3;
// The arrow keys turn the view by this much per frame.
constexpr int kTurnStep = 3;
