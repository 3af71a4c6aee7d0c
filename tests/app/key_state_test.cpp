// The key state without a window: the press queue read in order and used up
// key by key, a held key ignored until it is released, and keys held while
// the window is replaced.
#include "app/input/keystate.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

std::vector<int> pressesInOrder() {
    std::vector<int> keys;
    for (int i = 0; i < keyPressCount(); ++i) keys.push_back(keyPressAt(i));
    return keys;
}

TEST(KeyStateTest, PressesAreReadInOrderAndConsumedOneKeyAtATime) {
    clearKeyState();
    for (int key : {int{VK_F1}, int{'A'}, int{VK_F1}, int{'3'}, int{VK_ESCAPE}}) queueKeyPress(key);
    EXPECT_EQ(pressesInOrder(), (std::vector<int>{VK_F1, 'A', VK_F1, '3', VK_ESCAPE}));
    EXPECT_EQ(keyPressAt(5), -1);
    consumeKeyPresses(VK_F1);
    EXPECT_EQ(pressesInOrder(), (std::vector<int>{'A', '3', VK_ESCAPE}));
    EXPECT_FALSE(wasPressed(VK_F1));
    EXPECT_TRUE(wasPressed(VK_ESCAPE));
    clearKeyPresses();
    EXPECT_EQ(keyPressCount(), 0);
}

TEST(KeyStateTest, AKeyIgnoredUntilReleasedReadsUpUntilFoundUpOnce) {
    clearKeyState();
    KeyState[VK_LEFT] = 1;
    ignoreUntilReleased(VK_LEFT);
    ignoreUntilReleased(VK_RIGHT);  // up: nothing to ignore
    EXPECT_FALSE(keyIsHeld(VK_LEFT));
    EXPECT_EQ(KeyState[VK_LEFT], 1);  // the key itself still reads as held
    KeyState[VK_RIGHT] = 1;
    EXPECT_TRUE(keyIsHeld(VK_RIGHT));
    KeyState[VK_LEFT] = 0;
    EXPECT_FALSE(keyIsHeld(VK_LEFT));
    KeyState[VK_LEFT] = 1;  // pressed again after its release
    EXPECT_TRUE(keyIsHeld(VK_LEFT));
    clearKeyState();
}

// F1 held through the display switch: the old window's release and the first
// auto-repeat in the new window are neither release nor press; the release in
// the new window is. A key let go unseen presses again after the grace time.
TEST(KeyStateTest, KeysHeldThroughAWindowChangeActOnceUntilReleasedInTheNewWindow) {
    clearKeyState();
    keyWentDown(VK_F1, 100);
    clearKeyPresses();
    keysHeldThroughWindowChange();
    keyWentUp(VK_F1);  // the old window goes
    EXPECT_FALSE(keyIsHeld(VK_F1));
    keyboardArrived(400);
    keyWentDown(VK_F1, 760);  // the first auto-repeat, fresh to the new window
    EXPECT_EQ(keyPressCount(), 0);
    EXPECT_FALSE(keyIsHeld(VK_F1));
    keyWentUp(VK_F1);
    keyWentDown(VK_F1, 900);
    EXPECT_TRUE(wasPressed(VK_F1)) << "pressed again after its release in the new window";
    EXPECT_TRUE(keyIsHeld(VK_F1));

    clearKeyState();
    keyWentDown(VK_F1, 100);
    clearKeyPresses();
    keysHeldThroughWindowChange();
    keyWentUp(VK_F1);
    keyboardArrived(400);
    EXPECT_FALSE(keyIsHeld(VK_F1));
    keyWentDown(VK_F1, 400 + kHeldThroughWindowChangeMs + 1);  // let go between the windows
    EXPECT_TRUE(wasPressed(VK_F1));
    clearKeyState();
}

}  // namespace
