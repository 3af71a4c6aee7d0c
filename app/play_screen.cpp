#include "app/keystate.h"
#include "app/mouse_actions.h"
#include "app/render_window.h"
#include "app/screens.h"
#include "app/shell.h"
#include "engine/turn.h"

#include <GL/gl.h>

namespace {

// The arrow keys VK_LEFT..VK_DOWN that were down when the game started (the
// key that started it among them). Each is kept from turning the view until it
// has been released once.
constexpr int kFirstArrow = VK_LEFT;
constexpr int kArrowCount = VK_DOWN - VK_LEFT + 1;
bool arrowHeldSinceStart[kArrowCount] = {};

// One line of the help block: its colour, position and text.
struct HelpLine {
    float r, g, b;
    float x, y;
    const char* format;
};

const HelpLine kHelpLines[] = {
    {0, 1, 0, 10, 25, "To rotate the camera  : %s"},
    {1, 1, 1, 200, 25, "Key_UP,Key_DOWN,Key_LEFT,Key_RIGHT %s"},
    {0, 1, 0, 10, 40, "To move your draught  : %s"},
    {1, 1, 1, 200, 40, "'a'+'3'->'b'+'4',for example   %s"},
    {0, 1, 0, 10, 55, "To move once more     : %s"},
    {1, 1, 1, 200, 55, "'U' (to clean keyboard buffer) %s"},
    {0, 1, 0, 10, 70, "To moveback           : %s"},
    {1, 1, 1, 200, 70, "'9' %s"},
};

const char* const kCreditName = "Quillow P.D.";

// readMoveKeys, with the arrow keys still held from the start of the game
// looking released to it.
void readMoveKeysIgnoringHeldArrows() {
    unsigned char saved[kArrowCount];
    for (int i = 0; i < kArrowCount; ++i) {
        unsigned char& key = KeyState[kFirstArrow + i];
        if (!key) arrowHeldSinceStart[i] = false;
        saved[i] = key;
        if (arrowHeldSinceStart[i]) key = 0;
    }
    readMoveKeys();
    for (int i = 0; i < kArrowCount; ++i) KeyState[kFirstArrow + i] = saved[i];
}

}  // namespace

void ignoreHeldArrowKeys() {
    for (int i = 0; i < kArrowCount; ++i) arrowHeldSinceStart[i] = KeyState[kFirstArrow + i] != 0;
}

void drawPlayFrame() {
    // Closes an overlay left open by a start-menu frame.
    endOverlay();
    // Clicks pick squares in the picture on screen, so before the keys turn the view.
    applyPlayMouse();
    readMoveKeysIgnoringHeldArrows();
    if (wasPressed(VK_ESCAPE)) currentScreen = 1;

    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glLoadIdentity();
    glTranslatef(0.0f, -2.0f, -10.0f);
    turnStep();
    // Light 1 at the world origin; governs the drawing from the next frame on.
    const GLfloat lightPosition[4] = {0.0f, 0.0f, 0.0f, 1.0f};
    glLightfv(GL_LIGHT1, GL_POSITION, lightPosition);

    beginOverlayTopLeft();
    for (const HelpLine& line : kHelpLines) {
        glColor3f(line.r, line.g, line.b);
        printHudText(line.x, line.y, line.format, "");
    }
    glColor3f(1.0f, 0.0f, 0.0f);
    printHudText(10.0f, static_cast<float>(windowHeight) - 30.0f, "Created by : %s", kCreditName);
    endOverlay();
}
