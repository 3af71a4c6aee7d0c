// The timing of a travelling move: a pure function of the move and the time.
#include "scene/move_animation.h"

#include <gtest/gtest.h>

namespace {

// A move along `squares` (file, rank pairs); captures between each two.
WholeMove moveAlong(std::initializer_list<Square> squares, PieceCode code, bool capture) {
    WholeMove move;
    move.movingCode = code;
    for (const Square& s : squares) move.squares[move.squareCount++] = s;
    for (int i = 0; capture && i + 1 < move.squareCount; ++i) {
        const Square a = move.squares[i], b = move.squares[i + 1];
        move.captured[move.capturedCount] = Square{(a.file + b.file) / 2, (a.rank + b.rank) / 2};
        move.capturedCodes[move.capturedCount++] = kMan2;
    }
    PieceCode arriving = code;
    for (int i = 1; i < move.squareCount; ++i) arriving = arrivingCode(arriving, move.squares[i].rank);
    move.arrivingCode = arriving;
    return move;
}

TEST(MoveAnimation, DurationsFollowTheSquaresTravelledAndTheSpeed) {
    const struct {
        int squares;
        double seconds;
    } hops[] = {{1, 0.2}, {2, 0.25}, {5, 0.4}, {6, 0.45}, {7, 0.45}};
    for (const auto& hop : hops) EXPECT_DOUBLE_EQ(hopSeconds(hop.squares), hop.seconds) << hop.squares;
    // Three hops of two squares with two pauses between them.
    const WholeMove capture = moveAlong({{2, 6}, {4, 4}, {6, 2}, {8, 4}}, kMan2, true);
    EXPECT_DOUBLE_EQ(moveSeconds(capture, 1), 3 * 0.25 + 2 * kPauseBetweenHops);
    EXPECT_DOUBLE_EQ(moveSeconds(capture, 2), 2 * moveSeconds(capture, 1));
    EXPECT_DOUBLE_EQ(moveSeconds(capture, 0), 0);
    EXPECT_TRUE(movePictureAt(capture, 0, 0).done) << "off: the move has landed at once";
}

TEST(MoveAnimation, AGlideAndAMultiCaptureSeenAlongTheWay) {
    const WholeMove glide = moveAlong({{3, 3}, {4, 4}}, kMan1, false);
    MovePicture p = movePictureAt(glide, 0, 1);
    EXPECT_FALSE(p.done);
    EXPECT_DOUBLE_EQ(p.file, 3);
    EXPECT_DOUBLE_EQ(p.lift, 0);
    p = movePictureAt(glide, 0.1, 1);
    EXPECT_GT(p.file, 3.2);
    EXPECT_LT(p.file, 3.8);
    EXPECT_DOUBLE_EQ(p.lift, 0) << "a plain move glides";
    p = movePictureAt(glide, 0.2, 1);
    EXPECT_TRUE(p.done);
    EXPECT_DOUBLE_EQ(p.rank, 4);

    // c6:e8:g6: the man is crowned on e8 and goes on as a king.
    const WholeMove capture = moveAlong({{3, 6}, {5, 8}, {7, 6}}, kMan1, true);
    p = movePictureAt(capture, 0.125, 1);  // the top of the first hop
    EXPECT_NEAR(p.lift, kHopLift, 1e-9);
    EXPECT_EQ(p.code, kMan1);
    EXPECT_DOUBLE_EQ(p.sunk[0], 0) << "not yet: it sinks in the hop's last part";
    EXPECT_DOUBLE_EQ(p.sunk[1], 0);
    p = movePictureAt(capture, 0.24, 1);
    EXPECT_GT(p.sunk[0], 0.5);
    EXPECT_LT(p.sunk[0], 1);
    p = movePictureAt(capture, 0.25 + kPauseBetweenHops / 2, 1);  // resting on e8 between the hops
    EXPECT_DOUBLE_EQ(p.file, 5);
    EXPECT_DOUBLE_EQ(p.rank, 8);
    EXPECT_DOUBLE_EQ(p.lift, 0);
    EXPECT_EQ(p.code, kKing1) << "crowned on reaching the far rank, in the middle of the capture";
    EXPECT_DOUBLE_EQ(p.sunk[0], 1);
    EXPECT_DOUBLE_EQ(p.sunk[1], 0);
    p = movePictureAt(capture, 1.0, 1);
    EXPECT_TRUE(p.done);
    EXPECT_DOUBLE_EQ(p.file, 7);
    EXPECT_DOUBLE_EQ(p.sunk[1], 1);
}

}  // namespace
