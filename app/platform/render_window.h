#pragma once
// The game's window as the game sets it up, over the platform seam
// (app/platform/platform.h): making and closing it with the game's own messages, and
// the GL services the screens share in it: the viewport with its perspective,
// the GL state, the 2D overlays, the back-buffer copy and the HUD font.

#include <string>

// Whether the game has a display to show its window on, once the platform has
// started. When not, says plainly that no display could be opened (on standard
// error with the details, and in a box where one can be shown) and returns
// false: the caller ends the program with status 1.
bool haveDisplay();
// Opens the game's window: takes the video system ("Failed To Register The
// Window Class."), asks "Kiva GL" whether to go windowed when the display has
// no such fullscreen mode, opens the window with its GL context, sets the
// viewport and the GL state (initRenderState) and builds the HUD font. Every
// failure is shown in a box; the window is then closed and false returned.
bool createRenderWindow(const char* title, int width, int height, int colourDepth, bool fullscreenRequest);
// When set, createRenderWindow calls it as each of its stages ends: "window"
// (made, its pixel format chosen), "context" (made current), "font" (the window
// shown, the HUD font built, the GL state set). The start-up trace uses it.
extern void (*renderWindowStageEnded)(const char* stage);
// Closes the window and lets the video system go.
void destroyRenderWindow();
// Sets the viewport to the window's size after a Resized event.
void fitViewportToWindow();

// Size given to the most recent setViewport (a height of 0 is recorded as 1).
extern int viewportWidth;
extern int viewportHeight;
// First of the display lists holding the HUD glyphs: the first 96 hold codes
// 32..127, then come the Cyrillic letters and a few marks (hud_font.cpp).
extern unsigned int hudFontBase;

// Called by the window as its GL context is made current and as it goes: look
// up, or forget, the GL functions the game takes from the context.
void lookUpGlFunctions();
void forgetGlFunctions();
// Copies the width x height block of the back buffer whose lower-left corner is
// (fromX, fromY) to (toX, toY); the two blocks must not overlap. Returns false,
// copying nothing, when the GL has no framebuffer blit.
bool copyBackBufferBlock(int fromX, int fromY, int width, int height, int toX, int toY);

// Viewport of the given size with its lower-left corner at (x, y), a fresh
// perspective of the play camera (scene/camera.h) and an identity modelview.
void setViewport(int width, int height, float x, float y);
bool initRenderState();
void beginOverlayTopLeft();
void beginOverlayBottomLeft();
void endOverlay();

// Builds the HUD font's lists in the current context. When the font cannot be
// loaded the lists stay empty and the game goes on without HUD text: returns
// what to tell the player then, "" when the font was built.
std::string buildHudFont();
void deleteHudFont();
// Prints the UTF-8 text at the overlay point (x, baseline y), one 7-pixel cell a
// character; a character the font lacks is a blank cell. ASCII text is drawn
// with the same GL calls as ever.
void printHudText(float x, float y, const char* format, ...) __attribute__((format(printf, 3, 4)));
