#pragma once
// The ground floor of the game: what every other part may read and nothing here
// depends on. The key state (keystate.h), the mouse state (mouse_state.h) and,
// here, the few globals of the window and the screens. No window, no GL: the
// engine, the scene and the screens all stand on it.

// 1 shows the start menu, 0 the play screen.
extern unsigned char currentScreen;
// Frames are drawn only while the window is not minimised.
extern unsigned char windowActive;
// Display mode of the window: 1 fullscreen, 0 windowed.
extern unsigned char fullscreen;
// The size the window is created with and the menus lay out against.
extern int windowWidth;
extern int windowHeight;
