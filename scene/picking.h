#pragma once
// Which board square lies under a point of the play picture: the ray through
// that pixel, cast with the play camera, against the board's playing surface and
// the visible bodies of the pieces. No GL: the camera is computed here from the
// play camera's definition (scene/camera.h) exactly as the play frame sets it up
// (its perspective over the viewport, the world moved by the eye offset, then
// turned by the view angles about x and then y).

#include "engine/rules/board.h"
#include "engine/game/view.h"
#include "scene/camera.h"

struct PickCamera {
    // The GL viewport the picture was drawn in, in window pixels from the
    // lower-left corner.
    double viewportX = 0, viewportY = 0, viewportWidth = 640, viewportHeight = 480;
    // viewAngleX and viewAngleY of the picture, in degrees.
    double angleX = 0, angleY = 0;
};

// The square seen at window point (x, y) (pixels from the lower-left corner;
// a pixel's centre is at +0.5). A man or king hit first gives the square it
// stands on; the playing surface gives the square under the point; anything
// else (the table, the room, the board's edge, the turn ball) gives (0, 0).
Square pickSquare(const PickCamera& camera, double x, double y, const Board& position);
