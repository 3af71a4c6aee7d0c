// The Xlib side of the platform (platform_x11.h): the keyboard read on the X
// server itself, and the X error handler that lets a vanished window pass.
#include "app/platform/platform_x11.h"

#include "app/input/keystate.h"

#include <X11/Xlib.h>
#include <X11/keysym.h>

namespace {

// The X key symbol of a key the game reads, or 0.
KeySym keySymFor(int virtualKey) {
    if (virtualKey >= VK_A && virtualKey <= VK_A + 25) return XK_a + (virtualKey - VK_A);
    if (virtualKey >= VK_0 && virtualKey <= VK_0 + 9) return XK_0 + (virtualKey - VK_0);
    if (virtualKey >= VK_F1 && virtualKey <= VK_F1 + 11) return XK_F1 + (virtualKey - VK_F1);
    switch (virtualKey) {
        case VK_LEFT: return XK_Left;
        case VK_UP: return XK_Up;
        case VK_RIGHT: return XK_Right;
        case VK_DOWN: return XK_Down;
        case VK_ESCAPE: return XK_Escape;
        case VK_RETURN: return XK_Return;
        default: return 0;
    }
}

// The handler that was there before tolerateVanishedX11Windows (Xlib's own),
// for every other error. Xlib hands its handler no context, so it is kept here.
XErrorHandler previousErrorHandler = nullptr;

// SDL wakes its event wait by sending an event to a window of the game over a
// second connection to the X server; when the window is destroyed just then
// (the display switch, the end of the program), the server may take the
// destruction first and answer the wakeup with BadWindow, which Xlib's own
// handler turns into the end of the program. A window that is already gone
// is nothing to end the game for.
int toleratingErrorHandler(Display* display, XErrorEvent* error) {
    if (error->error_code == BadWindow || error->error_code == BadDrawable) return 0;
    return previousErrorHandler ? previousErrorHandler(display, error) : 0;
}

}  // namespace

KeyReading readX11Key(Display* display, int virtualKey) {
    const KeySym symbol = keySymFor(virtualKey);
    const KeyCode code = symbol ? XKeysymToKeycode(display, symbol) : 0;
    if (code == 0) return KeyReading::Unknown;
    char keys[32] = {};
    XQueryKeymap(display, keys);
    return (keys[code / 8] & (1 << (code % 8))) ? KeyReading::Down : KeyReading::Up;
}

void tolerateVanishedX11Windows() {
    if (!previousErrorHandler) previousErrorHandler = XSetErrorHandler(toleratingErrorHandler);
}
