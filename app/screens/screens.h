#pragma once
// The two screens: the start menu and the play screen. A play frame reads the
// keys and clicks since the last frame and moves the game on, then draws; a
// menu frame draws its four views of the board as the last frame left it, then
// reads its keys and clicks, then draws the menu as they left it. The game
// being played, from its start on the menu (or the command line) to its end,
// is the play session's (app/screens/play_session.h).

// 1 shows the start menu, 0 the play screen; 2 and 3 the list of the games
// kept and the review of one (app/screens/review_screens.h).
extern unsigned char currentScreen;
// The time of the frame being drawn, in seconds of a steady clock: the main
// loop sets it before each frame (moves travel and replies wait by it).
extern double frameSeconds;
// The selected item of the start menu: 1 = "Select side", 2 = "Start the game",
// 3 = "Continue the game", 4 = "Opponent: ...", 5 = "Levels: ... v ...",
// 6 = "Your games" (app/screens/menu_layout.h).
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
// Everything the screens keep from frame to frame as the program starts: the
// start menu on its first item, side 1 green, a new game set up, the view
// straight on, no winner picture counted, no play picture remembered, the play
// session showing nothing, the keys and the mouse at rest. The window and its viewport are left as they are.
void resetScreens();
