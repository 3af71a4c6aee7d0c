#pragma once
// scene/ draws the game world in fixed-function GL: the room and its furniture
// (room.h), the board and the pieces (models.h), the shapes kept in display
// lists (shape_cache.h), and which square lies under a point of the picture
// (picking.h, no GL). It reads the engine's position and the ground floor
// (app/shell/), and nothing else of the program.
//
// This header: one complete picture of the game world: room, table, board,
// pieces, the turn indicator, typed-square highlights and the winner picture.

// Scene drawings that showed a winner picture since the counter was last cleared.
extern int winPictureFrames;

void drawScene();
// Whether drawScene would show a winner picture now.
bool sceneShowsWinnerPicture();
void drawEntryHighlights();
// Hands the engine's turn driver its scene drawer (push, drawScene, pop).
void installTurnSceneDrawer();
