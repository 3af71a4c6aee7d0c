#pragma once
// The window, its OpenGL context and the drawing services the screens share:
// the viewport with its perspective, the 2D overlays and the HUD font.

// Size given to the most recent setViewport (a height of 0 is recorded as 1).
extern int viewportWidth;
extern int viewportHeight;
// First of the 96 display lists holding the HUD glyphs of codes 32..127.
extern unsigned int hudFontBase;

bool createRenderWindow(const char* title, int width, int height, int colourDepth, bool fullscreenRequest);
// When set, createRenderWindow calls it as each of its stages ends: "window"
// (made, its pixel format chosen), "context" (made current), "font" (the window
// shown, the HUD font built, the GL state set). The start-up trace uses it.
extern void (*renderWindowStageEnded)(const char* stage);
void destroyRenderWindow();
// Presents the back buffer of the window.
void swapRenderWindow();
// Set when the window's picture may be lost or stale (a new window, an expose):
// the next frame must be drawn even if nothing in the game changed. Whoever
// draws that frame clears it.
extern bool windowNeedsRedraw;
// Copies the width x height block of the back buffer whose lower-left corner is
// (fromX, fromY) to (toX, toY); the two blocks must not overlap. Returns false,
// copying nothing, when the GL has no framebuffer blit.
bool copyBackBufferBlock(int fromX, int fromY, int width, int height, int toX, int toY);

// Viewport of the given size with its lower-left corner at (x, y), a fresh
// 90-degree perspective (near 0.1, far 50) and an identity modelview.
void setViewport(int width, int height, float x, float y);
bool initRenderState();
void beginOverlayTopLeft();
void beginOverlayBottomLeft();
void endOverlay();

void buildHudFont();
void deleteHudFont();
void printHudText(float x, float y, const char* format, ...) __attribute__((format(printf, 3, 4)));
