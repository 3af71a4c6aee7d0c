#pragma once
// What the mouse does on the two screens, read from the mouse state once per frame.

// Play screen, before the keys are read: each left click on a square types that
// square (a click on the typed from-square, before any to-square, clears the
// typed squares instead), a right click clears them, and a right-button drag
// turns the view within the arrow keys' limits. The squares are picked in the
// picture on screen: the current viewport and view angles.
void applyPlayMouse();
// The right-button drag alone (on a finished game held on the screen).
void applyMouseViewTurn();

struct ShownMenuItems;
// Start menu: the shown item whose band click `index` of this frame fell on, or
// 0 (a right click, or a left click outside every band).
int menuItemClicked(int index, int width, int height, const ShownMenuItems& shown);
