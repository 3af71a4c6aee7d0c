#pragma once
// The GL services the screens share in the window the platform seam opens
// (app/platform.h): the viewport with its perspective, the GL state, the 2D
// overlays, the back-buffer copy and the HUD font.

// Size given to the most recent setViewport (a height of 0 is recorded as 1).
extern int viewportWidth;
extern int viewportHeight;
// First of the 96 display lists holding the HUD glyphs of codes 32..127.
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
// 90-degree perspective (near 0.1, far 50) and an identity modelview.
void setViewport(int width, int height, float x, float y);
bool initRenderState();
void beginOverlayTopLeft();
void beginOverlayBottomLeft();
void endOverlay();

void buildHudFont();
void deleteHudFont();
void printHudText(float x, float y, const char* format, ...) __attribute__((format(printf, 3, 4)));
