#include "app/screens/mouse_actions.h"

#include "app/input/mouse_state.h"
#include "app/screens/menu_layout.h"
#include "engine/rules/board.h"
#include "engine/game/turn.h"
#include "engine/game/view.h"
#include "scene/picking.h"

#include <GL/gl.h>

#include <algorithm>

static_assert(kDragTiltStep == kTiltStep, "a drag tilts the view in the arrow keys' steps");

namespace {

void clickSquare(const Square& square) {
    const bool onlyFromTyped = typedMove[3] == 0 && typedMove[4] == 0;
    if (onlyFromTyped && typedMove[1] == square.file && typedMove[2] == square.rank)
        clearTypedMove();
    else
        typeSquare(square.file, square.rank);
}

}  // namespace

void applyPlayMouse() {
    GLint viewport[4] = {0, 0, 0, 0};
    glGetIntegerv(GL_VIEWPORT, viewport);
    PickCamera camera;
    camera.viewportX = viewport[0];
    camera.viewportY = viewport[1];
    camera.viewportWidth = viewport[2];
    camera.viewportHeight = viewport[3];
    camera.angleX = viewAngleX;
    camera.angleY = viewAngleY;
    for (int i = 0; i < mouseInput.clickCount; ++i) {
        const MouseClick& click = mouseInput.clicks[i];
        if (click.button == MouseButton::Right) {
            clearTypedMove();
        } else {
            const Square square = pickSquare(camera, click.x, click.y, board);
            if (square.file != 0) clickSquare(square);
        }
    }
    applyMouseViewTurn();
}

void applyMouseViewTurn() {
    const ViewTurn turn = takeViewTurn();
    viewAngleY += turn.turn;
    if (turn.tilt != 0) viewAngleX = std::clamp(viewAngleX + turn.tilt, kMinTilt, kMaxTilt);
}

int menuItemClicked(int index, int width, int height, const ShownMenuItems& shown) {
    if (index < 0 || index >= mouseInput.clickCount) return 0;
    const MouseClick& click = mouseInput.clicks[index];
    if (click.button != MouseButton::Left) return 0;
    return menuItemAt(click.x, click.y, width, height, shown);
}
