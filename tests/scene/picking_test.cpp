// The square under a point of the play picture. The points are made here by
// projecting places of the scene (square centres on the playing surface, points
// on a piece's body, points just off the board) through the play camera, built
// step by step as the play frame sets it: a 90-degree perspective over the
// viewport, the world moved by (0, -2, -10) and turned by the view angles about
// x, then y.
#include "scene/picking.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>

namespace {

struct ScreenPoint {
    double x, y;  // window pixels from the lower-left corner
};

ScreenPoint project(double x, double y, double z, double angleX, double angleY, double width = 640,
                    double height = 480) {
    const double pi = std::acos(-1.0);
    const double ay = angleY * pi / 180, ax = angleX * pi / 180;
    // Turn about y, then about x (glRotate about x applied after about y on the stack).
    const double x1 = x * std::cos(ay) + z * std::sin(ay), z1 = -x * std::sin(ay) + z * std::cos(ay);
    const double y2 = y * std::cos(ax) - z1 * std::sin(ax), z2 = y * std::sin(ax) + z1 * std::cos(ax);
    const double ex = x1, ey = y2 - 2, ez = z2 - 10;
    const double f = 1 / std::tan(45 * pi / 180);
    const double ndcX = f / (width / height) * ex / -ez, ndcY = f * ey / -ez;
    return {(ndcX + 1) * width / 2, (ndcY + 1) * height / 2};
}

std::string name(const Square& s) {
    if (s.file == 0) return "none";
    return std::string(1, static_cast<char>('a' + s.file - 1)) + std::to_string(s.rank);
}

class PickingTest : public ::testing::Test {
protected:
    void SetUp() override { std::memset(position, 0, sizeof position); }
    std::string pickAt(double x, double y, double z, double angleX, double angleY, double width = 640,
                       double height = 480) const {
        const ScreenPoint p = project(x, y, z, angleX, angleY, width, height);
        PickCamera camera;
        camera.viewportWidth = width;
        camera.viewportHeight = height;
        camera.angleX = angleX;
        camera.angleY = angleY;
        return name(pickSquare(camera, p.x, p.y, position));
    }
    Board position;
};

struct View {
    double angleX, angleY, width, height;
};
// The start of a game (turned by 3), no turn, both tilt limits, the view from
// the sides and from behind, and a window made larger and wider.
const View kViews[] = {{0, 3, 640, 480},   {0, 0, 640, 480},    {-24, 3, 640, 480}, {12, -30, 640, 480},
                       {-12, 90, 640, 480}, {6, -90, 640, 480}, {-6, 180, 640, 480}, {0, 45, 1024, 600}};

TEST_F(PickingTest, EverySquareCentreAndCornerRegionPicksThatSquareInEveryView) {
    for (const View& v : kViews) {
        for (int file = 1; file <= 8; ++file) {
            for (int rank = 1; rank <= 8; ++rank) {
                const double cx = file - 4.5, cz = 4 - rank;
                const std::string want = name(Square{file, rank});
                // The centre and points 0.4 towards each corner, on the playing surface.
                for (const double* d : {(const double[]){0, 0}, (const double[]){0.4, 0.4},
                                        (const double[]){-0.4, 0.4}, (const double[]){0.4, -0.4},
                                        (const double[]){-0.4, -0.4}}) {
                    // Off the picture (the near corner, seen from high up) is nothing.
                    const ScreenPoint p = project(cx + d[0], -2.95, cz + d[1], v.angleX, v.angleY, v.width, v.height);
                    const bool seen = p.x >= 0 && p.x <= v.width && p.y >= 0 && p.y <= v.height;
                    ASSERT_EQ(pickAt(cx + d[0], -2.95, cz + d[1], v.angleX, v.angleY, v.width, v.height),
                              seen ? want : "none")
                        << "view " << v.angleX << "/" << v.angleY << " offset " << d[0] << "," << d[1];
                }
            }
        }
    }
}

TEST_F(PickingTest, PointsJustOffTheBoardOrOutsideTheViewportPickNothing) {
    for (const View& v : kViews) {
        for (double along = -3.9; along <= 3.9; along += 0.6) {
            // Beyond files a and h, before rank 1 and behind rank 8, on the table's height.
            EXPECT_EQ(pickAt(-4.06, -2.95, along - 0.5, v.angleX, v.angleY, v.width, v.height), "none");
            EXPECT_EQ(pickAt(4.06, -2.95, along - 0.5, v.angleX, v.angleY, v.width, v.height), "none");
            EXPECT_EQ(pickAt(along, -2.95, 3.56, v.angleX, v.angleY, v.width, v.height), "none");
            EXPECT_EQ(pickAt(along, -2.95, -4.56, v.angleX, v.angleY, v.width, v.height), "none");
        }
        // The table's far corner and the room high above the board.
        EXPECT_EQ(pickAt(5.9, -3, -5.9, v.angleX, v.angleY, v.width, v.height), "none");
        EXPECT_EQ(pickAt(0, 6, -0.5, v.angleX, v.angleY, v.width, v.height), "none");
    }
    PickCamera camera;
    EXPECT_EQ(name(pickSquare(camera, -0.5, 240, position)), "none");
    EXPECT_EQ(name(pickSquare(camera, 320, 480.5, position)), "none");
}

TEST_F(PickingTest, APointOnAPieceBodyPicksTheSquareItStandsOn) {
    // A king on d4 seen from the start of a game: near its tip the ray passes
    // over d4 and, with the king gone, meets the board ranks further back.
    const double dx = 4 - 4.5, dz = 4 - 4;
    EXPECT_NE(pickAt(dx, -2.15, dz, 0, 3), "d4");
    position[4][4] = kKing2;
    EXPECT_EQ(pickAt(dx, -2.15, dz, 0, 3), "d4");
    EXPECT_EQ(pickAt(dx + 0.1, -2.6, dz + 0.04, 0, 3), "d4");  // on the cone's side, off its axis
    // Turned round to the far side, the same king still answers for d4.
    EXPECT_EQ(pickAt(dx, -2.15, dz, -12, 180), "d4");
    // Just beside the tip there is no king: the board behind it.
    EXPECT_NE(pickAt(dx + 0.08, -2.15, dz, 0, 3), "d4");

    // A man's low dome counts where the view is tilted down to the table: its
    // top hides squares further back.
    std::memset(position, 0, sizeof position);
    const double ex = 5 - 4.5, ez = 4 - 3;  // e3
    EXPECT_NE(pickAt(ex, -2.81, ez, -24, 0), "e3");
    position[5][3] = kMan1;
    EXPECT_EQ(pickAt(ex, -2.81, ez, -24, 0), "e3");
    EXPECT_EQ(pickAt(ex - 0.12, -2.87, ez, -24, 0), "e3");
    // Kings of both sides and men of both sides are bodies alike.
    position[5][3] = kMan2;
    EXPECT_EQ(pickAt(ex, -2.81, ez, -24, 0), "e3");
    position[5][3] = kKing1;
    EXPECT_EQ(pickAt(ex, -2.5, ez, -24, 0), "e3");
}

TEST_F(PickingTest, TheTurnBallBesideFileAHidesTheBoardBehindIt) {
    // Seen from beside file a (turned by 90) the eye stands at (-9.95, -2.24, 0)
    // when tilted down by 24 degrees: the line from it to the centre of a4
    // passes x = -5.4 at y = -2.74, through the ball of radius 0.5 around
    // (-5.4, -3, 0). Tilted by only 12 the eye is at (-10.2, -0.12, 0) and the
    // line passes 0.35 above the ball's top.
    EXPECT_EQ(pickAt(-3.5, -2.95, 0, -24, 90), "none");
    EXPECT_EQ(pickAt(-3.5, -2.95, 0, -12, 90), "a4");
    // Squares further along the file are seen past the ball.
    EXPECT_EQ(pickAt(-3.5, -2.95, -3, -24, 90), "a7");
}

}  // namespace
