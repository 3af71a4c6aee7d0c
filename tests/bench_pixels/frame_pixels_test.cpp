// The display-list cache must not change the picture: the start menu and the
// play screen are drawn with the GLUT solids drawn afresh and replayed from the
// cache, in a real window, and the read-back frames must be identical to the
// last byte. The frame that compiles the lists is compared as well as the
// frames that only replay them.
//
// Nor may the ways frames are saved: a play frame left undrawn because nothing
// changed must leave the window showing what drawing it would. The menu's
// optional copied views may differ from drawn ones only at their edges.

#include "app/input/keystate.h"
#include "app/platform/platform.h"
#include "app/platform/render_window.h"
#include "app/screens/screens.h"
#include "app/files/settings.h"
#include "app/platform/window_state.h"
#include "bench/frame_scenes.h"
#include "engine/rules/board.h"
#include "engine/rules/rules.h"
#include "engine/game/turn.h"
#include "scene/scene.h"
#include "scene/shape_cache.h"
#include "textures/texture_set.h"

#include <GL/freeglut.h>
#include <GL/gl.h>
#include <SDL2/SDL.h>
#include <gtest/gtest.h>
// After gtest: Xlib's macros (None, Bool) would break its templates.
#include <SDL2/SDL_syswm.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <cstdint>
#include <cstdlib>
#include <ostream>
#include <set>
#include <string>
#include <vector>

namespace {

constexpr int kWidth = 640;
constexpr int kHeight = 480;

using Frame = std::vector<std::uint8_t>;

Frame readBackBuffer() {
    Frame pixels(static_cast<size_t>(kWidth) * kHeight * 3);
    glFinish();
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, kWidth, kHeight, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
    return pixels;
}

// The game as the bench draws it: no keys, no search, the given view.
void quietGame(int angleX, int angleY) {
    resetScreens();
    settings.classic = true;  // the game as it first was
    computerActive = 0;
    viewAngleX = angleX;
    viewAngleY = angleY;
}

void setUpMiddleGame() {
    setupInitialPosition();
    setUpMiddleGameBoard();
}

// One picture to compare: the game set up, then one frame of a screen.
struct View {
    std::string name;
    bool menu;
    bool middleGame;
    int angleX, angleY;
};

void PrintTo(const View& v, std::ostream* os) { *os << v.name; }

void setUpView(const View& v) {
    quietGame(v.angleX, v.angleY);
    if (v.middleGame) {
        setUpMiddleGame();
    } else {
        setupInitialPosition();
    }
    currentScreen = v.menu ? 1 : 0;
    if (!v.menu) setViewport(windowWidth, windowHeight, 0, 0);
}

// Draws the view's frame and returns what it put in the back buffer; the frame
// is then presented as the main loop would.
Frame drawView(const View& v) {
    setUpView(v);
    if (v.menu)
        drawStartMenuFrame();
    else
        drawPlayFrame();
    Frame f = readBackBuffer();
    swapRenderWindow();
    clearKeyPresses();
    return f;
}

// Pixels that differ, with the first one and the largest channel difference.
struct Difference {
    int pixels = 0;
    int firstX = -1, firstY = -1;
    int largest = 0;
};

Difference compare(const Frame& a, const Frame& b) {
    Difference d;
    for (size_t i = 0; i < a.size(); i += 3) {
        int worst = 0;
        for (int c = 0; c < 3; ++c) worst = std::max(worst, std::abs(int(a[i + c]) - int(b[i + c])));
        if (worst == 0) continue;
        if (d.pixels == 0) {
            d.firstX = static_cast<int>(i / 3) % kWidth;
            d.firstY = static_cast<int>(i / 3) / kWidth;
        }
        ++d.pixels;
        d.largest = std::max(d.largest, worst);
    }
    return d;
}

int distinctColours(const Frame& f) {
    std::set<std::uint32_t> colours;
    for (size_t i = 0; i < f.size(); i += 3) colours.insert(f[i] << 16 | f[i + 1] << 8 | f[i + 2]);
    return static_cast<int>(colours.size());
}

// One window for every test: the GLUT set-up may be done only once.
class GameWindow : public ::testing::Environment {
public:
    void SetUp() override {
        ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO), 0);
        windowWidth = kWidth;
        windowHeight = kHeight;
        ASSERT_TRUE(createRenderWindow("frame pixels", kWidth, kHeight, 32, false));
        int argc = 1;
        char name[] = "frame_pixels_test";
        char* argv[] = {name, nullptr};
        glutInit(&argc, argv);
        loadTextures();
    }
    void TearDown() override {
        straightforwardDrawing = false;
        destroyRenderWindow();
        forgetShapeCache();
        SDL_Quit();
    }
};

::testing::Environment* const gameWindow = ::testing::AddGlobalTestEnvironment(new GameWindow);

class FramePixels : public ::testing::TestWithParam<View> {};

::testing::AssertionResult sameFrame(const Frame& expected, const Frame& actual) {
    const Difference d = compare(expected, actual);
    if (d.pixels == 0) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << d.pixels << " pixels differ, the first at (" << d.firstX << ", "
                                         << d.firstY << "), by up to " << d.largest << " levels";
}

TEST_P(FramePixels, CachedSolidsDrawTheSamePixelsAsFreshOnes) {
    const View& v = GetParam();

    // Drawn afresh, after a warm-up frame of the same view.
    straightforwardDrawing = true;
    drawView(v);
    const Frame fresh = drawView(v);
    ASSERT_GT(distinctColours(fresh), 50) << "the frame shows hardly anything";

    // From an empty cache: the first frame compiles the lists, the next replays them.
    forgetShapeCache();
    straightforwardDrawing = false;
    const Frame compiling = drawView(v);
    ASSERT_GT(cachedListCount(kShapeKindSolidSphere), 0) << "the cached frame did not use the cache";
    const Frame replaying = drawView(v);

    EXPECT_TRUE(sameFrame(fresh, compiling)) << "frame that compiles the lists";
    EXPECT_TRUE(sameFrame(fresh, replaying)) << "frame that replays the lists";
}

// What the window shows, read from the X server (not from the GL's buffers).
Frame grabWindow() {
    glFinish();
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    Frame pixels;
    if (!SDL_GetWindowWMInfo(renderWindowHandle(), &info) || info.subsystem != SDL_SYSWM_X11) return pixels;
    Display* display = info.info.x11.display;
    XSync(display, False);
    XImage* image = XGetImage(display, info.info.x11.window, 0, 0, kWidth, kHeight, AllPlanes, ZPixmap);
    if (!image) return pixels;
    pixels.reserve(static_cast<size_t>(kWidth) * kHeight * 3);
    for (int y = kHeight - 1; y >= 0; --y)
        for (int x = 0; x < kWidth; ++x) {
            const unsigned long p = XGetPixel(image, x, y);
            pixels.push_back(static_cast<std::uint8_t>(p >> 16));
            pixels.push_back(static_cast<std::uint8_t>(p >> 8));
            pixels.push_back(static_cast<std::uint8_t>(p));
        }
    XDestroyImage(image);
    return pixels;
}

// The menu frames from the state a play frame leaves, as when a game ends:
// each frame's back buffer, and the winner-picture counter after it.
struct MenuRun {
    std::vector<Frame> frames;
    std::vector<int> winCounts;
};

MenuRun drawMenuFrames(bool copyViews, bool winner, int frames) {
    drawView(View{"play", false, false, 0, 0});
    quietGame(0, 40);
    setupInitialPosition();
    // Side 2 without pieces cannot move: the green player (side 1) has won.
    if (winner)
        for (int f = 1; f <= 8; ++f)
            for (int r = 6; r <= 8; ++r) board[f][r] = kEmpty;
    currentScreen = 1;
    menuCopiesViews = copyViews;
    MenuRun run;
    for (int i = 0; i < frames; ++i) {
        drawStartMenuFrame();
        run.frames.push_back(readBackBuffer());
        run.winCounts.push_back(winPictureFrames);
        swapRenderWindow();
        clearKeyPresses();
    }
    menuCopiesViews = true;
    return run;
}

// Pixels that differ inside and outside the menu's third and fourth views.
struct CopiedViewsDifference {
    int inside = 0, outside = 0;
};

CopiedViewsDifference compareOutsideCopiedViews(const Frame& a, const Frame& b) {
    const int left = static_cast<int>(0.05f * kWidth), right = static_cast<int>(0.55f * kWidth);
    const int bottom = static_cast<int>(0.55f * kHeight);
    const int w = static_cast<int>(0.4 * kWidth), h = static_cast<int>(0.4 * kHeight);
    CopiedViewsDifference d;
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x) {
            const size_t i = (static_cast<size_t>(y) * kWidth + x) * 3;
            if (a[i] == b[i] && a[i + 1] == b[i + 1] && a[i + 2] == b[i + 2]) continue;
            const bool inView = y >= bottom && y < bottom + h &&
                                ((x >= left && x < left + w) || (x >= right && x < right + w));
            ++(inView ? d.inside : d.outside);
        }
    return d;
}

// The menu's views 3 and 4 copied from view 2 (menuCopiesViews) against all
// four drawn. The GL rounds a view's edges by where the view lies, so the
// copies differ from views drawn in place along some edges: everything else,
// the overlay over them included, must be identical, and with a winner picture
// (drawn in all four) the whole frame. Each view counts its winner picture.
// Over a third of a turn: the first view inherits what the last frame left,
// and that must not depend on the copy either.
TEST(SavedFrames, MenuViewsCopiedFromTheSecondDifferOnlyAtEdges) {
    ASSERT_TRUE(copyBackBufferBlock(0, 0, 1, 1, 1, 1)) << "the GL has no framebuffer blit";
    const int viewPixels = static_cast<int>(0.4 * kWidth) * static_cast<int>(0.4 * kHeight);
    for (bool winner : {false, true}) {
        const int frames = winner ? 3 : 40;
        const MenuRun drawn = drawMenuFrames(false, winner, frames);
        const MenuRun copied = drawMenuFrames(true, winner, frames);
        for (size_t i = 0; i < drawn.frames.size(); ++i) {
            ASSERT_GT(distinctColours(drawn.frames[i]), 50) << "the frame shows hardly anything";
            const CopiedViewsDifference d = compareOutsideCopiedViews(drawn.frames[i], copied.frames[i]);
            EXPECT_EQ(d.outside, 0) << "menu frame " << i << ", winner " << winner;
            EXPECT_LE(d.inside, winner ? 0 : 2 * viewPixels / 25) << "menu frame " << i << ", winner " << winner;
        }
        // 4, 8, then 9, 10 (back to 0, the menu stays), 1, 2.
        const std::vector<int> expected = winner ? std::vector<int>{4, 8, 2} : std::vector<int>(frames, 0);
        EXPECT_EQ(drawn.winCounts, expected);
        EXPECT_EQ(copied.winCounts, expected);
    }
}

// Main-loop frames of the play screen: whether each was drawn; a drawn one is presented.
std::vector<bool> playFrames(int count) {
    std::vector<bool> drawn;
    for (int i = 0; i < count; ++i) {
        drawn.push_back(drawCurrentScreenIfChanged());
        if (drawn.back()) swapRenderWindow();
        clearKeyPresses();
    }
    return drawn;
}

// What the window shows when the present frame is drawn in full.
Frame drawnFrameShown() {
    drawPlayFrame();
    swapRenderWindow();
    clearKeyPresses();
    return grabWindow();
}

TEST(SavedFrames, UnchangedPlayFramesAreSkippedAndTheWindowKeepsTheirPicture) {
    const std::vector<bool> twoDrawnThenSkipped = {true, true, false, false, false};
    setUpView(View{"play_middle", false, true, -10, 20});
    // A new context's light, as after start-up or a display-mode switch: the
    // first frame is lit by it, the next by the play screen's own.
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    const GLfloat defaultLight[4] = {0.0f, 0.0f, 1.0f, 0.0f};
    glLightfv(GL_LIGHT1, GL_POSITION, defaultLight);
    forgetShownPlayPicture();
    windowNeedsRedraw = false;
    EXPECT_EQ(playFrames(5), twoDrawnThenSkipped);
    const Frame idle = grabWindow();
    ASSERT_GT(distinctColours(idle), 50) << "the window shows hardly anything";
    EXPECT_TRUE(sameFrame(drawnFrameShown(), idle)) << "idle window";

    // A typed file highlights at once, then the picture rests again.
    queueKeyPress(VK_A + 4);  // e
    EXPECT_EQ(playFrames(5), twoDrawnThenSkipped);
    EXPECT_EQ(typedMove[3], 5);
    const Frame typed = grabWindow();
    EXPECT_FALSE(sameFrame(idle, typed)) << "the highlight did not show";
    EXPECT_TRUE(sameFrame(drawnFrameShown(), typed)) << "window after typing";

    // A held arrow turns the view in every frame.
    KeyState[VK_LEFT] = 1;
    EXPECT_EQ(playFrames(3), std::vector<bool>(3, true));
    KeyState[VK_LEFT] = 0;
    EXPECT_EQ(viewAngleY, 29);
    playFrames(3);
    EXPECT_TRUE(sameFrame(drawnFrameShown(), grabWindow())) << "window after turning";

    // An expose draws again even though nothing changed.
    playFrames(3);
    windowNeedsRedraw = true;
    EXPECT_TRUE(playFrames(1)[0]) << "expose";

    // A winner picture counts its frames: none is skipped until the menu takes over.
    for (int f = 1; f <= 8; ++f)
        for (int r = 6; r <= 8; ++r) board[f][r] = kEmpty;
    ASSERT_TRUE(sideIsBlocked(2));
    playFrames(2);
    winPictureFrames = 0;
    EXPECT_EQ(playFrames(9), std::vector<bool>(9, true));
    EXPECT_EQ(winPictureFrames, 9);
    EXPECT_EQ(currentScreen, 0);
    EXPECT_TRUE(playFrames(1)[0]);
    EXPECT_EQ(winPictureFrames, 0);
    EXPECT_EQ(currentScreen, 1) << "ten winner frames return to the menu";

    // Escape leaves for the menu in the frame that reads it.
    setUpView(View{"play_initial", false, false, 0, 0});
    playFrames(3);
    queueKeyPress(VK_ESCAPE);
    EXPECT_TRUE(playFrames(1)[0]);
    EXPECT_EQ(currentScreen, 1);
}

// The menu shows four small views of the turning room; the play screen one
// large view, turned and tilted as the arrow keys would.
INSTANTIATE_TEST_SUITE_P(
    Views, FramePixels,
    ::testing::Values(View{"menu_0", true, false, 0, 0}, View{"menu_93", true, false, 0, 93},
                      View{"menu_186", true, false, 0, 186}, View{"menu_279", true, false, 0, 279},
                      View{"play_initial", false, false, 0, 0}, View{"play_initial_tilted", false, false, 12, 0},
                      View{"play_middle", false, true, -10, 20}, View{"play_middle_far_side", false, true, -24, 200},
                      View{"play_middle_left", false, true, 6, 77}, View{"play_middle_right", false, true, 0, -120}),
    [](const ::testing::TestParamInfo<View>& info) { return info.param.name; });

}  // namespace
