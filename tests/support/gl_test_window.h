#pragma once
// A 640x480 window with a double-buffered OpenGL 2.1 compatibility context, for
// tests that draw and read pixels back. Needs DISPLAY (tests run under Xvfb).

#include <cstdint>
#include <vector>

bool openTestWindow(int width = 640, int height = 480);
void closeTestWindow();
void swapTestWindow();
// Reads the back buffer (or the front after a swap) as RGB rows, bottom row first.
std::vector<std::uint8_t> readPixelsRgb(int x, int y, int width, int height);
// One pixel in window coordinates with y from the bottom.
struct Rgb {
    int r, g, b;
};
Rgb pixelAt(int x, int y);
