#pragma once
// What the platform layer knows of the render window beyond render_window.h:
// the SDL window itself, for the event handling and the tests.

struct SDL_Window;

// The window createRenderWindow made, or nullptr while there is none.
SDL_Window* renderWindowHandle();
