#include "app/render_window.h"

#include "app/message_box.h"
#include "app/platform_window.h"
#include "app/shell/shell.h"

#include <GL/gl.h>
#include <GL/glu.h>
#include <SDL2/SDL.h>

int viewportWidth = 0;
int viewportHeight = 0;
bool windowNeedsRedraw = true;
void (*renderWindowStageEnded)(const char* stage) = nullptr;

namespace {

SDL_Window* window = nullptr;
SDL_GLContext context = nullptr;
bool videoHeld = false;  // our hold on SDL's video subsystem, the "window class"

// glBlitFramebuffer (GL 3.0, ARB_framebuffer_object) or its EXT_framebuffer_blit
// twin, taken from the current context; null when it offers neither.
using BlitFramebuffer = void (*)(GLint, GLint, GLint, GLint, GLint, GLint, GLint, GLint, GLbitfield, GLenum);
BlitFramebuffer blitFramebuffer = nullptr;

BlitFramebuffer findBlitFramebuffer() {
    const char* version = reinterpret_cast<const char*>(glGetString(GL_VERSION));
    const bool core = (version && version[0] >= '3' && version[0] <= '9' && version[1] == '.') ||
                      SDL_GL_ExtensionSupported("GL_ARB_framebuffer_object");
    if (core) return reinterpret_cast<BlitFramebuffer>(SDL_GL_GetProcAddress("glBlitFramebuffer"));
    if (SDL_GL_ExtensionSupported("GL_EXT_framebuffer_blit"))
        return reinterpret_cast<BlitFramebuffer>(SDL_GL_GetProcAddress("glBlitFramebufferEXT"));
    return nullptr;
}

void creationError(const char* text) {
    destroyRenderWindow();
    showMessageBox("ERROR", text, MessageIcon::Warning);
}

void shutdownError(const char* text) { showMessageBox("SHUTDOWN ERROR", text, MessageIcon::Information); }

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

}  // namespace

SDL_Window* renderWindowHandle() { return window; }

bool createRenderWindow(const char* title, int width, int height, int colourDepth, bool fullscreenRequest) {
    fullscreen = fullscreenRequest ? 1 : 0;

    // Taking the video subsystem stands where registering the window class was.
    if (!videoHeld) {
        if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
            showMessageBox("ERROR", "Failed To Register The Window Class.", MessageIcon::Warning);
            return false;
        }
        videoHeld = true;
    }

    SDL_DisplayMode mode = {};
    if (fullscreen && !findDisplayMode(width, height, colourDepth, &mode)) {
        const Answer answer = askYesNo("Kiva GL",
                                       "The Requested Fullscreen Mode Is Not Supported By\n"
                                       "Your Video Card. Use Windowed Mode Instead?",
                                       MessageIcon::Warning, Answer::Yes);
        if (answer == Answer::Yes) {
            fullscreen = 0;
        } else {
            showMessageBox("ERROR", "Program Will Now Close.", MessageIcon::Error);
            return false;
        }
    }

    Uint32 flags = SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN;
    if (fullscreen) {
        flags |= SDL_WINDOW_FULLSCREEN | SDL_WINDOW_BORDERLESS;
        SDL_ShowCursor(SDL_DISABLE);
    } else {
        flags |= SDL_WINDOW_RESIZABLE;
    }

    window = createWindowWithPixelFormat(title, width, height, colourDepth, flags);
    if (!window) {
        creationError("Window Creation Error.");
        return false;
    }
    if (renderWindowStageEnded) renderWindowStageEnded("window");
    if (fullscreen && SDL_SetWindowDisplayMode(window, &mode) != 0) {
        creationError("Window Creation Error.");
        return false;
    }

    context = SDL_GL_CreateContext(window);
    if (!context) {
        creationError("Can't Create A GL Rendering Context.");
        return false;
    }
    if (SDL_GL_MakeCurrent(window, context) != 0) {
        creationError("Can't Activate The GL Rendering Context.");
        return false;
    }
    // The main loop paces the frames itself.
    SDL_GL_SetSwapInterval(0);
    blitFramebuffer = findBlitFramebuffer();
    windowNeedsRedraw = true;

    if (renderWindowStageEnded) renderWindowStageEnded("context");

    SDL_ShowWindow(window);
    SDL_RaiseWindow(window);
    SDL_SetWindowInputFocus(window);
    // The screen saver and monitor power-down stay off while the game runs.
    SDL_DisableScreenSaver();

    setViewport(width, height, 0.0f, 0.0f);
    if (!initRenderState()) {
        creationError("Initialization Failed.");
        return false;
    }
    if (renderWindowStageEnded) renderWindowStageEnded("font");
    return true;
}

void destroyRenderWindow() {
    if (fullscreen) {
        if (window) SDL_SetWindowFullscreen(window, 0);  // the desktop's mode comes back
        SDL_ShowCursor(SDL_ENABLE);
    }
    if (context) {
        if (SDL_GL_MakeCurrent(window, nullptr) != 0) shutdownError("Release Of DC And RC Failed.");
        SDL_GL_DeleteContext(context);
        context = nullptr;
        blitFramebuffer = nullptr;
    }
    if (window) {
        SDL_DestroyWindow(window);
        window = nullptr;
    }
    if (videoHeld) {
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        videoHeld = false;
    }
    deleteHudFont();
}

void swapRenderWindow() {
    if (window) SDL_GL_SwapWindow(window);
}

bool copyBackBufferBlock(int fromX, int fromY, int width, int height, int toX, int toY) {
    if (!blitFramebuffer) return false;
    blitFramebuffer(fromX, fromY, fromX + width, fromY + height, toX, toY, toX + width, toY + height,
                    GL_COLOR_BUFFER_BIT, GL_NEAREST);
    return true;
}

void setViewport(int width, int height, float x, float y) {
    if (height == 0) height = 1;
    glViewport(static_cast<GLint>(x), static_cast<GLint>(y), width, height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(90.0, static_cast<double>(width) / static_cast<double>(height), 0.1f, 50.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    viewportWidth = width;
    viewportHeight = height;
}

bool initRenderState() {
    buildHudFont();
    glShadeModel(GL_SMOOTH);
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glClearDepth(1.0);
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LEQUAL);
    glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
    const GLfloat ambient[4] = {0.2f, 0.2f, 0.2f, 1.0f};
    const GLfloat diffuse[4] = {1.0f, 1.0f, 1.0f, 1.0f};
    glLightfv(GL_LIGHT1, GL_AMBIENT, ambient);
    glLightfv(GL_LIGHT1, GL_DIFFUSE, diffuse);
    glEnable(GL_LIGHT1);
    glEnable(GL_LIGHTING);
    glEnable(GL_COLOR_MATERIAL);
    glColorMaterial(GL_FRONT, GL_AMBIENT_AND_DIFFUSE);
    return true;
}

namespace {
void beginOverlay(double bottom, double top, double zNear, double zFar) {
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_LIGHTING);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glOrtho(0.0, viewportWidth, bottom, top, zNear, zFar);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
}
}  // namespace

void beginOverlayTopLeft() { beginOverlay(viewportHeight, 0.0, -1.0, 1.0); }

void beginOverlayBottomLeft() { beginOverlay(0.0, viewportHeight, -1.0, 40.0); }

// A pop on a stack that holds only its base matrix is refused by the GL and
// leaves the matrix as it was; the screens open each frame with this call.
void endOverlay() {
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPopMatrix();
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_LIGHTING);
    glDisable(GL_BLEND);
    glDisable(GL_ALPHA_TEST);
}
