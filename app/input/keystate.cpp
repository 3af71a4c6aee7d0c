#include "app/input/keystate.h"

#include <cstring>

unsigned char KeyState[256] = {};

namespace {
KeyPresses presses;
// Keys to read as up until they are found up once.
bool ignored[256] = {};
// Keys held as the window was replaced, and when the new one got the keyboard.
bool heldThroughChange[256] = {};
bool keyboardArrivedSinceChange = false;
std::uint32_t keyboardArrivedAt = 0;

bool inRange(int virtualKey) { return virtualKey >= 0 && virtualKey <= 255; }
}  // namespace

const KeyPresses& keyPresses = presses;

bool keyIsHeld(int virtualKey) {
    if (!inRange(virtualKey)) return false;
    if (!KeyState[virtualKey] && !heldThroughChange[virtualKey]) ignored[virtualKey] = false;
    return KeyState[virtualKey] && !ignored[virtualKey];
}

void ignoreUntilReleased(int virtualKey) {
    if (inRange(virtualKey)) ignored[virtualKey] = KeyState[virtualKey] != 0;
}

void keysHeldThroughWindowChange() {
    for (int key = 0; key < 256; ++key) {
        if (!KeyState[key]) continue;
        ignored[key] = true;
        heldThroughChange[key] = true;
    }
    keyboardArrivedSinceChange = false;
}

bool keyHeldThroughWindowChange(int virtualKey) { return inRange(virtualKey) && heldThroughChange[virtualKey]; }

void keyReleasedUnseen(int virtualKey) {
    if (!inRange(virtualKey) || !heldThroughChange[virtualKey]) return;
    heldThroughChange[virtualKey] = false;
    ignored[virtualKey] = false;
    KeyState[virtualKey] = 0;
}

void keyboardArrived(std::uint32_t timeMs) {
    keyboardArrivedSinceChange = true;
    keyboardArrivedAt = timeMs;
}

void keyWentDown(int virtualKey, std::uint32_t timeMs) {
    if (!inRange(virtualKey)) return;
    KeyState[virtualKey] = 1;
    if (heldThroughChange[virtualKey]) {
        const bool stillTheSameHold =
            !keyboardArrivedSinceChange || timeMs - keyboardArrivedAt <= kHeldThroughWindowChangeMs;
        if (stillTheSameHold) return;
        heldThroughChange[virtualKey] = false;
        ignored[virtualKey] = false;
    }
    if (!ignored[virtualKey]) queueKeyPress(virtualKey);
}

void keyWentUp(int virtualKey) {
    if (!inRange(virtualKey)) return;
    KeyState[virtualKey] = 0;
    // The old window's going releases the key; only a release in the new one counts.
    if (heldThroughChange[virtualKey] && !keyboardArrivedSinceChange) return;
    heldThroughChange[virtualKey] = false;
    ignored[virtualKey] = false;
}

void queueKeyPress(int virtualKey) {
    if (!inRange(virtualKey)) return;
    if (presses.count >= kKeyPressCapacity) return;
    presses.keys[presses.count++] = static_cast<unsigned char>(virtualKey);
}

void clearKeyPresses() { presses.count = 0; }

bool wasPressed(int virtualKey) {
    for (int i = 0; i < presses.count; ++i)
        if (presses.keys[i] == virtualKey) return true;
    return false;
}

int keyPressCount() { return presses.count; }

int keyPressAt(int index) { return index >= 0 && index < presses.count ? presses.keys[index] : -1; }

void consumeKeyPresses(int virtualKey) {
    int kept = 0;
    for (int i = 0; i < presses.count; ++i)
        if (presses.keys[i] != virtualKey) presses.keys[kept++] = presses.keys[i];
    presses.count = kept;
}

void clearKeyState() {
    std::memset(KeyState, 0, sizeof KeyState);
    std::memset(ignored, 0, sizeof ignored);
    std::memset(heldThroughChange, 0, sizeof heldThroughChange);
    keyboardArrivedSinceChange = false;
    clearKeyPresses();
}
