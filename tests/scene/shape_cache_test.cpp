// The display-list cache: keys, chains, replay, and a replaced rendering context.

#include <GL/gl.h>
#include <gtest/gtest.h>


#include "engine/rules/board.h"
#include "engine/game/turn.h"
#include "scene/scene.h"
#include "scene/shape_cache.h"
#include "tests/scene/scene_test_support.h"

namespace {

class ShapeCache : public ::testing::Test {
protected:
    static void SetUpTestSuite() { ASSERT_TRUE(openSceneWindow()); }
    static void TearDownTestSuite() {
        forgetShapeCache();
        closeSceneWindow();
    }
    void SetUp() override {
        forgetShapeCache();
        straightforwardDrawing = false;
        resetGameState();
    }
    void TearDown() override { straightforwardDrawing = false; }

    // Clears and draws `shape` in front of the play camera; returns the frame.
    template <typename Shape>
    static std::vector<std::uint8_t> drawAlone(Shape shape) {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        setPlayCamera();
        glPushMatrix();
        glTranslated(0, 2, 5);
        glColor3d(1, 1, 0);
        shape();
        glPopMatrix();
        glFinish();
        return readFrame();
    }
    static bool hasLitPixels(const std::vector<std::uint8_t>& frame) {
        for (std::uint8_t v : frame)
            if (v != 0) return true;
        return false;
    }
};

unsigned int cylinderList(double radius, double length) {
    const double key[2] = {radius, length};
    return findCachedList(kShapeKindCylinder, key, 2);
}

unsigned int sphereList(double radius) { return findCachedList(kShapeKindSphere, &radius, 1); }

TEST_F(ShapeCache, EqualKeyReplaysTheSameListAndADifferentKeyGetsItsOwn) {
    EXPECT_EQ(cylinderList(0.5, 10), 0u);
    cachedCylinder(0.5, 10);
    const unsigned int legs = cylinderList(0.5, 10);
    ASSERT_NE(legs, 0u);
    EXPECT_TRUE(glIsList(legs));

    cachedCylinder(0.5, 10);
    EXPECT_EQ(cachedListCount(kShapeKindCylinder), 1);
    EXPECT_EQ(cylinderList(0.5, 10), legs);

    cachedCylinder(0.5, 3.7);
    EXPECT_EQ(cachedListCount(kShapeKindCylinder), 2);
    EXPECT_NE(cylinderList(0.5, 3.7), legs);
    EXPECT_NE(cylinderList(0.5, 3.7), 0u);
    EXPECT_EQ(cylinderList(0.5, 10), legs);
    // Cylinders and spheres keep separate chains.
    EXPECT_EQ(cachedListCount(kShapeKindSphere), 0);
}

TEST_F(ShapeCache, KeysAreComparedExactly) {
    cachedSphere(1.5);
    cachedSphere(1.495);
    EXPECT_EQ(cachedListCount(kShapeKindSphere), 2);
    EXPECT_NE(sphereList(1.5), sphereList(1.495));
    EXPECT_EQ(sphereList(1.4950001), 0u);
    EXPECT_EQ(cylinderList(1.5, 1.5), 0u);
}

TEST_F(ShapeCache, LookupWalksFromTheNewestEntryAndComparesTheGivenCount) {
    double first[2] = {0.2, 10};
    double second[2] = {0.2, 3.7};
    const unsigned int older = addCachedList(kShapeKindCylinder, new double[2]{first[0], first[1]}, 2);
    const unsigned int newer = addCachedList(kShapeKindCylinder, new double[2]{second[0], second[1]}, 2);
    EXPECT_EQ(findCachedList(kShapeKindCylinder, first, 2), older);
    EXPECT_EQ(findCachedList(kShapeKindCylinder, second, 2), newer);
    // Only the radius compared: the newest entry with that radius answers.
    EXPECT_EQ(findCachedList(kShapeKindCylinder, first, 1), newer);
}

TEST_F(ShapeCache, FirstDrawingLooksLikeEveryReplay) {
    const auto compiled = drawAlone([] { cachedSphere(1.5); });
    const auto replayed = drawAlone([] { cachedSphere(1.5); });
    EXPECT_TRUE(hasLitPixels(compiled));
    EXPECT_TRUE(compiled == replayed);

    const auto cylinderCompiled = drawAlone([] { cachedCylinder(0.7, 3.7); });
    const auto cylinderReplayed = drawAlone([] { cachedCylinder(0.7, 3.7); });
    EXPECT_TRUE(hasLitPixels(cylinderCompiled));
    EXPECT_TRUE(cylinderCompiled == cylinderReplayed);
    EXPECT_FALSE(compiled == cylinderCompiled);
}

TEST_F(ShapeCache, SolidsAreKeyedByAllTheirParameters) {
    solidSphere(0.2, 55, 55);
    solidSphere(0.2, 55, 55);
    EXPECT_EQ(cachedListCount(kShapeKindSolidSphere), 1);
    solidSphere(0.2, 50, 55);
    solidSphere(0.2, 55, 50);
    EXPECT_EQ(cachedListCount(kShapeKindSolidSphere), 3);
    solidTorus(1.5, 0, 2, 60);
    solidTorus(0, 1.5, 2, 60);
    EXPECT_EQ(cachedListCount(kShapeKindSolidTorus), 2);
    solidCone(0.2, 1.0, 55, 55);
    solidCube(1.0);
    EXPECT_EQ(cachedListCount(kShapeKindSolidCone), 1);
    EXPECT_EQ(cachedListCount(kShapeKindSolidCube), 1);

    straightforwardDrawing = true;
    solidCube(2.0);
    EXPECT_EQ(cachedListCount(kShapeKindSolidCube), 1);
}

TEST_F(ShapeCache, ForgetEmptiesEveryChain) {
    board[1][1] = kMan1;
    renderPlayView();
    EXPECT_EQ(cachedListCount(kShapeKindCylinder), 5);
    EXPECT_EQ(cachedListCount(kShapeKindSphere), 2);
    EXPECT_GT(cachedListCount(kShapeKindSolidTorus), 0);
    forgetShapeCache();
    for (int kind = 0; kind < kShapeKindCount; ++kind) EXPECT_EQ(cachedListCount(kind), 0) << kind;
}

TEST_F(ShapeCache, ShapesAreCompiledAgainInAReplacedContext) {
    const auto before = drawAlone([] {
        cachedSphere(1.5);
        glTranslated(3, 0, 0);
        solidTorus(0.5, 1.0, 20, 30);
    });
    ASSERT_TRUE(hasLitPixels(before));

    // What the platform layer does on the display-mode switch.
    forgetShapeCache();
    closeSceneWindow();
    ASSERT_TRUE(openSceneWindow());
    EXPECT_EQ(sphereList(1.5), 0u);

    const auto after = drawAlone([] {
        cachedSphere(1.5);
        glTranslated(3, 0, 0);
        solidTorus(0.5, 1.0, 20, 30);
    });
    EXPECT_TRUE(glIsList(sphereList(1.5)));
    EXPECT_EQ(cachedListCount(kShapeKindSolidTorus), 1);
    EXPECT_TRUE(before == after);
}

// The cached solids must not change a pixel of the scene.
struct SceneCase {
    const char* name;
    void (*arrange)();
};

void initialPosition() { setupInitialPosition(); }
void turnedWithHighlights() {
    setupInitialPosition();
    viewAngleY = 60;
    viewAngleX = -12;
    typedMove[1] = 3;
    typedMove[2] = 3;
    typedMove[3] = 4;
}
void kingsAndWinner() {
    board[2][2] = kKing1;
    board[7][7] = kMan1;
    sideToMove = 2;
    greenSide = 2;
    viewAngleY = -33;
}

TEST_F(ShapeCache, CachedSolidsDrawTheSamePixelsAsImmediateDrawing) {
    const SceneCase cases[] = {{"initial", initialPosition},
                               {"turned", turnedWithHighlights},
                               {"kings and winner", kingsAndWinner}};
    for (const SceneCase& c : cases) {
        resetGameState();
        c.arrange();
        straightforwardDrawing = true;
        // Hand-built surfaces take the normal the previous drawing left behind,
        // so compare drawings that follow a drawing of the same scene.
        renderPlayView();
        renderPlayView();
        const auto immediate = readFrame();
        straightforwardDrawing = false;
        renderPlayView();  // compiles the solids while drawing them
        const auto firstCached = readFrame();
        renderPlayView();  // replays them
        const auto replayed = readFrame();
        EXPECT_TRUE(immediate == firstCached) << c.name;
        EXPECT_TRUE(immediate == replayed) << c.name;
        winPictureFrames = 0;
    }
}

}  // namespace
