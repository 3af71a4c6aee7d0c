// The start menu and the play screen driven frame by frame in a real window:
// key presses are queued as the platform layer would queue them, and what the
// frames change is read from the game state and from the pixels drawn.

#include "app/input/keystate.h"
#include "app/input/mouse_state.h"
#include "app/platform/platform.h"
#include "app/platform/render_window.h"
#include "app/screens/board_frame.h"
#include "app/screens/play_session.h"
#include "app/screens/view_turn.h"
#include "app/screens/screens.h"
#include "app/files/settings.h"
#include "app/platform/window_state.h"
#include "engine/rules/board.h"
#include "scene/camera.h"
#include "engine/game/turn.h"
#include "scene/scene.h"

#include <GL/freeglut.h>
#include <GL/gl.h>
#include <GL/glu.h>
#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <thread>
#include <vector>

namespace {

struct Pixel {
    int r, g, b;
};

Pixel pixelAt(int x, int y) {
    std::uint8_t p[3] = {0, 0, 0};
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(x, y, 1, 1, GL_RGB, GL_UNSIGNED_BYTE, p);
    return Pixel{p[0], p[1], p[2]};
}

// Pixels of the rectangle (window coordinates, y from the bottom) that `match`.
template <typename Match>
int countPixels(int x, int y, int width, int height, Match match) {
    std::vector<std::uint8_t> p(static_cast<size_t>(width) * height * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(x, y, width, height, GL_RGB, GL_UNSIGNED_BYTE, p.data());
    int n = 0;
    for (size_t i = 0; i < p.size(); i += 3)
        if (match(Pixel{p[i], p[i + 1], p[i + 2]})) ++n;
    return n;
}

// A frame as the main loop runs it: draw, then forget the presses and clicks.
void menuFrame() {
    drawStartMenuFrame();
    glFinish();
    clearKeyPresses();
    clearMouseActions();
}

void playFrame() {
    drawPlayFrame();
    glFinish();
    clearKeyPresses();
    clearMouseActions();
}

// Where GL puts the world point (x, y, z) in the window (pixels from the
// lower-left corner) with the play camera at the current view angles.
struct WindowPoint {
    double x, y;
};
WindowPoint playCameraPoint(double x, double y, double z) {
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    glTranslatef(kEyeOffsetX, kEyeOffsetY, kEyeOffsetZ);
    glRotated(viewAngleX, 1, 0, 0);
    glRotated(viewAngleY, 0, 1, 0);
    GLdouble modelview[16], projection[16];
    GLint viewport[4];
    glGetDoublev(GL_MODELVIEW_MATRIX, modelview);
    glGetDoublev(GL_PROJECTION_MATRIX, projection);
    glGetIntegerv(GL_VIEWPORT, viewport);
    glPopMatrix();
    GLdouble wx = 0, wy = 0, wz = 0;
    gluProject(x, y, z, modelview, projection, viewport, &wx, &wy, &wz);
    return {wx, wy};
}

// A left click on the centre of a square's playing surface.
void clickSquare(int file, int rank) {
    const WindowPoint p = playCameraPoint(file - 4.5, -2.95, 4.0 - rank);
    recordLeftPress(p.x, p.y);
}

// Key down: held from now on and queued as one press.
void press(int key) {
    KeyState[key] = 1;
    queueKeyPress(key);
}

void release(int key) { KeyState[key] = 0; }

class ScreensTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        ASSERT_TRUE(createRenderWindow("screens test", 640, 480, 32, false));
        int argc = 1;
        char name[] = "screens_test";
        char* argv[] = {name, nullptr};
        glutInit(&argc, argv);
    }
    static void TearDownTestSuite() { destroyRenderWindow(); }

    void SetUp() override {
        resetScreens();
        settings.classic = true;  // the game as it first was
        computerActive = 0;
        setViewport(640, 480, 0, 0);
    }
};

// Two players: the far side's squares named as its player names them, and the
// view turning the short way round to a side's own angle, settling on it.
TEST(TwoPlayersTest, SquaresNamedFromTheFarSideAndTheViewTurnedToIt) {
    EXPECT_EQ(namedFrom(2, "Green: c3-d4   Pink: b6:d4:f2"), "Green: f6-e5   Pink: g3:e5:c7");
    EXPECT_EQ(namedFrom(2, "No piece of yours on c4"), "No piece of yours on f5");
    EXPECT_EQ(namedFrom(1, "c3-d4"), "c3-d4");
    for (const int current : {0, 3, 179, 181, 350, -200, 900})
        for (const Side side : {Side{1}, Side{2}}) {
            const int angle = sideViewAngle(side, current);
            EXPECT_TRUE(((angle % 360) + 360) % 360 == (side == 2 ? 180 : 0) && std::abs(angle - current) <= 180)
                << current << " to side " << side << ": " << angle;
        }
    int last = 3;
    for (double t = 0; t <= kViewTurnSeconds + 0.1; t += 0.05) {
        const int angle = turningAngle(3, 180, t);
        EXPECT_TRUE(angle >= last && angle <= 180) << t;
        last = angle;
    }
    EXPECT_TRUE(turningAngle(3, 180, 0) == 3 && last == 180);
}

TEST_F(ScreensTest, UpAndDownMoveTheBarOncePerPress) {
    press(VK_UP);
    menuFrame();
    EXPECT_EQ(menuItem, 2);
    menuFrame();  // still held: no new press
    EXPECT_EQ(menuItem, 2);
    release(VK_UP);
    press(VK_DOWN);
    menuFrame();
    EXPECT_EQ(menuItem, 1);
    // Both in one frame cancel out.
    press(VK_UP);
    press(VK_DOWN);
    menuFrame();
    EXPECT_EQ(menuItem, 1);
}

TEST_F(ScreensTest, SeveralPressesInOneFrameEachActInOrder) {
    press(VK_LEFT);
    press(VK_LEFT);
    menuFrame();
    EXPECT_EQ(greenSide, 1);  // switched twice
    press(VK_RIGHT);
    press(VK_LEFT);
    press(VK_RIGHT);
    menuFrame();
    EXPECT_EQ(greenSide, 2);
    press(VK_UP);
    press(VK_UP);
    menuFrame();
    EXPECT_EQ(menuItem, 1);
    // In the order typed: Left switches the side, then Down selects the start.
    press(VK_LEFT);
    press(VK_DOWN);
    menuFrame();
    EXPECT_EQ(greenSide, 1);
    EXPECT_EQ(menuItem, 2);
    EXPECT_EQ(currentScreen, 1);
    // Up then Right: the side again, not the start.
    press(VK_UP);
    press(VK_RIGHT);
    menuFrame();
    EXPECT_EQ(greenSide, 2);
    EXPECT_EQ(currentScreen, 1);
}

TEST_F(ScreensTest, BarLiesOverTheSelectedCaption) {
    // Right of the views the picture is cleared to black, so the bar shows as
    // half of its colour there.
    auto underBar = [](Pixel p) { return p.r > 50 && p.r < 80 && p.g > 115 && p.g < 140 && p.b > 50 && p.b < 80; };
    menuFrame();
    EXPECT_TRUE(underBar(pixelAt(625, 335)));
    EXPECT_FALSE(underBar(pixelAt(625, 170)));
    EXPECT_FALSE(underBar(pixelAt(625, 380)));
    press(VK_DOWN);
    menuFrame();
    EXPECT_FALSE(underBar(pixelAt(625, 335)));
    EXPECT_TRUE(underBar(pixelAt(625, 170)));
    EXPECT_TRUE(underBar(pixelAt(625, 140)));
    EXPECT_FALSE(underBar(pixelAt(625, 212)));
}

TEST_F(ScreensTest, CaptionsAreGreenOverGreyShadows) {
    menuFrame();
    // "Start the game" is not under the bar: full green strokes and grey shadows.
    const int green = countPixels(120, 150, 440, 45, [](Pixel p) { return p.r == 0 && p.g == 255 && p.b == 0; });
    const int grey = countPixels(120, 150, 440, 45, [](Pixel p) { return p.r == 128 && p.g == 128 && p.b == 128; });
    EXPECT_GT(green, 300);
    EXPECT_GT(grey, 20);
    // Its first glyph, the S, starts at x = 128 - 2 * 3.
    EXPECT_GT(countPixels(121, 160, 6, 30, [](Pixel p) { return p.g == 255 && p.r == 0; }), 0);
    EXPECT_EQ(countPixels(100, 150, 18, 45, [](Pixel p) { return p.g == 255 && p.r == 0; }), 0);
    // "Select side", tinted by the bar: green saturated, red and blue half the bar's.
    EXPECT_GT(countPixels(150, 318, 330, 35, [](Pixel p) { return p.g == 255 && p.r > 50 && p.r < 80; }), 300);
}

TEST_F(ScreensTest, LeftOnSelectSideSwitchesTheSideAndTheMarker) {
    menuFrame();
    Pixel marker = pixelAt(64, 331);
    EXPECT_EQ(marker.r, 0);
    EXPECT_EQ(marker.g, 255);
    EXPECT_EQ(marker.b, 0);

    rootListFilled = 1;
    press(VK_LEFT);
    menuFrame();
    EXPECT_EQ(greenSide, 2);
    EXPECT_EQ(sideToMove, 2);
    EXPECT_EQ(computerActive, 1);
    EXPECT_EQ(rootListFilled, 0);
    EXPECT_EQ(currentScreen, 1);
    marker = pixelAt(64, 331);
    EXPECT_EQ(marker.r, 255);
    EXPECT_EQ(marker.g, 0);
    EXPECT_EQ(marker.b, 255);

    // Held on: no further switch. Right switches back.
    menuFrame();
    EXPECT_EQ(greenSide, 2);
    release(VK_LEFT);
    press(VK_RIGHT);
    menuFrame();
    EXPECT_EQ(greenSide, 1);
    EXPECT_EQ(sideToMove, 1);
}

TEST_F(ScreensTest, EachMenuFrameTurnsTheViewsByThreeDegrees) {
    viewAngleY = 30;
    menuFrame();
    menuFrame();
    EXPECT_EQ(viewAngleY, 36);
}

TEST_F(ScreensTest, StartTheGameSetsUpACleanGameAndKeepsTheSide) {
    // What an earlier game may leave: the player on the move although the
    // computer is green, a capture half made, moves to take back, a computer
    // that ran out of moves, a half-typed move.
    greenSide = 2;
    sideToMove = 1;
    menuItem = 2;
    viewAngleY = 120;
    board[1][1] = 0;
    board[5][5] = kKing2;
    continuationSquare = Square{4, 4};
    historyCount = 7;
    computerActive = 0;
    rootListFilled = 1;
    typedMove[1] = 3;
    press(VK_RIGHT);
    menuFrame();
    EXPECT_EQ(currentScreen, 0);
    EXPECT_EQ(viewAngleY, 3);  // set to 0, then turned by the frame
    EXPECT_EQ(board[1][1], kMan1);
    EXPECT_EQ(board[5][5], kEmpty);
    EXPECT_EQ(greenSide, 2);
    EXPECT_EQ(menuItem, 2);
    EXPECT_EQ(sideToMove, 2);  // the green side moves first
    EXPECT_EQ(continuationSquare, Square{});
    EXPECT_EQ(historyCount, 0);
    EXPECT_EQ(computerActive, 1);
    EXPECT_EQ(rootListFilled, 0);
    EXPECT_EQ(typedMove[1], 0);
}

TEST_F(ScreensTest, ArrowHeldFromTheStartTurnsTheViewOnlyAfterItsRelease) {
    menuItem = 2;
    press(VK_LEFT);
    menuFrame();
    ASSERT_EQ(currentScreen, 0);
    const int angle = viewAngleY;
    playFrame();  // Left still held
    playFrame();
    EXPECT_EQ(viewAngleY, angle);
    EXPECT_EQ(KeyState[VK_LEFT], 1);  // the key itself still reads as held
    release(VK_LEFT);
    playFrame();
    press(VK_LEFT);
    playFrame();
    EXPECT_EQ(viewAngleY, angle + 3);
    // A key pressed only during play acts at once.
    press(VK_RIGHT);
    playFrame();
    EXPECT_EQ(viewAngleY, angle + 3);  // +3 from Left, -3 from Right
}

TEST_F(ScreensTest, EscapePressOnThePlayScreenReturnsToTheMenu) {
    currentScreen = 0;
    KeyState[VK_ESCAPE] = 1;  // held, but pressed before this screen began
    playFrame();
    EXPECT_EQ(currentScreen, 0);
    release(VK_ESCAPE);
    press(VK_ESCAPE);
    playFrame();
    EXPECT_EQ(currentScreen, 1);
}

TEST_F(ScreensTest, PlayFrameShowsTheHelpBlockAndTheCredit) {
    currentScreen = 0;
    playFrame();
    auto green = [](Pixel p) { return p.r == 0 && p.g == 255 && p.b == 0; };
    auto white = [](Pixel p) { return p.r == 255 && p.g == 255 && p.b == 255; };
    auto red = [](Pixel p) { return p.r == 255 && p.g == 0 && p.b == 0; };
    // Labels from x = 10, keys from x = 200, baselines 25..70 below the top edge.
    EXPECT_GT(countPixels(10, 480 - 72, 185, 62, green), 200);
    EXPECT_GT(countPixels(200, 480 - 72, 300, 62, white), 200);
    EXPECT_EQ(countPixels(0, 480 - 72, 9, 62, green), 0);
    // Credit line: baseline 30 above the bottom edge.
    EXPECT_GT(countPixels(10, 28, 200, 16, red), 50);
    EXPECT_EQ(currentScreen, 0);
}

TEST_F(ScreensTest, PlayFrameAfterTheMenuClosesTheMenuOverlay) {
    menuFrame();
    currentScreen = 0;
    playFrame();
    // The menu's overlay is gone: the projection is the window's perspective
    // again, not the 2D one, and the stacks are back at their base.
    GLint depth = 0;
    glGetIntegerv(GL_PROJECTION_STACK_DEPTH, &depth);
    EXPECT_EQ(depth, 1);
    glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &depth);
    EXPECT_EQ(depth, 1);
    GLfloat projection[16];
    glGetFloatv(GL_PROJECTION_MATRIX, projection);
    EXPECT_FLOAT_EQ(projection[11], -1.0f);  // perspective divide
    // Light 1 stands at the world origin, eye (0, -2, -10).
    GLfloat light[4];
    glGetLightfv(GL_LIGHT1, GL_POSITION, light);
    EXPECT_FLOAT_EQ(light[1], -2.0f);
    EXPECT_FLOAT_EQ(light[2], -10.0f);
    EXPECT_FLOAT_EQ(light[3], 1.0f);
}

TEST_F(ScreensTest, MouseTypesSquaresClearsAndTurnsThePlayViewAndWorksTheMenu) {
    currentScreen = 0;
    viewAngleY = 3;
    historyCount = 0;
    auto typed = [] { return std::vector<int>{typedMove[1], typedMove[2], typedMove[3], typedMove[4]}; };
    clickSquare(3, 3);
    playFrame();
    EXPECT_EQ(typed(), (std::vector<int>{3, 3, 0, 0}));
    playFrame();  // the click acted once
    EXPECT_EQ(typed(), (std::vector<int>{3, 3, 0, 0}));
    clickSquare(3, 3);  // the from-square again clears, so d4 is a new from-square
    clickSquare(4, 4);
    playFrame();
    EXPECT_EQ(typed(), (std::vector<int>{4, 4, 0, 0}));
    EXPECT_EQ(board[3][3], kMan1);
    clickSquare(4, 4);
    playFrame();
    EXPECT_EQ(typed(), (std::vector<int>{0, 0, 0, 0}));
    // The table beside file a and the room above the board type nothing.
    WindowPoint p = playCameraPoint(-4.6, -3, 0);
    recordLeftPress(p.x, p.y);
    p = playCameraPoint(0, 5, -2);
    recordLeftPress(p.x, p.y);
    playFrame();
    EXPECT_EQ(typed(), (std::vector<int>{0, 0, 0, 0}));
    // A right click forgets a half-typed move.
    clickSquare(5, 3);
    playFrame();
    recordRightPress();
    recordRightRelease(320, 240);
    playFrame();
    EXPECT_EQ(typed(), (std::vector<int>{0, 0, 0, 0}));
    // In a turned view, c3 then d4 in one frame plays the move.
    recordRightPress();
    recordPointerMotion(120, 0);  // 40 degrees about the vertical
    playFrame();
    recordRightRelease(0, 0);
    EXPECT_EQ(viewAngleY, 43);
    clickSquare(3, 3);
    clickSquare(4, 4);
    playFrame();
    EXPECT_EQ(board[3][3], kEmpty);
    EXPECT_EQ(board[4][4], kMan1);
    EXPECT_EQ(historyCount, 1);
    // The tilt stops at the arrow keys' limits.
    recordRightPress();
    recordPointerMotion(0, 300);
    playFrame();
    EXPECT_EQ(viewAngleX, 12);
    clickSquare(4, 7);  // picked in the tilted view
    playFrame();
    EXPECT_EQ(typed(), (std::vector<int>{4, 7, 0, 0}));
    recordPointerMotion(0, -900);
    playFrame();
    EXPECT_EQ(viewAngleX, -24);
    recordRightRelease(0, 0);

    // The menu: a click on the band of "Select side" switches the side, one on
    // "Start the game" starts it.
    currentScreen = 1;
    menuItem = 2;
    recordLeftPress(600, 335);
    menuFrame();
    EXPECT_EQ(menuItem, 1);
    EXPECT_EQ(greenSide, 2);
    EXPECT_EQ(currentScreen, 1);
    recordLeftPress(20, 250);  // between the bands
    menuFrame();
    EXPECT_EQ(greenSide, 2);
    EXPECT_EQ(menuItem, 1);
    recordLeftPress(300, 170);
    menuFrame();
    EXPECT_EQ(menuItem, 2);
    EXPECT_EQ(currentScreen, 0);
    EXPECT_EQ(board[3][3], kMan1);
}

// Outside classic mode the finished game stays up, however many frames pass,
// until a key comes at least a second after the end; then the menu returns.
TEST_F(ScreensTest, AFinishedGameIsHeldUntilAKeyAtLeastASecondLater) {
    settings.classic = false;
    for (auto& file : board)
        for (auto& cell : file) cell = kEmpty;
    board[1][1] = kMan1;  // side 2 has nothing left: side 1, green, has won
    currentScreen = 0;
    playSession.moves().startShowingMoves();
    for (int frame = 0; frame < 15; ++frame) {
        frameSeconds = 100 + frame / 30.0;
        playFrame();
    }
    EXPECT_EQ(currentScreen, 0) << "no return after ten winner pictures";
    EXPECT_EQ(playSession.moves().gameEndHeldSince(), 100);
    frameSeconds = 100.6;
    press('C');
    playFrame();
    EXPECT_EQ(currentScreen, 0) << "a key within the second does not end the hold";
    frameSeconds = 101.1;
    press('C');
    playFrame();
    EXPECT_EQ(currentScreen, 1);
    settings.classic = true;
}

// A hint is dropped once a move is played, also in a game past the history's
// thousand jumps, where a move leaves the history's length as it was.
TEST_F(ScreensTest, AHintIsDroppedByAMoveAlsoPastAThousandJumps) {
    settings.classic = false;
    currentScreen = 0;
    playFrame();
    press('C');
    press('3');
    press('D');
    press('4');
    playFrame();
    ASSERT_EQ(jumpsPlayed(), 1);
    // The one record stands for a long game: the history is full and has
    // forgotten as many again; the player (both sides here) is to move.
    for (HistoryRecord& record : history) record = history[0];
    historyCount = kHistoryCapacity;
    historyForgotten = kHistoryCapacity;
    sideToMove = 1;
    playSession.moves().startShowingMoves();
    const int jumps = jumpsPlayed();
    frameSeconds = 50;
    press('T');
    playFrame();
    for (int frame = 0; frame < 60000 && playSession.advice().adviceText(frameSeconds).empty(); ++frame) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
        playFrame();
    }
    ASSERT_EQ(playSession.advice().adviceText(frameSeconds).rfind("Hint: ", 0), 0u);
    press('D');
    press('4');
    press('C');
    press('5');
    playFrame();
    ASSERT_EQ(jumpsPlayed(), jumps + 1);
    EXPECT_EQ(historyCount, kHistoryCapacity);
    EXPECT_EQ(playSession.advice().adviceText(frameSeconds), "") << "the hint of the position before the move";
    settings.classic = true;
}

}  // namespace
