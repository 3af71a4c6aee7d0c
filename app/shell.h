#pragma once
// Shell globals shared by the screens, the main loop and the scene.

// 1 shows the start menu, 0 the play screen.
extern unsigned char currentScreen;
// Frames are drawn only while the window is not minimised.
extern unsigned char windowActive;
// Display mode of the window: 1 fullscreen, 0 windowed.
extern unsigned char fullscreen;
// The size the window is created with and the menus lay out against.
extern int windowWidth;
extern int windowHeight;
