#pragma once
// The window as the rest of the program sees it: whether frames are drawn, its
// display mode and the size it is made and laid out at. The platform seam and
// the window set-up write them; the main loop and the screens read them.

// Frames are drawn only while the window is not minimised.
extern unsigned char windowActive;
// Display mode of the window: 1 fullscreen, 0 windowed.
extern unsigned char fullscreen;
// The size the window is created with and the menus lay out against.
extern int windowWidth;
extern int windowHeight;
