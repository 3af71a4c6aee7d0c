#pragma once
// The two screens: the start menu and the play screen.

// 1 = "Select side", 2 = "Start the game".
extern int menuItem;

// One frame of whichever screen currentScreen selects; always returns 1.
int drawCurrentScreen();
void drawStartMenuFrame();
void drawStartMenuOverlay();
void drawPlayFrame();
// Called when a game starts: arrow keys already held then do not turn the play
// view until they have been released and pressed again.
void ignoreHeldArrowKeys();
