#pragma once
// The play camera, defined once: where the eye stands and how wide and how far
// it sees. The window's perspective and the play screen set it up, the scene
// draws through it and picking aims rays with it; the view angles that turn the
// world before it are the game's (engine/game/view.h).

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
