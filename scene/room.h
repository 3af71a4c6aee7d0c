#pragma once
// The hand-built surfaces of the scene: board squares, room, table, door,
// shelves, landscape, window glass, typed-square highlights and winner pictures.
// Each restores what it changes (matrices, texturing, blending, alpha test).

void drawBoardSquares();
void drawRoom();
void drawLandscape();
void drawDoor();
void drawShelves();
void drawWindowGlass();
void drawGreenWinsPicture();
void drawPinkWinsPicture();

void highlightFromFile(int file);
void highlightFromSquare(int file, int rank);
void highlightToFile(int file);
void highlightToSquare(int file, int rank);

// The marks a square can carry beyond the typed squares: the last move's from-,
// to- and landing squares and the squares of the pieces it captured; a hint's
// squares; the pieces that must capture.
enum class SquareMarkKind { MoveFrom, MoveTo, MoveLanding, Captured, Hint, MustCapture };
void drawSquareMark(int file, int rank, SquareMarkKind kind);

// The translucent pictures' sequence: alpha test and blending on (source alpha,
// one minus source alpha) ... texturing, blending, alpha test off. The window
// glass and the chandelier's globe begin with it but end by hand, turning off
// blending and the alpha test and leaving texturing as it is.
void beginBlendedDrawing();
void endBlendedDrawing();
