// The window's events turned into key state, presses, the active flag and the
// quit request, fed as synthetic SDL events.
#include "app/input/keystate.h"
#include "app/input/mouse_state.h"
#include "app/platform/platform.h"
#include "app/platform/window_state.h"

#include <SDL2/SDL.h>
#include <gtest/gtest.h>

namespace {

SDL_Event keyEvent(Uint32 type, SDL_Keycode key, Uint16 mod = KMOD_NONE, Uint8 repeat = 0,
                   SDL_Scancode scancode = SDL_SCANCODE_UNKNOWN) {
    SDL_Event event = {};
    event.type = type;
    event.key.type = type;
    event.key.state = type == SDL_KEYDOWN ? SDL_PRESSED : SDL_RELEASED;
    event.key.repeat = repeat;
    event.key.keysym.sym = key;
    event.key.keysym.scancode = scancode != SDL_SCANCODE_UNKNOWN ? scancode : SDL_GetScancodeFromKey(key);
    event.key.keysym.mod = mod;
    return event;
}

SDL_Event windowEvent(Uint8 what) {
    SDL_Event event = {};
    event.type = SDL_WINDOWEVENT;
    event.window.event = what;
    event.window.windowID = 12345;  // no window of ours
    return event;
}

class WindowProcedureTest : public ::testing::Test {
protected:
    void SetUp() override {
        clearKeyState();
        clearMouseState();
        windowActive = 1;
    }
    static int keysDown() {
        int down = 0;
        for (unsigned char k : KeyState) down += k;
        return down;
    }
};

TEST_F(WindowProcedureTest, EveryKeyTheGameReadsHasItsVirtualKeyCode) {
    EXPECT_EQ(virtualKeyFor(SDLK_a), 0x41);
    EXPECT_EQ(virtualKeyFor(SDLK_h), 0x48);
    EXPECT_EQ(virtualKeyFor(SDLK_u), 0x55);
    EXPECT_EQ(virtualKeyFor(SDLK_z), 0x5A);
    EXPECT_EQ(virtualKeyFor(SDLK_0), 0x30);
    EXPECT_EQ(virtualKeyFor(SDLK_1), 0x31);
    EXPECT_EQ(virtualKeyFor(SDLK_9), 0x39);
    EXPECT_EQ(virtualKeyFor(SDLK_LEFT), 37);
    EXPECT_EQ(virtualKeyFor(SDLK_UP), 38);
    EXPECT_EQ(virtualKeyFor(SDLK_RIGHT), 39);
    EXPECT_EQ(virtualKeyFor(SDLK_DOWN), 40);
    EXPECT_EQ(virtualKeyFor(SDLK_ESCAPE), 27);
    EXPECT_EQ(virtualKeyFor(SDLK_RETURN), 13);
    EXPECT_EQ(virtualKeyFor(SDLK_F1), 112);
    // Keys the game has no use for leave the state alone.
    EXPECT_EQ(virtualKeyFor(SDLK_MENU), -1);
}

TEST_F(WindowProcedureTest, KeyDownAndUpSetAndClearTheEntryAndQueueThePress) {
    EXPECT_EQ(windowProcedure(keyEvent(SDL_KEYDOWN, SDLK_c)), EventOutcome::Continue);
    EXPECT_EQ(KeyState[VK_A + 2], 1);
    EXPECT_TRUE(wasPressed(VK_A + 2));
    windowProcedure(keyEvent(SDL_KEYDOWN, SDLK_3));
    windowProcedure(keyEvent(SDL_KEYUP, SDLK_c));
    EXPECT_EQ(KeyState[VK_A + 2], 0);
    EXPECT_EQ(KeyState[VK_0 + 3], 1);
    ASSERT_EQ(keyPresses.count, 2);
    EXPECT_EQ(keyPresses.keys[0], VK_A + 2);
    EXPECT_EQ(keyPresses.keys[1], VK_0 + 3);
}

// A held key is one press: its auto-repeats neither queue presses nor set an
// entry that was cleared meanwhile (the display switch clears F1); the arrow
// keys stay held until released.
TEST_F(WindowProcedureTest, AutoRepeatIsNoNewPress) {
    for (SDL_Keycode key : {SDLK_F1, SDLK_ESCAPE, SDLK_c, SDLK_3, SDLK_LEFT}) {
        SCOPED_TRACE(SDL_GetKeyName(key));
        clearKeyState();
        windowProcedure(keyEvent(SDL_KEYDOWN, key));
        const int code = virtualKeyFor(key);
        EXPECT_EQ(keyPresses.count, 1);
        KeyState[VK_F1] = 0;
        for (int i = 0; i < 3; ++i) windowProcedure(keyEvent(SDL_KEYDOWN, key, KMOD_NONE, 1));
        EXPECT_EQ(keyPresses.count, 1);
        EXPECT_EQ(KeyState[code], key == SDLK_F1 ? 0 : 1);
        windowProcedure(keyEvent(SDL_KEYUP, key));
        EXPECT_EQ(KeyState[code], 0);
    }
}

// The letters come from the key's place when its symbol is no Latin letter
// (Russian, Greek layouts); Latin layouts keep their own letters, wherever the
// key stands (AZERTY's A is where QWERTY has Q).
TEST_F(WindowProcedureTest, LettersUnderEveryKeyboardLayout) {
    struct Case {
        const char* layout;
        SDL_Keycode key;
        SDL_Scancode place;
        int want;
    };
    const Case cases[] = {
        {"us", SDLK_c, SDL_SCANCODE_C, VK_A + 2},
        {"ru", 0x441 /* es */, SDL_SCANCODE_C, VK_A + 2},
        {"ru", 0x432 /* ve */, SDL_SCANCODE_D, VK_A + 3},
        {"ru", 0x433 /* ghe */, SDL_SCANCODE_U, 'U'},
        {"ru", SDLK_3, SDL_SCANCODE_3, VK_0 + 3},
        {"gr", 0x3c8 /* psi */, SDL_SCANCODE_C, VK_A + 2},
        {"fr", SDLK_a, SDL_SCANCODE_Q, VK_A},
        {"fr", SDLK_q, SDL_SCANCODE_A, VK_A + 16},
        {"de", SDLK_z, SDL_SCANCODE_Y, VK_A + 25},
        {"us", SDLK_ESCAPE, SDL_SCANCODE_ESCAPE, VK_ESCAPE},
        {"ru", 0x44e /* yu */, SDL_SCANCODE_PERIOD, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.layout);
        SCOPED_TRACE(c.key);
        EXPECT_EQ(virtualKeyFor(c.key, c.place), c.want);
        clearKeyState();
        windowProcedure(keyEvent(SDL_KEYDOWN, c.key, KMOD_NONE, 0, c.place));
        EXPECT_EQ(keyPresses.count, c.want < 0 ? 0 : 1);
        if (c.want >= 0) {
            EXPECT_EQ(keyPresses.keys[0], c.want);
        }
    }
}

TEST_F(WindowProcedureTest, F10AndAltCombinationsNeverReachTheKeyboardState) {
    windowProcedure(keyEvent(SDL_KEYDOWN, SDLK_F10));
    windowProcedure(keyEvent(SDL_KEYDOWN, SDLK_LALT, KMOD_LALT));
    windowProcedure(keyEvent(SDL_KEYDOWN, SDLK_a, KMOD_LALT));
    windowProcedure(keyEvent(SDL_KEYDOWN, SDLK_ESCAPE, KMOD_RALT));
    windowProcedure(keyEvent(SDL_KEYDOWN, SDLK_1, KMOD_ALT | KMOD_SHIFT));
    EXPECT_EQ(keysDown(), 0);
    EXPECT_EQ(keyPresses.count, 0);
    // Nor does releasing a key with Alt held clear it.
    windowProcedure(keyEvent(SDL_KEYDOWN, SDLK_b));
    windowProcedure(keyEvent(SDL_KEYUP, SDLK_b, KMOD_LALT));
    windowProcedure(keyEvent(SDL_KEYUP, SDLK_F10));
    EXPECT_EQ(KeyState[VK_A + 1], 1);
}

TEST_F(WindowProcedureTest, ClosingTheWindowOrAltF4AsksToQuit) {
    EXPECT_EQ(windowProcedure(keyEvent(SDL_KEYDOWN, SDLK_F4, KMOD_LALT)), EventOutcome::Quit);
    EXPECT_EQ(windowProcedure(keyEvent(SDL_KEYDOWN, SDLK_F4)), EventOutcome::Continue);
    SDL_Event quit = {};
    quit.type = SDL_QUIT;
    EXPECT_EQ(windowProcedure(quit), EventOutcome::Quit);
    EXPECT_EQ(windowProcedure(windowEvent(SDL_WINDOWEVENT_CLOSE)), EventOutcome::Quit);
}

TEST_F(WindowProcedureTest, MinimisingStopsFramesAndRestoringResumes) {
    windowProcedure(windowEvent(SDL_WINDOWEVENT_MINIMIZED));
    EXPECT_EQ(windowActive, 0);
    windowProcedure(windowEvent(SDL_WINDOWEVENT_RESTORED));
    EXPECT_EQ(windowActive, 1);
}

SDL_Event mouseEvent(Uint32 type, Uint8 button, int x, int y, int xrel = 0, int yrel = 0, Uint32 held = 0) {
    SDL_Event event = {};
    event.type = type;
    if (type == SDL_MOUSEMOTION) {
        event.motion.state = held;
        event.motion.x = x;
        event.motion.y = y;
        event.motion.xrel = xrel;
        event.motion.yrel = yrel;
    } else {
        event.button.type = type;
        event.button.button = button;
        event.button.state = type == SDL_MOUSEBUTTONDOWN ? SDL_PRESSED : SDL_RELEASED;
        event.button.x = x;
        event.button.y = y;
    }
    return event;
}

TEST_F(WindowProcedureTest, MouseButtonsAndMotionReachTheMouseStateInGlPixels) {
    // A left press is a click at its pixel's centre, counted from the bottom;
    // its release adds nothing.
    windowProcedure(mouseEvent(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, 10, 20));
    windowProcedure(mouseEvent(SDL_MOUSEBUTTONUP, SDL_BUTTON_LEFT, 10, 20));
    ASSERT_EQ(mouseInput.clickCount, 1);
    EXPECT_DOUBLE_EQ(mouseInput.clicks[0].x, 10.5);
    EXPECT_DOUBLE_EQ(mouseInput.clicks[0].y, 459.5);
    // Right press, a drag of 9 pixels right, release: the drag turns, no click.
    windowProcedure(mouseEvent(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_RIGHT, 100, 100));
    windowProcedure(mouseEvent(SDL_MOUSEMOTION, 0, 109, 100, 9, 0, SDL_BUTTON_RMASK));
    EXPECT_EQ(takeViewTurn().turn, 3);
    windowProcedure(mouseEvent(SDL_MOUSEBUTTONUP, SDL_BUTTON_RIGHT, 109, 100));
    EXPECT_EQ(mouseInput.clickCount, 1);
    // Right press and release on the spot: a right click.
    windowProcedure(mouseEvent(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_RIGHT, 50, 60));
    windowProcedure(mouseEvent(SDL_MOUSEBUTTONUP, SDL_BUTTON_RIGHT, 50, 60));
    ASSERT_EQ(mouseInput.clickCount, 2);
    EXPECT_EQ(mouseInput.clicks[1].button, MouseButton::Right);
    // A right button found up by a motion (its release went elsewhere) drags no more.
    windowProcedure(mouseEvent(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_RIGHT, 50, 60));
    windowProcedure(mouseEvent(SDL_MOUSEMOTION, 0, 80, 60, 30, 0));
    EXPECT_EQ(takeViewTurn().turn, 0);
    EXPECT_FALSE(mouseInput.rightHeld);
    // The middle button and the keyboard state are left alone.
    windowProcedure(mouseEvent(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_MIDDLE, 50, 60));
    EXPECT_EQ(mouseInput.clickCount, 2);
    EXPECT_EQ(keysDown(), 0);
}

}  // namespace
