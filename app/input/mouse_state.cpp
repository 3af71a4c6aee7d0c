#include "app/input/mouse_state.h"

#include <cstdlib>

MouseInput mouseInput;

namespace {

constexpr int kTiltStepPixels = kDragPixelsPerDegree * kDragTiltStep;

// A click beyond the capacity is dropped (sixteen in one frame is far beyond any hand).
void queueClick(MouseButton button, double x, double y) {
    if (mouseInput.clickCount >= kMouseClickCapacity) return;
    mouseInput.clicks[mouseInput.clickCount++] = MouseClick{button, x, y};
}

}  // namespace

void recordLeftPress(double x, double y) { queueClick(MouseButton::Left, x, y); }

void recordRightPress() {
    mouseInput.rightHeld = true;
    mouseInput.rightDragged = false;
    mouseInput.travelX = mouseInput.travelY = 0;
    mouseInput.dragX = mouseInput.dragY = 0;
}

void recordRightRelease(double x, double y) {
    if (!mouseInput.rightHeld) return;
    if (!mouseInput.rightDragged) queueClick(MouseButton::Right, x, y);
    // A drag is still turned into view angles by the next frame, so one made
    // and let go between two frames turns the view too.
    mouseInput.rightHeld = false;
}

void recordPointerMotion(int dx, int dy) {
    if (!mouseInput.rightHeld) return;
    mouseInput.dragX += dx;
    mouseInput.dragY += dy;
    mouseInput.travelX += std::abs(dx);
    mouseInput.travelY += std::abs(dy);
    // Moving less than a degree's worth along both axes still leaves a click.
    if (mouseInput.travelX >= kDragPixelsPerDegree || mouseInput.travelY >= kDragPixelsPerDegree)
        mouseInput.rightDragged = true;
}

void forgetRightButton() { mouseInput.rightHeld = false; }

ViewTurn takeViewTurn() {
    ViewTurn result;
    result.turn = mouseInput.dragX / kDragPixelsPerDegree;
    mouseInput.dragX -= result.turn * kDragPixelsPerDegree;
    const int steps = mouseInput.dragY / kTiltStepPixels;
    mouseInput.dragY -= steps * kTiltStepPixels;
    result.tilt = steps * kDragTiltStep;
    return result;
}

void recordWheel(int steps) { mouseInput.wheelSteps += steps; }

void clearMouseActions() {
    mouseInput.clickCount = 0;
    mouseInput.wheelSteps = 0;
    mouseInput.dragX %= kDragPixelsPerDegree;
    mouseInput.dragY %= kTiltStepPixels;
}

void clearMouseState() { mouseInput = MouseInput{}; }
