#include "app/platform_events.h"

#include "app/shell/keystate.h"
#include "app/shell/mouse_state.h"
#include "app/platform_window.h"
#include "app/render_window.h"
#include "app/shell/shell.h"

#include <SDL2/SDL.h>

int virtualKeyFor(SDL_Keycode key) {
    if (key >= SDLK_a && key <= SDLK_z) return VK_A + (key - SDLK_a);
    if (key >= SDLK_0 && key <= SDLK_9) return VK_0 + (key - SDLK_0);
    if (key >= SDLK_KP_1 && key <= SDLK_KP_9) return 0x61 + (key - SDLK_KP_1);  // numeric pad 1..9
    if (key >= SDLK_F1 && key <= SDLK_F12) return VK_F1 + (key - SDLK_F1);
    switch (key) {
        case SDLK_BACKSPACE: return 8;
        case SDLK_TAB: return 9;
        case SDLK_RETURN:
        case SDLK_KP_ENTER: return VK_RETURN;
        case SDLK_ESCAPE: return VK_ESCAPE;
        case SDLK_SPACE: return 32;
        case SDLK_PAGEUP: return 33;
        case SDLK_PAGEDOWN: return 34;
        case SDLK_END: return 35;
        case SDLK_HOME: return 36;
        case SDLK_LEFT: return VK_LEFT;
        case SDLK_UP: return VK_UP;
        case SDLK_RIGHT: return VK_RIGHT;
        case SDLK_DOWN: return VK_DOWN;
        case SDLK_INSERT: return 45;
        case SDLK_DELETE: return 46;
        case SDLK_KP_0: return 0x60;
        case SDLK_LSHIFT:
        case SDLK_RSHIFT: return 16;
        case SDLK_LCTRL:
        case SDLK_RCTRL: return 17;
        default: return -1;
    }
}

int virtualKeyFor(SDL_Keycode key, SDL_Scancode scancode) {
    // The letter keys give A..Z whatever the layout: a key whose symbol is no
    // Latin letter (a Cyrillic or Greek layout) is read by its place on the
    // keyboard, while Latin layouts (AZERTY, QWERTZ) keep their own letters.
    const bool latinLetter = key >= SDLK_a && key <= SDLK_z;
    if (!latinLetter && scancode >= SDL_SCANCODE_A && scancode <= SDL_SCANCODE_Z)
        return VK_A + (scancode - SDL_SCANCODE_A);
    return virtualKeyFor(key);
}

namespace {

// F10 and everything typed with Alt are system keys: the game never sees them.
bool isSystemKey(const SDL_KeyboardEvent& key) {
    return key.keysym.sym == SDLK_F10 || (key.keysym.mod & KMOD_ALT) != 0 || key.keysym.sym == SDLK_LALT ||
           key.keysym.sym == SDLK_RALT;
}

bool windowIsMinimised() {
    SDL_Window* window = renderWindowHandle();
    return window && (SDL_GetWindowFlags(window) & SDL_WINDOW_MINIMIZED) != 0;
}

void resizeViewport(const SDL_WindowEvent& change) {
    int width = change.data1;
    int height = change.data2;
    SDL_Window* window = renderWindowHandle();
    if (window && SDL_GetWindowID(window) == change.windowID) SDL_GL_GetDrawableSize(window, &width, &height);
    setViewport(width, height, 0.0f, 0.0f);
}

// A pointer position in window coordinates as a point in GL pixels: from the
// lower-left corner of the drawable, at the pixel's centre.
MousePoint glPoint(int x, int y) {
    SDL_Window* window = renderWindowHandle();
    int width = windowWidth, height = windowHeight, drawableWidth = width, drawableHeight = height;
    if (window) {
        SDL_GetWindowSize(window, &width, &height);
        SDL_GL_GetDrawableSize(window, &drawableWidth, &drawableHeight);
    }
    const double scaleX = width > 0 ? static_cast<double>(drawableWidth) / width : 1.0;
    const double scaleY = height > 0 ? static_cast<double>(drawableHeight) / height : 1.0;
    return MousePoint{(x + 0.5) * scaleX, drawableHeight - (y + 0.5) * scaleY};
}

// Set when the pointer enters the window: the position SDL reports with it
// (also when a fullscreen window opens under a still pointer) is not a move.
bool pointerJustEntered = false;

// Fullscreen hides the pointer until the mouse is moved.
void revealPointerIfMoved(const SDL_MouseMotionEvent& motion) {
    const bool moved = !pointerJustEntered && (motion.xrel != 0 || motion.yrel != 0);
    pointerJustEntered = false;
    if (moved && fullscreen && SDL_ShowCursor(SDL_QUERY) == SDL_DISABLE) SDL_ShowCursor(SDL_ENABLE);
}

void mouseButton(const SDL_MouseButtonEvent& button) {
    const MousePoint at = glPoint(button.x, button.y);
    if (button.button == SDL_BUTTON_LEFT && button.type == SDL_MOUSEBUTTONDOWN) recordLeftPress(at.x, at.y);
    if (button.button == SDL_BUTTON_RIGHT && button.type == SDL_MOUSEBUTTONDOWN) recordRightPress();
    if (button.button == SDL_BUTTON_RIGHT && button.type == SDL_MOUSEBUTTONUP) recordRightRelease(at.x, at.y);
}

}  // namespace

EventOutcome windowProcedure(const SDL_Event& event) {
    switch (event.type) {
        case SDL_QUIT: return EventOutcome::Quit;
        case SDL_KEYDOWN:
        case SDL_KEYUP: {
            const SDL_KeyboardEvent& key = event.key;
            if (isSystemKey(key)) {
                // Alt+F4 closes the window, as the system's own keys would.
                const bool altF4 = event.type == SDL_KEYDOWN && key.keysym.sym == SDLK_F4 && (key.keysym.mod & KMOD_ALT);
                return altF4 ? EventOutcome::Quit : EventOutcome::Continue;
            }
            const int code = virtualKeyFor(key.keysym.sym, key.keysym.scancode);
            if (code < 0) return EventOutcome::Continue;
            // An auto-repeat is no new press; the key is held down already.
            if (key.repeat) return EventOutcome::Continue;
            if (event.type == SDL_KEYDOWN) {
                KeyState[code] = 1;
                queueKeyPress(code);
            } else {
                KeyState[code] = 0;
            }
            return EventOutcome::Continue;
        }
        case SDL_MOUSEBUTTONDOWN:
        case SDL_MOUSEBUTTONUP: mouseButton(event.button); return EventOutcome::Continue;
        case SDL_MOUSEMOTION:
            if (mouseInput.rightHeld && !(event.motion.state & SDL_BUTTON_RMASK)) forgetRightButton();
            recordPointerMotion(event.motion.xrel, event.motion.yrel);
            revealPointerIfMoved(event.motion);
            return EventOutcome::Continue;
        case SDL_WINDOWEVENT:
            switch (event.window.event) {
                case SDL_WINDOWEVENT_CLOSE: return EventOutcome::Quit;
                case SDL_WINDOWEVENT_MINIMIZED: windowActive = 0; break;
                case SDL_WINDOWEVENT_RESTORED:
                case SDL_WINDOWEVENT_MAXIMIZED:
                case SDL_WINDOWEVENT_SHOWN: windowActive = 1; break;
                // Focus changes look only at whether the window is minimised;
                // keys released elsewhere stay down in KeyState.
                case SDL_WINDOWEVENT_FOCUS_GAINED:
                case SDL_WINDOWEVENT_FOCUS_LOST: windowActive = windowIsMinimised() ? 0 : 1; break;
                case SDL_WINDOWEVENT_SIZE_CHANGED: resizeViewport(event.window); break;
                // The pointer position reported with entering is no movement.
                case SDL_WINDOWEVENT_ENTER: pointerJustEntered = true; break;
                // Uncovered or restored: what the window showed may be gone.
                case SDL_WINDOWEVENT_EXPOSED: windowNeedsRedraw = true; break;
                default: break;
            }
            return EventOutcome::Continue;
        default: return EventOutcome::Continue;
    }
}
