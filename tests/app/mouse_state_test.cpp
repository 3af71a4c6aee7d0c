// The mouse state between the platform layer and the screens: clicks once per
// press, a right click told from a right drag, the drag turned into view angles
// at its stated rate, and the start-menu bands where the highlight bars lie.
#include "app/input/mouse_state.h"
#include "app/screens/menu_layout.h"

#include <gtest/gtest.h>

namespace {

class MouseStateTest : public ::testing::Test {
protected:
    void SetUp() override { clearMouseState(); }
};

TEST_F(MouseStateTest, ClicksAreQueuedOncePerPressInOrderAndForgottenAfterTheFrame) {
    recordLeftPress(10.5, 20.5);
    recordRightPress();
    recordPointerMotion(1, 1);  // less than a degree's worth: still a click
    recordRightRelease(11.5, 19.5);
    recordLeftPress(30.5, 40.5);
    ASSERT_EQ(mouseInput.clickCount, 3);
    EXPECT_EQ(mouseInput.clicks[0].button, MouseButton::Left);
    EXPECT_DOUBLE_EQ(mouseInput.clicks[0].x, 10.5);
    EXPECT_DOUBLE_EQ(mouseInput.clicks[0].y, 20.5);
    EXPECT_EQ(mouseInput.clicks[1].button, MouseButton::Right);
    EXPECT_EQ(mouseInput.clicks[2].button, MouseButton::Left);
    clearMouseActions();
    EXPECT_EQ(mouseInput.clickCount, 0);
    // A release without its press (pressed outside the window) is no click.
    recordRightRelease(1, 1);
    EXPECT_EQ(mouseInput.clickCount, 0);
}

TEST_F(MouseStateTest, RightDragTurnsADegreePerThreePixelsAndTiltsInThreeDegreeSteps) {
    recordRightPress();
    recordPointerMotion(10, 0);
    ViewTurn turn = takeViewTurn();
    EXPECT_EQ(turn.turn, 3);
    EXPECT_EQ(turn.tilt, 0);
    recordPointerMotion(2, 0);  // with the pixel left over: one more degree
    EXPECT_EQ(takeViewTurn().turn, 1);
    recordPointerMotion(-7, 20);  // left and down: 2 degrees back, two tilt steps down
    turn = takeViewTurn();
    EXPECT_EQ(turn.turn, -2);
    EXPECT_EQ(turn.tilt, 6);
    recordPointerMotion(0, -11);  // 2 px left over + -11 = -9: one step up
    EXPECT_EQ(takeViewTurn().tilt, -3);
    // Moving back and forth is a drag, not a click, though it ends where it began.
    recordRightRelease(0, 0);
    recordRightPress();
    recordPointerMotion(2, 0);
    recordPointerMotion(-2, 0);
    recordRightRelease(0, 0);
    EXPECT_EQ(mouseInput.clickCount, 0);
    // A drag made and let go between two frames still turns the view.
    recordRightPress();
    recordPointerMotion(9, 0);
    recordRightRelease(9, 0);
    EXPECT_EQ(takeViewTurn().turn, 3);
    // Without the right button the pointer turns nothing.
    recordPointerMotion(60, 60);
    turn = takeViewTurn();
    EXPECT_EQ(turn.turn, 0);
    EXPECT_EQ(turn.tilt, 0);
}

TEST_F(MouseStateTest, DragNoFrameTookIsDroppedButForLessThanAStep) {
    recordRightPress();
    recordPointerMotion(31, 40);  // on a frame that turns nothing (the start menu)
    clearMouseActions();
    recordPointerMotion(2, 5);
    const ViewTurn turn = takeViewTurn();
    EXPECT_EQ(turn.turn, 1);  // 1 px kept + 2
    EXPECT_EQ(turn.tilt, 3);  // 4 px kept + 5
}

TEST_F(MouseStateTest, MenuBandsAreTheHighlightBarsOverTheWholeWidth) {
    // "Select side": y from 300 to 369.23; "Start the game": 137.14 to 208.70;
    // "Continue the game", when shown: 36.92 to 109.09.
    const ShownMenuItems all{3, {1, 2, 3}};
    const struct {
        double x, y;
        int item;
    } cases[] = {{320, 335, 1},   {0, 300.01, 1},  {640, 369.2, 1}, {320, 299.9, 0}, {320, 369.3, 0},
                 {320, 170, 2},   {5, 137.2, 2},   {600, 208.69, 2}, {320, 137.1, 0}, {320, 208.75, 0},
                 {320, 250, 0},   {-0.5, 335, 0},  {640.5, 170, 0}, {320, 60, 3}, {320, 36.9, 0}, {320, 109.1, 0}};
    for (const auto& c : cases) EXPECT_EQ(menuItemAt(c.x, c.y, 640, 480, all), c.item) << c.x << "," << c.y;
    EXPECT_EQ(menuItemAt(320, 60, 640, 480, ShownMenuItems{2, {1, 2}}), 0) << "not shown";
    // The menu lays out against the configured size, whatever it is.
    EXPECT_EQ(menuItemAt(500, 2 * 600 / 3.0, 800, 600, all), 1);
    EXPECT_EQ(menuItemAt(500, 600 / 3.0, 800, 600, all), 2);
}

}  // namespace
