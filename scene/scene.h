#pragma once
// scene/ draws the game world in fixed-function GL: the room and its furniture
// (room.h), the board and the pieces (models.h), the shapes kept in display
// lists (shape_cache.h), and which square lies under a point of the picture
// (picking.h, no GL). It reads the engine's position and the pictures, and
// nothing of the program around it: what it has to say goes back as results.
//
// This header: one complete picture of the game world: room, table, board,
// pieces, the turn indicator, typed-square highlights and the winner picture.

// Scene drawings that showed a winner picture since the counter was last cleared.
extern int winPictureFrames;

// What a drawing of the scene means for the game: the tenth drawing of a winner
// picture ends it (the caller returns to the start menu).
enum class SceneOutcome { GameGoesOn, GameOver };

SceneOutcome drawScene();
// Whether drawScene would show a winner picture now.
bool sceneShowsWinnerPicture();
void drawEntryHighlights();
