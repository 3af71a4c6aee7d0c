// The key state without a window: the press queue read in order and used up
// key by key, and a held key ignored until it is released.
#include "app/shell/keystate.h"

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

int leftSeenByReader = -1;
void readLeft() { leftSeenByReader = KeyState[VK_LEFT]; }

TEST(KeyStateTest, AKeyIgnoredUntilReleasedReadsUpUntilFoundUpOnce) {
    clearKeyState();
    KeyState[VK_LEFT] = 1;
    ignoreUntilReleased(VK_LEFT);
    ignoreUntilReleased(VK_RIGHT);  // up: nothing to ignore
    EXPECT_FALSE(keyIsHeld(VK_LEFT));
    readWithIgnoredKeysUp(readLeft);
    EXPECT_EQ(leftSeenByReader, 0);
    EXPECT_EQ(KeyState[VK_LEFT], 1);  // the key itself still reads as held
    KeyState[VK_RIGHT] = 1;
    EXPECT_TRUE(keyIsHeld(VK_RIGHT));
    KeyState[VK_LEFT] = 0;
    EXPECT_FALSE(keyIsHeld(VK_LEFT));
    KeyState[VK_LEFT] = 1;  // pressed again after its release
    EXPECT_TRUE(keyIsHeld(VK_LEFT));
    readWithIgnoredKeysUp(readLeft);
    EXPECT_EQ(leftSeenByReader, 1);
    clearKeyState();
}

}  // namespace
