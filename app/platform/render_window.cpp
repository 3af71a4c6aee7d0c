#include "app/platform/render_window.h"

#include "app/platform/platform.h"
#include "app/platform/window_state.h"
#include "engine/rules/translation.h"
#include "scene/camera.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <cstdio>
#include <cstdlib>

int viewportWidth = 0;
int viewportHeight = 0;
void (*renderWindowStageEnded)(const char* stage) = nullptr;

namespace {

// glBlitFramebuffer (GL 3.0, ARB_framebuffer_object) or its EXT_framebuffer_blit
// twin, taken from the current context; null when it offers neither.
using BlitFramebuffer = void (*)(GLint, GLint, GLint, GLint, GLint, GLint, GLint, GLint, GLbitfield, GLenum);

// What the window set-up keeps from window to window: whether the window's GL
// context was made (and so is to be let go), the framebuffer blit taken from
// it, and whether a missing HUD font was told (once in the program).
struct WindowSetUp {
    bool contextMade = false;
    BlitFramebuffer blitFramebuffer = nullptr;
    bool fontProblemTold = false;
};
WindowSetUp setUp;

void creationError(const char* text) {
    destroyRenderWindow();
    showMessageBox(tr("ERROR"), text, MessageIcon::Warning);
}

void shutdownError(const char* text) { showMessageBox(tr("SHUTDOWN ERROR"), text, MessageIcon::Information); }

}  // namespace

bool haveDisplay() {
    const DisplayStatus status = displayStatus();
    if (status.usable) return true;
    const char* display = std::getenv("DISPLAY");
    if (display && !*display) display = nullptr;
    const char* const text =
        tr("No display could be opened, so the game cannot show its window.\n"
           "Start it from a graphical session (DISPLAY must name a running X server).");
    std::fprintf(stderr, "draughts3d: %s\n", text);
    if (!status.driver.empty())
        std::fprintf(stderr, "draughts3d: (DISPLAY=%s; only SDL's headless \"%s\" video driver started)\n",
                     display ? display : "unset", status.driver.c_str());
    else
        std::fprintf(stderr, "draughts3d: (DISPLAY=%s; %s)\n", display ? display : "unset", status.reason.c_str());
    if (!status.x11Failure.empty())
        std::fprintf(stderr, "draughts3d: (SDL's X11 video driver, tried again, would not start: %s)\n",
                     status.x11Failure.c_str());
    // A box too when one can still be shown; without a display this fails at once.
    tryMessageBox(tr("ERROR"), text, MessageIcon::Error);
    return false;
}

bool createRenderWindow(const char* title, int width, int height, int colourDepth, bool fullscreenRequest) {
    fullscreen = fullscreenRequest ? 1 : 0;
    // The video system is what the game's windows are made with ("the window class").
    if (!holdVideo()) {
        showMessageBox(tr("ERROR"), tr("Failed To Register The Window Class."), MessageIcon::Warning);
        return false;
    }
    if (fullscreen && !displayHasMode(width, height, colourDepth)) {
        const Answer answer = askYesNo("Kiva GL",
                                       tr("The Requested Fullscreen Mode Is Not Supported By\n"
                                          "Your Video Card. Use Windowed Mode Instead?"),
                                       MessageIcon::Warning, Answer::Yes);
        if (answer == Answer::Yes) {
            fullscreen = 0;
        } else {
            showMessageBox(tr("ERROR"), tr("Program Will Now Close."), MessageIcon::Error);
            return false;
        }
    }

    WindowRequest request;
    request.title = title;
    request.width = width;
    request.height = height;
    request.colourDepth = colourDepth;
    request.fullscreen = fullscreen != 0;
    request.stageEnded = renderWindowStageEnded;
    switch (openWindow(request)) {
        case WindowFailure::None: break;
        case WindowFailure::Window: creationError(tr("Window Creation Error.")); return false;
        case WindowFailure::Context: creationError(tr("Can't Create A GL Rendering Context.")); return false;
        case WindowFailure::Activate:
            setUp.contextMade = true;
            creationError(tr("Can't Activate The GL Rendering Context."));
            return false;
    }
    setUp.contextMade = true;
    lookUpGlFunctions();
    setViewport(width, height, 0.0f, 0.0f);
    if (!initRenderState()) {
        creationError(tr("Initialization Failed."));
        return false;
    }
    if (renderWindowStageEnded) renderWindowStageEnded("font");
    return true;
}

namespace {

// Lets the window's GL context go, with what lived in it (the HUD font's lists,
// the GL functions); "Release Of DC And RC Failed." when it cannot.
void releaseRenderContext() {
    if (!setUp.contextMade) return;
    setUp.contextMade = false;
    deleteHudFont();
    forgetGlFunctions();
    if (!releaseContext()) shutdownError(tr("Release Of DC And RC Failed."));
}

}  // namespace

void destroyRenderWindow() {
    releaseRenderContext();
    closeWindow();
    releaseVideo();
}

void fitViewportToWindow() {
    const WindowSize size = resizedWindowSize();
    setViewport(size.width, size.height, 0.0f, 0.0f);
}

namespace {

BlitFramebuffer findBlitFramebuffer() {
    const char* version = reinterpret_cast<const char*>(glGetString(GL_VERSION));
    const bool core = (version && version[0] >= '3' && version[0] <= '9' && version[1] == '.') ||
                      glExtensionSupported("GL_ARB_framebuffer_object");
    if (core) return reinterpret_cast<BlitFramebuffer>(glFunctionAddress("glBlitFramebuffer"));
    if (glExtensionSupported("GL_EXT_framebuffer_blit"))
        return reinterpret_cast<BlitFramebuffer>(glFunctionAddress("glBlitFramebufferEXT"));
    return nullptr;
}

}  // namespace

void lookUpGlFunctions() { setUp.blitFramebuffer = findBlitFramebuffer(); }

void forgetGlFunctions() { setUp.blitFramebuffer = nullptr; }

bool copyBackBufferBlock(int fromX, int fromY, int width, int height, int toX, int toY) {
    if (!setUp.blitFramebuffer) return false;
    setUp.blitFramebuffer(fromX, fromY, fromX + width, fromY + height, toX, toY, toX + width, toY + height,
                          GL_COLOR_BUFFER_BIT, GL_NEAREST);
    return true;
}

void setViewport(int width, int height, float x, float y) {
    if (height == 0) height = 1;
    glViewport(static_cast<GLint>(x), static_cast<GLint>(y), width, height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(kFieldOfViewDegrees, static_cast<double>(width) / static_cast<double>(height), kNearPlane,
                   kFarPlane);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    viewportWidth = width;
    viewportHeight = height;
}

bool initRenderState() {
    const std::string fontProblem = buildHudFont();
    if (!fontProblem.empty() && !setUp.fontProblemTold) {
        setUp.fontProblemTold = true;
        showMessageBox(tr("ERROR"), fontProblem.c_str(), MessageIcon::Warning);
    }
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
