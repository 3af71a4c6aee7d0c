// The real window under Xvfb: its size, the GL state left by set-up, viewport
// and overlays, a resize reaching the viewport, and the HUD font drawing.
#include "app/platform/platform.h"
#include "app/platform/render_window.h"
#include "app/input/keystate.h"
#include "app/platform/window_state.h"

#include <GL/gl.h>
#include <SDL2/SDL.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <vector>

// After gtest: Xlib's macros (None, Bool) would break its headers.
#include <X11/Xlib.h>

namespace {

const char* const kTitle = "OpenGL WinAPI template by Quillow P.D.";

struct Matrix {
    GLdouble m[16];
};

Matrix matrixOf(GLenum which) {
    Matrix result;
    glGetDoublev(which, result.m);
    return result;
}

GLint integerOf(GLenum which) {
    GLint value = 0;
    glGetIntegerv(which, &value);
    return value;
}

void expectPerspective(const Matrix& p, double aspect) {
    const double zNear = static_cast<double>(0.1f), zFar = 50.0;
    // A 90-degree field of view: cot(45 degrees) is 1.
    EXPECT_NEAR(p.m[0], 1.0 / aspect, 1e-6);
    EXPECT_NEAR(p.m[5], 1.0, 1e-6);
    EXPECT_NEAR(p.m[10], (zFar + zNear) / (zNear - zFar), 1e-6);
    EXPECT_NEAR(p.m[11], -1.0, 1e-6);
    EXPECT_NEAR(p.m[14], 2.0 * zFar * zNear / (zNear - zFar), 1e-6);
    EXPECT_NEAR(p.m[15], 0.0, 1e-6);
}

void expectIdentity(const Matrix& m) {
    for (int i = 0; i < 16; ++i) EXPECT_DOUBLE_EQ(m.m[i], (i % 5 == 0) ? 1.0 : 0.0) << "element " << i;
}

class RenderWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO), 0) << SDL_GetError();
        ASSERT_TRUE(createRenderWindow(kTitle, 640, 480, 32, false));
        pumpEvents(100);
    }
    void TearDown() override {
        destroyRenderWindow();
        SDL_Quit();
    }
    // One event handled as the main loop does.
    static void handle(const SDL_Event& event) {
        if (windowProcedure(event) == EventOutcome::Resized) fitViewportToWindow();
    }
    // Hands the window's pending events to the event handler, for up to `ms`.
    static void pumpEvents(int ms) {
        const Uint32 end = SDL_GetTicks() + static_cast<Uint32>(ms);
        SDL_Event event;
        while (SDL_GetTicks() < end) {
            while (SDL_PollEvent(&event)) handle(event);
            SDL_Delay(5);
        }
    }
};

TEST_F(RenderWindowTest, WindowedClientAreaIsExactly640x480AndResizable) {
    SDL_Window* window = renderWindowHandle();
    ASSERT_NE(window, nullptr);
    int w = 0, h = 0;
    SDL_GL_GetDrawableSize(window, &w, &h);
    EXPECT_EQ(w, 640);
    EXPECT_EQ(h, 480);
    const Uint32 flags = SDL_GetWindowFlags(window);
    EXPECT_TRUE(flags & SDL_WINDOW_RESIZABLE);
    EXPECT_FALSE(flags & SDL_WINDOW_BORDERLESS);
    EXPECT_FALSE(flags & SDL_WINDOW_FULLSCREEN);
    EXPECT_STREQ(SDL_GetWindowTitle(window), kTitle);
    EXPECT_EQ(fullscreen, 0);
}

TEST_F(RenderWindowTest, ContextIsDoubleBufferedWithDepthAndLegacyGl) {
    int doubleBuffer = 0, depth = 0, red = 0;
    SDL_GL_GetAttribute(SDL_GL_DOUBLEBUFFER, &doubleBuffer);
    SDL_GL_GetAttribute(SDL_GL_DEPTH_SIZE, &depth);
    SDL_GL_GetAttribute(SDL_GL_RED_SIZE, &red);
    EXPECT_EQ(doubleBuffer, 1);
    EXPECT_GE(depth, 16);
    EXPECT_EQ(red, 8);
    // Fixed-function calls work: the matrix stacks exist.
    EXPECT_GE(integerOf(GL_MAX_PROJECTION_STACK_DEPTH), 2);
}

TEST_F(RenderWindowTest, CreationLeavesViewportPerspectiveAndInitialState) {
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(viewport[0], 0);
    EXPECT_EQ(viewport[1], 0);
    EXPECT_EQ(viewport[2], 640);
    EXPECT_EQ(viewport[3], 480);
    EXPECT_EQ(viewportWidth, 640);
    EXPECT_EQ(viewportHeight, 480);
    expectPerspective(matrixOf(GL_PROJECTION_MATRIX), 640.0 / 480.0);
    expectIdentity(matrixOf(GL_MODELVIEW_MATRIX));
    EXPECT_EQ(integerOf(GL_MATRIX_MODE), GL_MODELVIEW);

    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
    EXPECT_EQ(integerOf(GL_DEPTH_FUNC), GL_LEQUAL);
    EXPECT_TRUE(glIsEnabled(GL_LIGHTING));
    EXPECT_TRUE(glIsEnabled(GL_LIGHT1));
    EXPECT_FALSE(glIsEnabled(GL_LIGHT0));
    EXPECT_TRUE(glIsEnabled(GL_COLOR_MATERIAL));
    EXPECT_EQ(integerOf(GL_COLOR_MATERIAL_FACE), GL_FRONT);
    EXPECT_EQ(integerOf(GL_COLOR_MATERIAL_PARAMETER), GL_AMBIENT_AND_DIFFUSE);
    EXPECT_EQ(integerOf(GL_SHADE_MODEL), GL_SMOOTH);
    EXPECT_EQ(integerOf(GL_PERSPECTIVE_CORRECTION_HINT), GL_NICEST);
    GLfloat clear[4], ambient[4], diffuse[4];
    glGetFloatv(GL_COLOR_CLEAR_VALUE, clear);
    glGetLightfv(GL_LIGHT1, GL_AMBIENT, ambient);
    glGetLightfv(GL_LIGHT1, GL_DIFFUSE, diffuse);
    for (int i = 0; i < 3; ++i) {
        EXPECT_FLOAT_EQ(clear[i], 0.0f);
        EXPECT_FLOAT_EQ(ambient[i], 0.2f);
        EXPECT_FLOAT_EQ(diffuse[i], 1.0f);
    }
    EXPECT_FLOAT_EQ(clear[3], 1.0f);
    EXPECT_FLOAT_EQ(ambient[3], 1.0f);
}

TEST_F(RenderWindowTest, SetViewportTruncatesOriginAndTreatsZeroHeightAsOne) {
    glMatrixMode(GL_PROJECTION);  // setViewport must leave the modelview current
    setViewport(300, 0, 10.9f, -3.7f);
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(viewport[0], 10);
    EXPECT_EQ(viewport[1], -3);
    EXPECT_EQ(viewport[2], 300);
    EXPECT_EQ(viewport[3], 1);
    EXPECT_EQ(viewportWidth, 300);
    EXPECT_EQ(viewportHeight, 1);
    expectPerspective(matrixOf(GL_PROJECTION_MATRIX), 300.0);
    EXPECT_EQ(integerOf(GL_MATRIX_MODE), GL_MODELVIEW);
}

TEST_F(RenderWindowTest, TopLeftOverlayMapsPixelsDownwardAndEndOverlayRestores) {
    glTranslated(1.0, 2.0, 3.0);
    const Matrix scene = matrixOf(GL_MODELVIEW_MATRIX);
    beginOverlayTopLeft();
    EXPECT_FALSE(glIsEnabled(GL_DEPTH_TEST));
    EXPECT_FALSE(glIsEnabled(GL_LIGHTING));
    EXPECT_EQ(integerOf(GL_PROJECTION_STACK_DEPTH), 2);
    EXPECT_EQ(integerOf(GL_MODELVIEW_STACK_DEPTH), 2);
    EXPECT_EQ(integerOf(GL_MATRIX_MODE), GL_MODELVIEW);
    expectIdentity(matrixOf(GL_MODELVIEW_MATRIX));
    const Matrix p = matrixOf(GL_PROJECTION_MATRIX);
    EXPECT_NEAR(p.m[0], 2.0 / 640, 1e-6);
    EXPECT_NEAR(p.m[5], -2.0 / 480, 1e-6);  // y grows downward
    EXPECT_NEAR(p.m[10], -1.0, 1e-6);
    EXPECT_NEAR(p.m[12], -1.0, 1e-6);
    EXPECT_NEAR(p.m[13], 1.0, 1e-6);
    EXPECT_NEAR(p.m[14], 0.0, 1e-6);

    glEnable(GL_BLEND);
    glEnable(GL_ALPHA_TEST);
    endOverlay();
    EXPECT_EQ(integerOf(GL_PROJECTION_STACK_DEPTH), 1);
    EXPECT_EQ(integerOf(GL_MODELVIEW_STACK_DEPTH), 1);
    EXPECT_EQ(integerOf(GL_MATRIX_MODE), GL_MODELVIEW);
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
    EXPECT_TRUE(glIsEnabled(GL_LIGHTING));
    EXPECT_FALSE(glIsEnabled(GL_BLEND));
    EXPECT_FALSE(glIsEnabled(GL_ALPHA_TEST));
    expectPerspective(matrixOf(GL_PROJECTION_MATRIX), 640.0 / 480.0);
    const Matrix back = matrixOf(GL_MODELVIEW_MATRIX);
    for (int i = 0; i < 16; ++i) EXPECT_DOUBLE_EQ(back.m[i], scene.m[i]);
}

TEST_F(RenderWindowTest, BottomLeftOverlayMapsPixelsUpwardWithDeepRange) {
    setViewport(800, 600, 0, 0);
    beginOverlayBottomLeft();
    const Matrix p = matrixOf(GL_PROJECTION_MATRIX);
    EXPECT_NEAR(p.m[0], 2.0 / 800, 1e-6);
    EXPECT_NEAR(p.m[5], 2.0 / 600, 1e-6);
    EXPECT_NEAR(p.m[10], -2.0 / 41.0, 1e-6);
    EXPECT_NEAR(p.m[12], -1.0, 1e-6);
    EXPECT_NEAR(p.m[13], -1.0, 1e-6);
    EXPECT_NEAR(p.m[14], -39.0 / 41.0, 1e-6);
    endOverlay();
}

TEST_F(RenderWindowTest, EndOverlayOnBaseMatricesKeepsThem) {
    glTranslated(4.0, 5.0, 6.0);
    const Matrix scene = matrixOf(GL_MODELVIEW_MATRIX);
    glDisable(GL_DEPTH_TEST);
    endOverlay();  // nothing was pushed: the pops are refused
    while (glGetError() != GL_NO_ERROR) {
    }
    EXPECT_EQ(integerOf(GL_MODELVIEW_STACK_DEPTH), 1);
    const Matrix after = matrixOf(GL_MODELVIEW_MATRIX);
    for (int i = 0; i < 16; ++i) EXPECT_DOUBLE_EQ(after.m[i], scene.m[i]);
    expectPerspective(matrixOf(GL_PROJECTION_MATRIX), 640.0 / 480.0);
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
}

TEST_F(RenderWindowTest, ResizingTheWindowReachesTheViewport) {
    SDL_SetWindowSize(renderWindowHandle(), 800, 500);
    const Uint32 end = SDL_GetTicks() + 3000;
    SDL_Event event;
    while (viewportWidth != 800 && SDL_GetTicks() < end) {
        while (SDL_PollEvent(&event)) handle(event);
        SDL_Delay(5);
    }
    EXPECT_EQ(viewportWidth, 800);
    EXPECT_EQ(viewportHeight, 500);
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(viewport[2], 800);
    EXPECT_EQ(viewport[3], 500);
    expectPerspective(matrixOf(GL_PROJECTION_MATRIX), 800.0 / 500.0);
}

// Yellow pixels of a text drawn at (x, baseline y) in the top-left overlay,
// counted inside and outside a box of the given width around the line.
struct TextPixels {
    int inside = 0;
    int outside = 0;
};

TextPixels drawAndCount(float x, float y, int boxWidth, const char* text) {
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    beginOverlayTopLeft();
    glColor3f(1.0f, 1.0f, 0.0f);
    printHudText(x, y, "%s", text);
    endOverlay();
    glFinish();
    std::vector<unsigned char> rgb(640 * 480 * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, 640, 480, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
    TextPixels count;
    for (int row = 0; row < 480; ++row) {
        for (int col = 0; col < 640; ++col) {
            const unsigned char* p = &rgb[(static_cast<size_t>(row) * 640 + col) * 3];
            if (p[0] < 200 || p[1] < 200 || p[2] > 60) continue;
            const int topY = 479 - row;  // overlay y of this pixel
            const bool near = col >= x - 1 && col <= x + boxWidth && topY >= y - 12 && topY <= y + 4;
            (near ? count.inside : count.outside)++;
        }
    }
    return count;
}

TEST_F(RenderWindowTest, HudFontDrawsTextInTheCurrentColourAtTheRasterPosition) {
    const TextPixels hello = drawAndCount(40.0f, 100.0f, 120, "Hello 42 ABC");
    EXPECT_GT(hello.inside, 60);
    EXPECT_EQ(hello.outside, 0);
    const TextPixels blank = drawAndCount(40.0f, 100.0f, 120, "   ");
    EXPECT_EQ(blank.inside + blank.outside, 0);
}

TEST_F(RenderWindowTest, HudGlyphsAdvanceByTheMonospacedWidth) {
    beginOverlayTopLeft();
    printHudText(20.0f, 50.0f, "%s", "");  // empty text: only the raster position moves
    GLfloat position[4];
    glGetFloatv(GL_CURRENT_RASTER_POSITION, position);
    EXPECT_FLOAT_EQ(position[0], 20.0f);
    EXPECT_FLOAT_EQ(position[1], 480.0f - 50.0f);
    printHudText(20.0f, 50.0f, "%d%s", 12, "MMMMMMMM");  // ten characters
    glGetFloatv(GL_CURRENT_RASTER_POSITION, position);
    endOverlay();
    // A 12-pixel Courier-like face advances 7 pixels a character (0.6 em).
    EXPECT_NEAR(position[0], 20.0f + 10 * 7.0f, 10.0f);
    EXPECT_GT(position[0], 20.0f + 10 * 6.0f);
}

// Cyrillic and the marks a translation uses take the cells ASCII takes; a
// character without a glyph, or a byte that is no UTF-8, is a blank cell.
TEST_F(RenderWindowTest, HudTextInUtf8DrawsRussianInTheSameCells) {
    const TextPixels russian = drawAndCount(40.0f, 100.0f, 90, "Ход «9» — №1");
    EXPECT_GT(russian.inside, 60);
    EXPECT_EQ(russian.outside, 0);
    const TextPixels blank = drawAndCount(40.0f, 100.0f, 90, "\u4e2d \xff\xd0");
    EXPECT_EQ(blank.inside + blank.outside, 0);
    const auto advanceOf = [](const char* text) {
        beginOverlayTopLeft();
        printHudText(20.0f, 50.0f, "%s", text);
        GLfloat position[4];
        glGetFloatv(GL_CURRENT_RASTER_POSITION, position);
        endOverlay();
        return position[0];
    };
    EXPECT_FLOAT_EQ(advanceOf("\u0416\u0436\u4e2d\xff\u2026"), advanceOf("MMMMM"));
}

// A key held while the keyboard goes to another window is released: SDL sends
// its key-up as the window loses the focus, so the view stops turning.
TEST_F(RenderWindowTest, LosingFocusToAnotherWindowReleasesHeldKeys) {
    ASSERT_EQ(std::system("xdotool keydown Left"), 0);
    for (int waited = 0; waited < 3000 && !KeyState[VK_LEFT]; waited += 100) pumpEvents(100);
    ASSERT_EQ(KeyState[VK_LEFT], 1) << "the key press never reached the window";

    Display* display = XOpenDisplay(nullptr);
    ASSERT_NE(display, nullptr);
    const Window other = XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 50, 50, 0, 0, 0);
    XMapWindow(display, other);
    XSync(display, False);
    XWindowAttributes attributes = {};
    for (int i = 0; i < 200 && (XGetWindowAttributes(display, other, &attributes), attributes.map_state != IsViewable); ++i)
        SDL_Delay(5);
    XSetInputFocus(display, other, RevertToParent, CurrentTime);
    XSync(display, False);
    // SDL takes a focus loss as final a moment after X reports it.
    for (int waited = 0; waited < 3000 && KeyState[VK_LEFT]; waited += 100) pumpEvents(100);
    EXPECT_EQ(KeyState[VK_LEFT], 0);
    EXPECT_EQ(windowActive, 1);

    std::system("xdotool keyup Left");
    XDestroyWindow(display, other);
    XCloseDisplay(display);
    pumpEvents(100);
}

TEST_F(RenderWindowTest, SecondWindowAfterDestroyHasItsFontAndState) {
    destroyRenderWindow();
    EXPECT_EQ(renderWindowHandle(), nullptr);
    ASSERT_TRUE(createRenderWindow(kTitle, 640, 480, 32, false));
    EXPECT_TRUE(glIsList(hudFontBase + ('A' - 32)));
    EXPECT_TRUE(glIsEnabled(GL_LIGHTING));
    const TextPixels text = drawAndCount(10.0f, 30.0f, 80, "again");
    EXPECT_GT(text.inside, 20);
}

// Run with the X screen at 640x480x24 so the display accepts the mode.
class FullscreenWindowTest : public RenderWindowTest {
protected:
    void SetUp() override {
        ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO), 0) << SDL_GetError();
        ASSERT_TRUE(createRenderWindow(kTitle, 640, 480, 32, true));
        pumpEvents(100);
    }
};

TEST_F(FullscreenWindowTest, BorderlessFullscreenWithHiddenCursorUndoneOnDestroy) {
    EXPECT_EQ(fullscreen, 1);
    SDL_Window* window = renderWindowHandle();
    ASSERT_NE(window, nullptr);
    const Uint32 flags = SDL_GetWindowFlags(window);
    EXPECT_TRUE(flags & SDL_WINDOW_FULLSCREEN);
    EXPECT_TRUE(flags & SDL_WINDOW_BORDERLESS);
    SDL_DisplayMode mode;
    ASSERT_EQ(SDL_GetWindowDisplayMode(window, &mode), 0);
    EXPECT_EQ(mode.w, 640);
    EXPECT_EQ(mode.h, 480);
    EXPECT_EQ(SDL_BYTESPERPIXEL(mode.format), 4);
    EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), SDL_DISABLE);
    EXPECT_EQ(viewportWidth, 640);
    EXPECT_EQ(viewportHeight, 480);
    destroyRenderWindow();
    EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), SDL_ENABLE);
    // A second switch, as F1 makes it: windowed again.
    ASSERT_TRUE(createRenderWindow(kTitle, 640, 480, 32, false));
    EXPECT_FALSE(SDL_GetWindowFlags(renderWindowHandle()) & SDL_WINDOW_FULLSCREEN);
}

TEST_F(FullscreenWindowTest, PointerStaysHiddenUntilTheMouseMoves) {
    // The events of opening (entering the window and the position reported
    // with it) have been handled: still hidden.
    EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), SDL_DISABLE);
    SDL_Event event = {};
    event.type = SDL_WINDOWEVENT;
    event.window.event = SDL_WINDOWEVENT_ENTER;
    windowProcedure(event);
    SDL_Event motion = {};
    motion.type = SDL_MOUSEMOTION;
    motion.motion.x = 300;
    motion.motion.y = 200;
    motion.motion.xrel = 300;
    motion.motion.yrel = 200;
    windowProcedure(motion);  // the position that comes with entering
    EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), SDL_DISABLE);
    motion.motion.xrel = 0;
    motion.motion.yrel = 0;
    windowProcedure(motion);
    EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), SDL_DISABLE);
    motion.motion.x = 304;
    motion.motion.xrel = 4;
    windowProcedure(motion);
    EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), SDL_ENABLE);
}

}  // namespace
