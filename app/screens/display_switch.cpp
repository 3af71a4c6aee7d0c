#include "app/screens/display_switch.h"

#include "app/input/keystate.h"
#include "app/platform/platform.h"
#include "app/platform/render_window.h"
#include "app/platform/window_state.h"
#include "scene/shape_cache.h"
#include "textures/texture_set.h"

bool replaceRenderWindow(const char* title, int colourDepth) {
    // F1 (or another key) may still be down: the new window must not take its
    // next auto-repeat for a new press.
    keysHeldThroughWindowChange();
    destroyRenderWindow();
    // The cached shapes' display lists died with the old context.
    forgetShapeCache();
    fullscreen = fullscreen ? 0 : 1;
    if (!createRenderWindow(title, windowWidth, windowHeight, colourDepth, fullscreen != 0)) return false;
    loadTextures();
    return true;
}
