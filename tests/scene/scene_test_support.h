#pragma once
// A window with the GL state the game sets up, the play camera, and helpers to
// find where a world point lands on screen and what colour it shows there.

#include <cstdint>
#include <vector>

#include "scene/scene.h"
#include "tests/support/gl_test_window.h"

// Calls glutInit once, opens the test window and sets the game's GL state.
bool openSceneWindow();
// Closes the window (and its context); openSceneWindow opens a fresh one.
void closeSceneWindow();
// Depth test, lighting, colour material, perspective, blend function, as the game.
void setGameRenderState();
// Identity modelview, the play camera (0, -2, -10) and light 1 at the world origin.
void setPlayCamera();
// Clears, sets the play camera and draws the scene once.
SceneOutcome renderPlayView();
// Window pixel (x from the left, y from the bottom) of a world point under the
// play camera with view angles 0.
struct ScreenPoint {
    int x, y;
};
ScreenPoint projectWorld(double x, double y, double z);
Rgb colourAtWorld(double x, double y, double z);
// Empty board, no typed move, side 1 to move, side 1 green, view angles 0.
void resetGameState();
std::vector<std::uint8_t> readFrame();
// Writes the frame as a binary PPM (rows top first).
bool writeFramePpm(const char* path);

// Colour classes used by the checks, tolerant of lighting.
bool looksGreen(const Rgb& c);
bool looksPink(const Rgb& c);
