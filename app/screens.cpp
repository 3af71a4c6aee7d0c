#include "app/screens.h"

#include "app/shell.h"

int drawCurrentScreen() {
    if (currentScreen == 1)
        drawStartMenuFrame();
    else
        drawPlayFrame();
    return 1;
}
