// Pixel read-back of whole scene drawings under the play camera.

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cstdlib>

#include "engine/rules/board.h"
#include "engine/game/turn.h"
#include "scene/scene.h"
#include "scene/shape_cache.h"
#include "tests/scene/scene_test_support.h"
#include "textures/texture_set.h"

namespace {

class SceneRender : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        ASSERT_TRUE(openSceneWindow());
        // The very first drawing in a context lights the hand-built surfaces with
        // the initial normal; later ones with the normal the previous one left.
        resetGameState();
        renderPlayView();
    }
    static void TearDownTestSuite() {
        forgetShapeCache();
        closeSceneWindow();
    }
    void SetUp() override {
        resetGameState();
        winPictureFrames = 0;
        straightforwardDrawing = false;
    }
    // Two men far apart that can both move, so neither side is blocked.
    static void placeGuardMen() {
        board[1][1] = kMan1;
        board[8][8] = kMan2;
    }
    static Rgb squareColour(int file, int rank) { return colourAtWorld(file - 4.5, -2.95, 4 - rank); }
    static Rgb pieceColour(int file, int rank) { return colourAtWorld(file - 4.5, -2.85, 4 - rank); }
};

bool sameColour(const Rgb& a, const Rgb& b) { return a.r == b.r && a.g == b.g && a.b == b.b; }

::testing::AssertionResult isYellowOver(const Rgb& lit, const Rgb& plain) {
    // Yellow raises red and green (or keeps them at full) and pulls blue down.
    if (lit.r >= plain.r && lit.g >= plain.g && lit.r > 150 && lit.g > 150 && lit.b < lit.r - 100 &&
        std::abs(lit.r - lit.g) < 10)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "(" << lit.r << "," << lit.g << "," << lit.b << ") over (" << plain.r
                                         << "," << plain.g << "," << plain.b << ")";
}

TEST_F(SceneRender, MenShowTheirSideColoursSwappedWithGreenSide) {
    board[3][3] = kMan1;
    board[6][6] = kMan2;
    renderPlayView();
    EXPECT_TRUE(looksGreen(pieceColour(3, 3)));
    EXPECT_TRUE(looksPink(pieceColour(6, 6)));

    greenSide = 2;
    renderPlayView();
    EXPECT_TRUE(looksPink(pieceColour(3, 3)));
    EXPECT_TRUE(looksGreen(pieceColour(6, 6)));
}

TEST_F(SceneRender, KingsStandAsConesAndOtherCodesDrawNothing) {
    placeGuardMen();
    board[4][4] = kKing1;
    board[5][3] = kKing2;
    renderPlayView();
    // Halfway up the cone: far above the dome of a man.
    EXPECT_TRUE(looksGreen(colourAtWorld(-0.5, -2.5, 0)));
    EXPECT_TRUE(looksPink(colourAtWorld(0.5, -2.5, 1)));

    board[4][4] = kMan1;
    board[5][3] = 7;  // no piece code: nothing drawn
    renderPlayView();
    EXPECT_FALSE(looksGreen(colourAtWorld(-0.5, -2.5, 0)));
    const Rgb empty = squareColour(5, 3);
    board[5][3] = kEmpty;
    renderPlayView();
    EXPECT_TRUE(sameColour(empty, squareColour(5, 3)));
}

TEST_F(SceneRender, TypedFromFileLightsTheWholeFile) {
    placeGuardMen();
    renderPlayView();
    Rgb plain[9][9];
    for (int file = 2; file <= 4; ++file)
        for (int rank = 1; rank <= 8; ++rank) plain[file][rank] = squareColour(file, rank);

    typedMove[1] = 3;
    renderPlayView();
    for (int rank = 1; rank <= 8; ++rank) {
        EXPECT_TRUE(isYellowOver(squareColour(3, rank), plain[3][rank])) << "rank " << rank;
        EXPECT_TRUE(sameColour(squareColour(2, rank), plain[2][rank])) << "rank " << rank;
        EXPECT_TRUE(sameColour(squareColour(4, rank), plain[4][rank])) << "rank " << rank;
    }
}

TEST_F(SceneRender, TypedFromSquareLightsOnlyThatSquareAndToSquareShowsRed) {
    placeGuardMen();
    renderPlayView();
    const Rgb below = squareColour(3, 4), at = squareColour(3, 5), above = squareColour(3, 6);
    const Rgb target = squareColour(4, 6);

    typedMove[1] = 3;
    typedMove[2] = 5;
    renderPlayView();
    EXPECT_TRUE(isYellowOver(squareColour(3, 5), at));
    EXPECT_TRUE(sameColour(squareColour(3, 4), below));
    EXPECT_TRUE(sameColour(squareColour(3, 6), above));

    typedMove[3] = 4;
    typedMove[4] = 6;
    renderPlayView();
    const Rgb red = squareColour(4, 6);
    EXPECT_GT(red.r, 150);
    EXPECT_LT(red.g, target.g / 2 + 10);
    EXPECT_LT(red.b, target.b / 2 + 10);
}

TEST_F(SceneRender, RankWithoutFileShowsNothing) {
    placeGuardMen();
    renderPlayView();
    const auto plain = readFrame();
    typedMove[2] = 5;
    typedMove[4] = 6;
    renderPlayView();
    EXPECT_TRUE(plain == readFrame());
}

TEST_F(SceneRender, HighlightIsDrawnTwiceAndBlendsToThreeQuarters) {
    placeGuardMen();
    typedMove[1] = 2;
    renderPlayView();
    // Black square (2, 2): yellow saturates to full, two layers of 0.5 over black give 0.75.
    const Rgb c = squareColour(2, 2);
    EXPECT_NEAR(c.r, 191, 3);
    EXPECT_NEAR(c.g, 191, 3);
    EXPECT_LE(c.b, 2);
}

TEST_F(SceneRender, TurnIndicatorShowsTheColourOfTheSideToMove) {
    placeGuardMen();
    renderPlayView();
    EXPECT_TRUE(looksGreen(colourAtWorld(-5.4, -2.8, 0)));
    sideToMove = 2;
    renderPlayView();
    EXPECT_TRUE(looksPink(colourAtWorld(-5.4, -2.8, 0)));
    greenSide = 2;
    renderPlayView();
    EXPECT_TRUE(looksGreen(colourAtWorld(-5.4, -2.8, 0)));
}

// Winner pictures with test textures: GreenWins blue on its left half and fully
// transparent on its right, PinkWins opaque yellow, so both can be told apart
// and a PinkWins picture under a GreenWins one shows through on the right.
class WinnerPictures : public SceneRender {
protected:
    void SetUp() override {
        SceneRender::SetUp();
        savedGreen = greenWinsTexture;
        savedPink = pinkWinsTexture;
        const unsigned char green[4 * 2] = {0, 0, 255, 255, 0, 0, 0, 0};
        const unsigned char pink[4 * 1] = {255, 255, 0, 255};
        greenWinsTexture = makeTexture(green, 2);
        pinkWinsTexture = makeTexture(pink, 1);
    }
    void TearDown() override {
        glDeleteTextures(1, &greenWinsTexture);
        glDeleteTextures(1, &pinkWinsTexture);
        greenWinsTexture = savedGreen;
        pinkWinsTexture = savedPink;
    }
    static unsigned int makeTexture(const unsigned char* rgba, int width) {
        unsigned int name = 0;
        glGenTextures(1, &name);
        glBindTexture(GL_TEXTURE_2D, name);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
        glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, width, 1, 0, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
        glBindTexture(GL_TEXTURE_2D, 0);
        return name;
    }
    static bool looksBlue(const Rgb& c) { return c.b > 40 && c.r < 5 && c.g < 5; }
    static bool looksYellow(const Rgb& c) { return c.r > 40 && std::abs(c.r - c.g) < 5 && c.b < 5; }
    // Points of the picture plane, seen over the board.
    static Rgb leftOfPicture() { return colourAtWorld(-2, -1, 0); }
    static Rgb rightOfPicture() { return colourAtWorld(2, -1, 0); }
    unsigned int savedGreen = 0, savedPink = 0;
};

TEST_F(WinnerPictures, NoPictureWhileBothSidesCanMove) {
    placeGuardMen();
    winPictureFrames = 6;  // left over from a game end that was taken back
    renderPlayView();
    EXPECT_FALSE(looksBlue(leftOfPicture()));
    EXPECT_FALSE(looksYellow(leftOfPicture()));
    EXPECT_EQ(winPictureFrames, 6);
}

TEST_F(WinnerPictures, BlockedSideShowsTheOtherSidesPicture) {
    board[1][1] = kMan1;  // side 2 has no pieces: side 1 wins
    renderPlayView();
    EXPECT_TRUE(looksBlue(leftOfPicture()));
    EXPECT_FALSE(looksYellow(rightOfPicture()));

    greenSide = 2;  // the winner, side 1, is now pink
    renderPlayView();
    EXPECT_TRUE(looksYellow(leftOfPicture()));

    resetGameState();
    board[1][8] = kMan1;  // side 1's man on the far rank cannot move: side 2 wins
    board[5][5] = kMan2;
    renderPlayView();
    EXPECT_TRUE(looksYellow(leftOfPicture()));
    EXPECT_EQ(winPictureFrames, 3);
}

TEST_F(WinnerPictures, BothBlockedShowsPinkUnderGreenAndCountsTwice) {
    renderPlayView();  // empty board: neither side can move
    EXPECT_TRUE(looksBlue(leftOfPicture()));
    EXPECT_TRUE(looksYellow(rightOfPicture()));
    EXPECT_EQ(winPictureFrames, 2);
}

TEST_F(WinnerPictures, TenthDrawingWithAPictureEndsTheGame) {
    board[1][1] = kMan1;
    for (int drawing = 1; drawing <= 9; ++drawing) {
        EXPECT_EQ(renderPlayView(), SceneOutcome::GameGoesOn) << "drawing " << drawing;
        EXPECT_EQ(winPictureFrames, drawing);
    }
    EXPECT_EQ(renderPlayView(), SceneOutcome::GameOver);
    EXPECT_EQ(winPictureFrames, 0);
}

TEST_F(WinnerPictures, PictureTurnsWithTheRoom) {
    board[1][1] = kMan1;
    viewAngleY = 90;  // the picture plane is now seen edge-on
    renderPlayView();
    EXPECT_FALSE(looksBlue(leftOfPicture()));
}

TEST_F(SceneRender, SceneRestoresMatricesAndTranslucencyState) {
    placeGuardMen();
    typedMove[1] = 2;
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    setPlayCamera();
    double before[16], after[16];
    int depthBefore = 0, depthAfter = 0;
    glGetDoublev(GL_MODELVIEW_MATRIX, before);
    glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &depthBefore);
    drawScene();
    glGetDoublev(GL_MODELVIEW_MATRIX, after);
    glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &depthAfter);
    EXPECT_EQ(depthBefore, depthAfter);
    for (int k = 0; k < 16; ++k) EXPECT_EQ(before[k], after[k]);
    EXPECT_FALSE(glIsEnabled(GL_BLEND));
    EXPECT_FALSE(glIsEnabled(GL_ALPHA_TEST));
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
    EXPECT_FALSE(glIsEnabled(GL_CLIP_PLANE0));
}

}  // namespace
