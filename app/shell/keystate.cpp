#include "app/shell/keystate.h"
#include "app/shell/shell.h"

#include <cstring>

unsigned char KeyState[256] = {};
KeyPresses keyPresses;

unsigned char currentScreen = 1;
unsigned char windowActive = 1;
unsigned char fullscreen = 1;
int windowWidth = 640;
int windowHeight = 480;

void queueKeyPress(int virtualKey) {
    if (virtualKey < 0 || virtualKey > 255) return;
    if (keyPresses.count >= kKeyPressCapacity) return;
    keyPresses.keys[keyPresses.count++] = static_cast<unsigned char>(virtualKey);
}

void clearKeyPresses() { keyPresses.count = 0; }

bool wasPressed(int virtualKey) {
    for (int i = 0; i < keyPresses.count; ++i)
        if (keyPresses.keys[i] == virtualKey) return true;
    return false;
}

void clearKeyState() {
    std::memset(KeyState, 0, sizeof KeyState);
    clearKeyPresses();
}
