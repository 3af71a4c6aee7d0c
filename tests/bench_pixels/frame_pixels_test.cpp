// The display-list cache must not change the picture: the start menu and the
// play screen are drawn with the GLUT solids drawn afresh and replayed from the
// cache, in a real window, and the read-back frames must be identical to the
// last byte. The frame that compiles the lists is compared as well as the
// frames that only replay them.

#include "app/keystate.h"
#include "app/render_window.h"
#include "app/screens.h"
#include "app/shell.h"
#include "bench/frame_scenes.h"
#include "engine/board.h"
#include "engine/turn.h"
#include "scene/scene.h"
#include "scene/shape_cache.h"
#include "textures/texture_set.h"

#include <GL/freeglut.h>
#include <GL/gl.h>
#include <SDL2/SDL.h>
#include <gtest/gtest.h>

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
    clearKeyState();
    clearKeyPresses();
    clearTypedMove();
    clearCandidates();
    greenSide = 1;
    sideToMove = 1;
    computerActive = 0;
    winPictureFrames = 0;
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

class FramePixels : public ::testing::TestWithParam<View> {
protected:
    static void SetUpTestSuite() {
        ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO), 0);
        windowWidth = kWidth;
        windowHeight = kHeight;
        ASSERT_TRUE(createRenderWindow("frame pixels", kWidth, kHeight, 32, false));
        int argc = 1;
        char name[] = "frame_pixels_test";
        char* argv[] = {name, nullptr};
        glutInit(&argc, argv);
        installTurnSceneDrawer();
        loadTextures();
    }
    static void TearDownTestSuite() {
        straightforwardDrawing = false;
        destroyRenderWindow();
        forgetShapeCache();
        SDL_Quit();
    }
};

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
