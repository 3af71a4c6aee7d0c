#include "app/screens/screens.h"

#include "app/input/keystate.h"
#include "app/input/mouse_state.h"
#include "app/screens/play_session.h"
#include "app/screens/review_screens.h"
#include "app/platform/platform.h"
#include "app/platform/render_window.h"
#include "engine/rules/board.h"
#include "engine/game/turn.h"
#include "scene/scene.h"

unsigned char currentScreen = 1;
double frameSeconds = 0;

int drawCurrentScreen() {
    if (currentScreen == kGamesListScreen || currentScreen == kReviewScreen)
        drawReviewScreens(false);
    else if (currentScreen == 1)
        drawStartMenuFrame();
    else
        drawPlayFrame();
    return 1;
}

bool drawCurrentScreenIfChanged() {
    if (currentScreen == kGamesListScreen || currentScreen == kReviewScreen) return drawReviewScreens(true);
    if (currentScreen == 0) return drawPlayFrameIfChanged();
    drawStartMenuFrame();
    windowNeedsRedraw = false;
    forgetShownPlayPicture();
    return true;
}

void resetScreens() {
    currentScreen = 1;
    menuItem = 1;
    greenSide = 1;
    resetGame();
    viewAngleX = 0;
    viewAngleY = 0;
    winPictureFrames = 0;
    forgetShownPlayPicture();
    playSession.reset();
    closeReview();
    clearKeyState();
    clearMouseState();
}
