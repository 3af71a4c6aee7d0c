#pragma once
// app/ is the program around the engine and the scene: main.cpp (start-up and
// the frame loop), the two screens (this header: start_menu.cpp, play_screen.cpp,
// screens.cpp), what the mouse does on them (mouse_actions.h), the F1 switch of
// display mode (display_switch.h), the command line and the data folder read
// before any window opens, the platform seam over SDL (platform.h) and the GL
// services on its window (render_window.h, the HUD font), the window's state
// (window_state.h) and the menu's layout (menu_layout.h). Its ground floor,
// app/input/, holds the key and mouse state the platform writes and the screens
// read. The screens own the frame: they hand the engine its keys and take the
// scene's results; nothing below calls back up.
//
// The two screens: the start menu and the play screen. A play frame reads the
// keys and clicks since the last frame and moves the game on, then draws; a
// menu frame draws its four views of the board as the last frame left it, then
// reads its keys and clicks, then draws the menu as they left it.

// 1 shows the start menu, 0 the play screen.
extern unsigned char currentScreen;
// The time of the frame being drawn, in seconds of a steady clock: the main
// loop sets it before each frame (moves travel and replies wait by it).
extern double frameSeconds;
// The selected item of the start menu: 1 = "Select side", 2 = "Start the game",
// 3 = "Continue the game", 4 = "Level: ..." (app/screens/menu_layout.h).
extern int menuItem;

// Set (the default), the start menu draws two of its four views and copies the
// second one's pixels into the third and fourth: half the work, the same
// picture to the eye, but edge pixels that differ from drawing each view in its
// place. Cleared, all four are drawn in place.
extern bool menuCopiesViews;

// One frame of whichever screen currentScreen selects; always returns 1.
int drawCurrentScreen();
// The same, except that a play frame whose picture would not change since the
// last one shown is not drawn (its keys and the turn driver still run); returns
// whether a frame was drawn and so needs presenting.
bool drawCurrentScreenIfChanged();
// A start-menu frame: the four views of the board as the last frame left it,
// then the menu's keys and clicks (which may start a game), then the captions,
// the bar over the selected item and the player's colour; the views turn a step.
void drawStartMenuFrame();
void drawPlayFrame();
// A play frame that draws only when the picture would change: see drawCurrentScreenIfChanged.
bool drawPlayFrameIfChanged();
// The next play frame is drawn whatever the last one showed (a menu frame came between).
void forgetShownPlayPicture();
// Called when a game starts: arrow keys already held then do not turn the play
// view until they have been released and pressed again.
void ignoreHeldArrowKeys();
// The play screen takes over a game just set up (new, continued or opened):
// the view straight on, its moves taken as shown.
void beginPlaying();
// The game being played is left (Escape, its end shown, the window closed): an
// unfinished record is marked abandoned, the computer's search and a hint stop.
void leavePlay();
// Everything the screens keep from frame to frame as the program starts: the
// start menu on its first item, side 1 green, a new game set up, the view
// straight on, no winner picture counted, no play picture remembered, the keys
// and the mouse at rest. The window and its viewport are left as they are.
void resetScreens();
