#pragma once
// One complete picture of the game world: room, table, board, pieces, the turn
// indicator, typed-square highlights and the winner picture.

// Scene drawings that showed a winner picture since the counter was last cleared.
extern int winPictureFrames;

void drawScene();
// Whether drawScene would show a winner picture now.
bool sceneShowsWinnerPicture();
void drawEntryHighlights();
// Hands the engine's turn driver its scene drawer (push, drawScene, pop).
void installTurnSceneDrawer();
