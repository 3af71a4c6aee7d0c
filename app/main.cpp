// Program entry and main loop of the draughts game.
//
// Hidden switches for unattended runs (tests, benchmarks); a normal run sets none:
//   DRAUGHTS3D_FULLSCREEN=0|1  skip the start question and run windowed (0) or
//                              fullscreen (1);
//   DRAUGHTS3D_MAX_FPS=N       frame rate cap (default 30; 0 draws as fast as it can).
#include "app/display_check.h"
#include "app/keystate.h"
#include "app/message_box.h"
#include "app/platform_events.h"
#include "app/render_window.h"
#include "app/screens.h"
#include "app/shell.h"
#include "engine/board.h"
#include "scene/scene.h"
#include "scene/shape_cache.h"
#include "textures/dib_reader.h"
#include "textures/texture_set.h"

#include <GL/freeglut.h>
#include <SDL2/SDL.h>

#include <chrono>
#include <cstdlib>
#include <cstring>

namespace {

const char* const kTitle = "OpenGL WinAPI template by Quillow P.D.";
constexpr int kColourDepth = 32;
constexpr int kDefaultMaxFps = 30;
constexpr int kExitNormal = 0;
constexpr int kExitNoWindow = 1;

using Clock = std::chrono::steady_clock;

void showDibError(const char* caption, const char* text) { showMessageBox(caption, text, MessageIcon::Error); }

bool askFullscreen() {
    if (const char* forced = std::getenv("DRAUGHTS3D_FULLSCREEN")) return std::strcmp(forced, "0") != 0;
    // Only an explicit No gives a window.
    return askYesNo("Start FullScreen?", "Would You Like To Run In Fullscreen Mode?", MessageIcon::Question) !=
           Answer::No;
}

Clock::duration framePeriod() {
    int fps = kDefaultMaxFps;
    if (const char* value = std::getenv("DRAUGHTS3D_MAX_FPS")) fps = std::atoi(value);
    if (fps <= 0) return Clock::duration::zero();
    return std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(1.0 / fps));
}

// Whether F1 asks for a display-mode switch: held, or pressed since the last
// frame (a press and its release may both arrive between two idle passes).
bool displaySwitchRequested() { return KeyState[VK_F1] || wasPressed(VK_F1); }

// The F1 presses are used up by the switch; other presses stay for the next frame.
void forgetF1Presses() {
    int kept = 0;
    for (int i = 0; i < keyPresses.count; ++i)
        if (keyPresses.keys[i] != VK_F1) keyPresses.keys[kept++] = keyPresses.keys[i];
    keyPresses.count = kept;
}

// Destroys the window and opens it again in the other display mode; the game,
// the screen and the view go on as they were.
bool switchDisplayMode() {
    KeyState[VK_F1] = 0;
    forgetF1Presses();
    destroyRenderWindow();
    // The cached shapes' display lists died with the old context.
    forgetShapeCache();
    fullscreen = fullscreen ? 0 : 1;
    if (!createRenderWindow(kTitle, windowWidth, windowHeight, kColourDepth, fullscreen != 0)) return false;
    loadTextures();
    return true;
}

// Waits until an event arrives or `deadline` passes, without taking the event.
void waitForEventUntil(Clock::time_point deadline) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    if (left > 0) SDL_WaitEventTimeout(nullptr, static_cast<int>(left));
}

}  // namespace

int main(int argc, char* argv[]) {
    setupInitialPosition();
    clearTypedMove();
    clearCandidates();

    SDL_SetHint(SDL_HINT_VIDEO_ALLOW_SCREENSAVER, "0");
    if (SDL_Init(SDL_INIT_VIDEO) != 0) {
        // haveDisplay reports it.
    }
    if (!haveDisplay()) {
        SDL_Quit();
        return kExitNoWindow;
    }
    dibErrorReporter = showDibError;

    fullscreen = askFullscreen() ? 1 : 0;
    if (!createRenderWindow(kTitle, windowWidth, windowHeight, kColourDepth, fullscreen != 0)) {
        SDL_Quit();
        return kExitNoWindow;
    }
    // freeglut only draws the solid shapes; it needs its set-up once.
    glutInit(&argc, argv);
    installTurnSceneDrawer();
    loadTextures();

    const Clock::duration period = framePeriod();
    Clock::time_point nextFrame = Clock::now();
    bool done = false;
    while (!done) {
        SDL_Event event;
        if (SDL_PollEvent(&event)) {
            // A pass that takes an event draws nothing.
            if (windowProcedure(event) == EventOutcome::Quit) done = true;
            continue;
        }
        // F1 is looked at after the frame, whether or not one was drawn.
        const bool switchRequested = displaySwitchRequested();
        if (windowActive) {
            if (wasPressed(VK_ESCAPE) && currentScreen == 1) {
                done = true;
            } else if (Clock::now() >= nextFrame) {
                const Clock::time_point frameStart = Clock::now();
                drawCurrentScreen();
                swapRenderWindow();
                clearKeyPresses();
                // A late frame is not made up: the next one is due a period after this one began.
                nextFrame = frameStart + period;
            } else {
                waitForEventUntil(nextFrame);
            }
        } else {
            // Minimised: nothing is drawn and nothing typed meanwhile is kept.
            clearKeyPresses();
            waitForEventUntil(Clock::now() + (period > Clock::duration::zero() ? period : std::chrono::milliseconds(10)));
        }
        if (switchRequested && !switchDisplayMode()) {
            SDL_Quit();
            return kExitNoWindow;
        }
    }
    destroyRenderWindow();
    SDL_Quit();
    return kExitNormal;
}
