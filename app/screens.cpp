#include "app/screens.h"

#include "app/platform.h"
#include "app/render_window.h"
#include "app/shell/shell.h"

int drawCurrentScreen() {
    if (currentScreen == 1)
        drawStartMenuFrame();
    else
        drawPlayFrame();
    return 1;
}

bool drawCurrentScreenIfChanged() {
    if (currentScreen == 0) return drawPlayFrameIfChanged();
    drawStartMenuFrame();
    windowNeedsRedraw = false;
    forgetShownPlayPicture();
    return true;
}
