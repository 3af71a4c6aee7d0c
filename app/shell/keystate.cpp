#include "app/shell/keystate.h"
#include "app/shell/shell.h"

#include <cstring>

unsigned char KeyState[256] = {};

namespace {
KeyPresses presses;
// Keys to read as up until they are found up once.
bool ignored[256] = {};

bool inRange(int virtualKey) { return virtualKey >= 0 && virtualKey <= 255; }
}  // namespace

const KeyPresses& keyPresses = presses;

unsigned char currentScreen = 1;
unsigned char windowActive = 1;
unsigned char fullscreen = 1;
int windowWidth = 640;
int windowHeight = 480;

bool keyIsHeld(int virtualKey) {
    if (!inRange(virtualKey)) return false;
    if (!KeyState[virtualKey]) ignored[virtualKey] = false;
    return KeyState[virtualKey] && !ignored[virtualKey];
}

void ignoreUntilReleased(int virtualKey) {
    if (inRange(virtualKey)) ignored[virtualKey] = KeyState[virtualKey] != 0;
}

void readWithIgnoredKeysUp(void (*reader)()) {
    unsigned char saved[256];
    std::memcpy(saved, KeyState, sizeof KeyState);
    for (int key = 0; key < 256; ++key)
        if (!keyIsHeld(key)) KeyState[key] = 0;
    reader();
    // Whatever the reader saw, the keys are as they were.
    std::memcpy(KeyState, saved, sizeof KeyState);
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
    clearKeyPresses();
}
