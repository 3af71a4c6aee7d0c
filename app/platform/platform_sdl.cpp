// The one file of the game that speaks to SDL: the platform seam of
// app/platform/platform.h. The video system, the window and its GL context, the events
// into the key and mouse state, the message boxes and the wait for a frame.
#include "app/platform/platform.h"

#include "app/input/keystate.h"
#include "app/input/mouse_state.h"
#include "app/platform/platform_x11.h"
#include "app/platform/window_state.h"
#include "engine/rules/translation.h"

#include <SDL2/SDL.h>
#include <langinfo.h>
#include <locale.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <initializer_list>
#include <string>

namespace {

// The click that gives the window the focus is for the window manager, not
// the game: a window manager hands it on to the window just after (or, some
// do, just before) the focus arrives. A button pressed within this long of the
// focus arriving is no click; nobody aims and clicks that fast after a change
// of window.
constexpr Uint32 kFocusClickMilliseconds = 250;

// The focus and the presses that may have come with it.
struct FocusClicks {
    bool haveFocus = true;
    bool gainedOnce = false;
    Uint32 gainedAt = 0;
    // A left press while the window lacks the focus waits here until it is
    // clear that no focus came with it.
    bool leftPressWaiting = false;
    Uint32 leftPressAt = 0;
    MousePoint leftPressPoint;
    // A right press while the window lacked the focus, not yet known not to be a focus click.
    bool rightPressUnfocused = false;
    Uint32 rightPressAt = 0;
};

// Everything this back-end keeps from call to call.
struct PlatformState {
    // SDL's own words for the last failed start of its X11 video driver; empty
    // when it started or was not tried again.
    std::string x11Failure;
    // The game's window and its context; whether the video system is held for
    // the game's windows, and whether the pointer is hidden over the window.
    SDL_Window* window = nullptr;
    SDL_GLContext context = nullptr;
    bool videoHeld = false;
    bool pointerHidden = false;
    // Set when the pointer enters the window: the position SDL reports with it
    // (also when a fullscreen window opens under a still pointer) is not a move.
    bool pointerJustEntered = false;
    // The size of the drawable after the last size change.
    WindowSize resized;
    FocusClicks focus;
};
PlatformState platform;

}  // namespace

// --- Start and end ----------------------------------------------------------

namespace {

// How often SDL's X11 driver is tried in all, a fifth of a second apart.
constexpr int kX11Tries = 6;
constexpr Uint32 kX11PauseMs = 200;

// Whether SDL_VIDEODRIVER names `driver`, and whether `driver` shows nothing
// on a screen (with the display check below).
bool requestedByName(const char* driver);
bool isHeadless(const char* driver);

// Whether the game should come up on X: DISPLAY names a server and
// SDL_VIDEODRIVER leaves the choice to SDL or names x11.
bool x11Expected() {
    const char* display = std::getenv("DISPLAY");
    const char* requested = std::getenv("SDL_VIDEODRIVER");
    return display && *display && (!requested || !*requested || requestedByName("x11"));
}

// The video system started again on the X11 driver alone.
bool restartOnX11() {
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
    SDL_SetHintWithPriority(SDL_HINT_VIDEODRIVER, "x11", SDL_HINT_OVERRIDE);
    const bool started = SDL_InitSubSystem(SDL_INIT_VIDEO) == 0;
    platform.x11Failure = started ? "" : SDL_GetError();
    SDL_ResetHint(SDL_HINT_VIDEODRIVER);
    return started;
}

}  // namespace

void startPlatform() {
    tolerateVanishedX11Windows();
    SDL_SetHint(SDL_HINT_VIDEO_ALLOW_SCREENSAVER, "0");
    SDL_Init(SDL_INIT_VIDEO);  // a failure is reported by haveDisplay
    // An X server can refuse a client for a moment (just after another one
    // left), and SDL then takes a headless driver: X11 is tried again a few
    // times over a second before SDL's own choice stands. A driver that shows
    // a window (X11, or Wayland where SDL chose it) is kept.
    const char* current = SDL_GetCurrentVideoDriver();
    if ((current && !isHeadless(current)) || !x11Expected()) return;
    const char* tries = std::getenv("DRAUGHTS3D_X11_TRIES");
    for (int tried = 1, all = tries ? std::atoi(tries) : kX11Tries; tried < all; ++tried) {
        SDL_Delay(kX11PauseMs);
        if (restartOnX11()) return;
    }
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
    SDL_InitSubSystem(SDL_INIT_VIDEO);
}

void stopPlatform() { SDL_Quit(); }

// --- The display check ------------------------------------------------------

namespace {

const char* const kHeadlessDrivers[] = {"offscreen", "dummy"};

bool isHeadless(const char* driver) {
    for (const char* headless : kHeadlessDrivers)
        if (SDL_strcasecmp(driver, headless) == 0) return true;
    return false;
}

// Whether SDL_VIDEODRIVER (a name, or names separated by commas) names `driver`.
bool requestedByName(const char* driver) {
    const char* requested = std::getenv("SDL_VIDEODRIVER");
    if (!requested) return false;
    std::string list = requested;
    std::size_t start = 0;
    while (start <= list.size()) {
        std::size_t end = list.find(',', start);
        if (end == std::string::npos) end = list.size();
        if (SDL_strcasecmp(list.substr(start, end - start).c_str(), driver) == 0) return true;
        start = end + 1;
    }
    return false;
}

}  // namespace

DisplayStatus displayStatus() {
    DisplayStatus status;
    const char* driver = SDL_GetCurrentVideoDriver();
    status.usable = driver && (!isHeadless(driver) || requestedByName(driver));
    if (driver) status.driver = driver;
    if (!driver) status.reason = SDL_GetError();
    status.x11Failure = platform.x11Failure;
    // A box may still be shown without the video system; with it, not always.
    if (!status.usable) SDL_QuitSubSystem(SDL_INIT_VIDEO);
    return status;
}

// --- Message boxes ----------------------------------------------------------

namespace {

Uint32 sdlFlags(MessageIcon icon) {
    switch (icon) {
        case MessageIcon::Error: return SDL_MESSAGEBOX_ERROR;
        case MessageIcon::Warning: return SDL_MESSAGEBOX_WARNING;
        case MessageIcon::Information:
        case MessageIcon::Question: break;
    }
    return SDL_MESSAGEBOX_INFORMATION;
}

// The buttons' ids in a Yes/No box.
constexpr int kYes = 6;
constexpr int kNo = 7;

bool beyondAscii(const char* text) {
    for (; *text; ++text)
        if (static_cast<unsigned char>(*text) >= 0x80) return true;
    return false;
}

bool environmentLocaleIsUtf8() {
    const locale_t named = newlocale(LC_CTYPE_MASK, "", static_cast<locale_t>(nullptr));
    if (!named) return false;
    const bool utf8 = std::strcmp(nl_langinfo_l(CODESET, named), "UTF-8") == 0;
    freelocale(named);
    return utf8;
}

// SDL draws an X message box in the locale the environment names, set for the
// box alone. In C, or in a locale the C library lacks (ru_RU.UTF-8 on a machine
// with C.UTF-8 only), no letter beyond ASCII shows: a box with such letters is
// shown as if the environment said C.UTF-8, which the C library always has.
// A box in ASCII is shown as it always was.
class BoxLocale {
public:
    explicit BoxLocale(std::initializer_list<const char*> texts) {
        bool wide = false;
        for (const char* text : texts) wide = wide || (text && beyondAscii(text));
        if (!wide || environmentLocaleIsUtf8()) return;
        changed_ = true;
        if (const char* value = std::getenv("LC_ALL")) {
            hadValue_ = true;
            value_ = value;
        }
        setenv("LC_ALL", "C.UTF-8", 1);
    }
    ~BoxLocale() {
        if (!changed_) return;
        if (hadValue_)
            setenv("LC_ALL", value_.c_str(), 1);
        else
            unsetenv("LC_ALL");
    }
    BoxLocale(const BoxLocale&) = delete;
    BoxLocale& operator=(const BoxLocale&) = delete;

private:
    bool changed_ = false;
    bool hadValue_ = false;
    std::string value_;
};

}  // namespace

bool tryMessageBox(const char* caption, const char* text, MessageIcon icon) {
    const BoxLocale locale{caption, text};
    return SDL_ShowSimpleMessageBox(sdlFlags(icon), caption, text, nullptr) == 0;
}

void showMessageBox(const char* caption, const char* text, MessageIcon icon) {
    const SDL_MessageBoxButtonData ok = {
        SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT | SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT, 1, "OK"};
    SDL_MessageBoxData box = {};
    box.flags = sdlFlags(icon);
    box.title = caption;
    box.message = text;
    box.numbuttons = 1;
    box.buttons = &ok;
    int pressed = 0;
    const BoxLocale locale{caption, text};
    if (SDL_ShowMessageBox(&box, &pressed) != 0) std::fprintf(stderr, "%s: %s\n", caption, text);
}

Answer askYesNo(const char* caption, const char* text, MessageIcon icon, Answer answerWithoutBox) {
    const SDL_MessageBoxButtonData buttons[2] = {
        {SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT, kYes, tr("Yes")},
        {SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT, kNo, tr("No")},
    };
    SDL_MessageBoxData box = {};
    box.flags = sdlFlags(icon);
    box.title = caption;
    box.message = text;
    box.numbuttons = 2;
    box.buttons = buttons;
    int pressed = -1;
    const BoxLocale locale{caption, text, buttons[0].text, buttons[1].text};
    if (SDL_ShowMessageBox(&box, &pressed) != 0) {
        std::fprintf(stderr, "%s: %s\n(no message box could be shown: %s)\nAnswered: %s\n", caption, text,
                     SDL_GetError(), answerWithoutBox == Answer::Yes ? "Yes" : "No");
        return answerWithoutBox;
    }
    if (pressed == kYes) return Answer::Yes;
    if (pressed == kNo) return Answer::No;
    return Answer::NoAnswer;
}

// --- The window -------------------------------------------------------------

bool windowNeedsRedraw = true;

namespace {

// A display mode of exactly width x height whose pixels take `colourDepth` bits
// (SDL counts a 32-bit X visual as 24 significant bits in 4 bytes).
bool findDisplayMode(int width, int height, int colourDepth, SDL_DisplayMode* found) {
    const int count = SDL_GetNumDisplayModes(0);
    for (int i = 0; i < count; ++i) {
        SDL_DisplayMode mode;
        if (SDL_GetDisplayMode(0, i, &mode) != 0) continue;
        if (mode.w != width || mode.h != height) continue;
        const int bits = static_cast<int>(SDL_BITSPERPIXEL(mode.format));
        const int storedBits = static_cast<int>(SDL_BYTESPERPIXEL(mode.format)) * 8;
        if (bits == colourDepth || storedBits == colourDepth) {
            *found = mode;
            return true;
        }
    }
    return false;
}

// The pixel format request: double-buffered RGBA at the requested colour depth
// with a depth buffer as deep as the visual offers (32, else 24, else 16 bits),
// on an OpenGL 2.1 compatibility context.
SDL_Window* createWindowWithPixelFormat(const char* title, int width, int height, int colourDepth, Uint32 flags) {
    SDL_GL_ResetAttributes();
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 2);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 1);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_COMPATIBILITY);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    SDL_GL_SetAttribute(SDL_GL_RED_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_STENCIL_SIZE, 0);
    const int colourBits[2] = {colourDepth, 24};
    const int depthBits[3] = {32, 24, 16};
    for (int colour : colourBits) {
        SDL_GL_SetAttribute(SDL_GL_BUFFER_SIZE, colour);
        for (int depth : depthBits) {
            SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, depth);
            SDL_Window* made = SDL_CreateWindow(title, 0, 0, width, height, flags);
            if (made) return made;
        }
    }
    return nullptr;
}

void showPointer(bool shown) {
    SDL_ShowCursor(shown ? SDL_ENABLE : SDL_DISABLE);
    platform.pointerHidden = !shown;
}

// Closes a window (a fullscreen one gives the display its own mode back first).
void closeSdlWindow(SDL_Window* closing) {
    if (!closing) return;
    if (SDL_GetWindowFlags(closing) & SDL_WINDOW_FULLSCREEN) SDL_SetWindowFullscreen(closing, 0);
    SDL_DestroyWindow(closing);
}

}  // namespace

SDL_Window* renderWindowHandle() { return platform.window; }

bool holdVideo() {
    if (!platform.videoHeld) platform.videoHeld = SDL_InitSubSystem(SDL_INIT_VIDEO) == 0;
    return platform.videoHeld;
}

void releaseVideo() {
    if (!platform.videoHeld) return;
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
    platform.videoHeld = false;
}

bool displayHasMode(int width, int height, int colourDepth) {
    SDL_DisplayMode mode;
    return findDisplayMode(width, height, colourDepth, &mode);
}

WindowFailure openWindow(const WindowRequest& request) {
    SDL_DisplayMode mode = {};
    if (request.fullscreen) findDisplayMode(request.width, request.height, request.colourDepth, &mode);
    Uint32 flags = SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN;
    if (request.fullscreen)
        flags |= SDL_WINDOW_FULLSCREEN | SDL_WINDOW_BORDERLESS;
    else
        flags |= SDL_WINDOW_RESIZABLE;
    if (platform.window) return WindowFailure::Window;  // one window at a time
    SDL_Window* made =
        createWindowWithPixelFormat(request.title, request.width, request.height, request.colourDepth, flags);
    if (!made) return WindowFailure::Window;
    if (request.stageEnded) request.stageEnded("window");
    if (request.fullscreen && SDL_SetWindowDisplayMode(made, &mode) != 0) {
        closeSdlWindow(made);
        return WindowFailure::Window;
    }
    SDL_GLContext madeContext = SDL_GL_CreateContext(made);
    if (!madeContext) {
        closeSdlWindow(made);
        return WindowFailure::Context;
    }
    platform.window = made;
    platform.context = madeContext;
    if (SDL_GL_MakeCurrent(made, madeContext) != 0) return WindowFailure::Activate;
    // The main loop paces the frames itself.
    SDL_GL_SetSwapInterval(0);
    windowNeedsRedraw = true;
    if (request.stageEnded) request.stageEnded("context");

    // Fullscreen hides the pointer until the mouse is moved.
    showPointer(!request.fullscreen);
    SDL_ShowWindow(made);
    SDL_RaiseWindow(made);
    SDL_SetWindowInputFocus(made);
    // The screen saver and monitor power-down stay off while the game runs.
    SDL_DisableScreenSaver();
    return WindowFailure::None;
}

bool releaseContext() {
    if (!platform.context) return true;
    const bool released = SDL_GL_MakeCurrent(platform.window, nullptr) == 0;
    SDL_GL_DeleteContext(platform.context);
    platform.context = nullptr;
    return released;
}

void closeWindow() {
    releaseContext();
    closeSdlWindow(platform.window);
    platform.window = nullptr;
    if (platform.pointerHidden) showPointer(true);
}

void swapRenderWindow() {
    if (platform.window && platform.context) SDL_GL_SwapWindow(platform.window);
}

void* glFunctionAddress(const char* name) { return SDL_GL_GetProcAddress(name); }

bool glExtensionSupported(const char* name) { return SDL_GL_ExtensionSupported(name) == SDL_TRUE; }

// --- Events -----------------------------------------------------------------

int virtualKeyFor(int keyCode) {
    const SDL_Keycode key = keyCode;
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

int virtualKeyFor(int keyCode, int scancodeNumber) {
    const SDL_Keycode key = keyCode;
    const SDL_Scancode scancode = static_cast<SDL_Scancode>(scancodeNumber);
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

EventOutcome noteResize(const SDL_WindowEvent& change) {
    WindowSize& resized = platform.resized;
    resized = WindowSize{change.data1, change.data2};
    SDL_Window* window = renderWindowHandle();
    if (window && SDL_GetWindowID(window) == change.windowID)
        SDL_GL_GetDrawableSize(window, &resized.width, &resized.height);
    return EventOutcome::Resized;
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

// Fullscreen hides the pointer until the mouse is moved.
void revealPointerIfMoved(const SDL_MouseMotionEvent& motion) {
    const bool moved = !platform.pointerJustEntered && (motion.xrel != 0 || motion.yrel != 0);
    platform.pointerJustEntered = false;
    if (moved && platform.pointerHidden) showPointer(true);
}

bool isFocusClick(Uint32 timestamp) {
    const FocusClicks& focus = platform.focus;
    return focus.gainedOnce && timestamp - focus.gainedAt < kFocusClickMilliseconds;
}

void focusArrived(Uint32 timestamp) {
    FocusClicks& focus = platform.focus;
    focus.haveFocus = true;
    focus.gainedOnce = true;
    focus.gainedAt = timestamp;
    if (focus.leftPressWaiting && timestamp - focus.leftPressAt < kFocusClickMilliseconds)
        focus.leftPressWaiting = false;
    if (focus.rightPressUnfocused && timestamp - focus.rightPressAt < kFocusClickMilliseconds) forgetRightButton();
    focus.rightPressUnfocused = false;
}

// A waiting left press that no focus followed is a click after all.
void settleWaitingPress(Uint32 now) {
    FocusClicks& focus = platform.focus;
    if (!focus.leftPressWaiting || now - focus.leftPressAt < kFocusClickMilliseconds) return;
    focus.leftPressWaiting = false;
    recordLeftPress(focus.leftPressPoint.x, focus.leftPressPoint.y);
}

void mouseButton(const SDL_MouseButtonEvent& button) {
    FocusClicks& focus = platform.focus;
    const bool press = button.type == SDL_MOUSEBUTTONDOWN;
    if (press && isFocusClick(button.timestamp)) return;
    const MousePoint at = glPoint(button.x, button.y);
    if (button.button == SDL_BUTTON_LEFT && press) {
        if (focus.haveFocus) {
            recordLeftPress(at.x, at.y);
        } else {
            focus.leftPressWaiting = true;
            focus.leftPressAt = button.timestamp;
            focus.leftPressPoint = at;
        }
    }
    if (button.button == SDL_BUTTON_RIGHT && press) {
        recordRightPress();
        focus.rightPressUnfocused = !focus.haveFocus;
        focus.rightPressAt = button.timestamp;
    }
    if (button.button == SDL_BUTTON_RIGHT && !press) recordRightRelease(at.x, at.y);
}

}  // namespace

bool setClipboardText(const std::string& text) { return SDL_SetClipboardText(text.c_str()) == 0; }

EventOutcome windowProcedure(const SDL_Event& event) {
    switch (event.type) {
        case SDL_QUIT: return EventOutcome::Quit;
        case SDL_KEYDOWN:
        case SDL_KEYUP: {
            const SDL_KeyboardEvent& key = event.key;
            if (isSystemKey(key)) {
                // Alt+F4 closes the window, as the system's own keys would.
                const bool altF4 =
                    event.type == SDL_KEYDOWN && key.keysym.sym == SDLK_F4 && (key.keysym.mod & KMOD_ALT);
                return altF4 ? EventOutcome::Quit : EventOutcome::Continue;
            }
            const int code = virtualKeyFor(key.keysym.sym, key.keysym.scancode);
            if (code < 0) return EventOutcome::Continue;
            // An auto-repeat is no new press; the key is held down already.
            if (key.repeat) return EventOutcome::Continue;
            if (event.type == SDL_KEYUP)
                keyWentUp(code);
            else
                keyWentDown(code, key.timestamp);
            return EventOutcome::Continue;
        }
        case SDL_MOUSEBUTTONDOWN:
        case SDL_MOUSEBUTTONUP: mouseButton(event.button); return EventOutcome::Continue;
        case SDL_MOUSEWHEEL:
            recordWheel(event.wheel.direction == SDL_MOUSEWHEEL_FLIPPED ? -event.wheel.y : event.wheel.y);
            return EventOutcome::Continue;
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
                // Focus changes look at whether the window is minimised. As the
                // window loses the keyboard, SDL sends a key-up for every key
                // still down (before this event), so a key held while the
                // player turns to another window is up in KeyState.
                case SDL_WINDOWEVENT_FOCUS_GAINED:
                    keyboardArrived(event.window.timestamp);
                    focusArrived(event.window.timestamp);
                    windowActive = windowIsMinimised() ? 0 : 1;
                    break;
                case SDL_WINDOWEVENT_FOCUS_LOST:
                    platform.focus.haveFocus = false;
                    windowActive = windowIsMinimised() ? 0 : 1;
                    break;
                case SDL_WINDOWEVENT_SIZE_CHANGED: return noteResize(event.window);
                // The pointer position reported with entering is no movement.
                case SDL_WINDOWEVENT_ENTER: platform.pointerJustEntered = true; break;
                // Uncovered or restored: what the window showed may be gone.
                case SDL_WINDOWEVENT_EXPOSED: windowNeedsRedraw = true; break;
                default: break;
            }
            return EventOutcome::Continue;
        default: return EventOutcome::Continue;
    }
}

bool handleNextEvent(EventOutcome& outcome) {
    SDL_Event event;
    if (!SDL_PollEvent(&event)) {
        settleWaitingPress(SDL_GetTicks());
        return false;
    }
    outcome = windowProcedure(event);
    return true;
}

WindowSize resizedWindowSize() { return platform.resized; }

void waitForEvent(int milliseconds) {
    if (milliseconds > 0) SDL_WaitEventTimeout(nullptr, milliseconds);
}

// --- The keyboard itself ----------------------------------------------------
// Xlib reads it (platform_x11.cpp); SDL names the X display of the window. Last
// in the file: X's headers, which SDL's window-manager header brings in,
// define names (None, Bool) the code above uses.

#include <SDL2/SDL_syswm.h>

KeyReading readKeyboardKey(int virtualKey) {
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!platform.window || !SDL_GetWindowWMInfo(platform.window, &info) || info.subsystem != SDL_SYSWM_X11)
        return KeyReading::Unknown;
    return readX11Key(info.info.x11.display, virtualKey);
}
