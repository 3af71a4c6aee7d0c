// Program entry and main loop of the draughts game.
// Command line: see app/files/command_line.h. Games are kept as they are played
// (app/files/game_keeping.h).
//
// Hidden switches for unattended runs (tests, benchmarks); a normal run sets none:
//   DRAUGHTS3D_FULLSCREEN=0|1  skip the start question and run windowed (0) or
//                              fullscreen (1);
//   DRAUGHTS3D_MAX_FPS=N       frame rate cap (default 30; 0 draws as fast as it can);
//   DRAUGHTS3D_DRAW_EVERY_FRAME=1  draw play frames that show nothing new too,
//                              as earlier versions did (the benchmark's "before");
//   DRAUGHTS3D_MENU_COPY=0     the start menu draws all four views in place
//                              instead of copying its third and fourth views
//                              from the second (twice the work on a software GL;
//                              some edge pixels of those views differ);
//   DRAUGHTS3D_STARTUP_TRACE=1 print to standard error when each start-up stage
//                              ends ("startup STAGE SECONDS", a monotonic clock).
#include "app/files/command_line.h"
#include "app/files/data_folder.h"
#include "app/files/game_files.h"
#include "app/files/language.h"
#include "app/files/settings.h"
#include "app/input/keystate.h"
#include "app/input/mouse_state.h"
#include "app/platform/platform.h"
#include "app/platform/render_window.h"
#include "app/platform/window_state.h"
#include "app/screens/display_switch.h"
#include "app/screens/play_session.h"
#include "app/screens/review_screens.h"
#include "app/screens/screens.h"
#include "engine/rules/translation.h"
#include "textures/dib_reader.h"
#include "textures/texture_set.h"

#include <GL/freeglut.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>

namespace {

const char* const kTitle = "OpenGL WinAPI template by Quillow P.D.";
constexpr int kColourDepth = 32;
constexpr int kDefaultMaxFps = 30;
constexpr int kExitNormal = 0;
constexpr int kExitNoWindow = 1;

using Clock = std::chrono::steady_clock;

void showDibError(const char* caption, const char* text) { showMessageBox(caption, text, MessageIcon::Error); }

bool askFullscreen(DisplayChoice choice) {
    if (choice != DisplayChoice::Ask) return choice == DisplayChoice::Fullscreen;
    if (const char* forced = std::getenv("DRAUGHTS3D_FULLSCREEN")) return std::strcmp(forced, "0") != 0;
    // Only No gives a window; a box that cannot be shown counts as No.
    return askYesNo(tr("Start FullScreen?"), tr("Would You Like To Run In Fullscreen Mode?"), MessageIcon::Question,
                    Answer::No) != Answer::No;
}

bool envSwitchIsOn(const char* name) {
    const char* value = std::getenv(name);
    return value && std::strcmp(value, "1") == 0;
}

// Says on standard error that a start-up stage has ended.
void printStartupStage(const char* stage) {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    std::fprintf(stderr, "startup %s %ld.%09ld\n", stage, static_cast<long>(now.tv_sec), now.tv_nsec);
    std::fflush(stderr);
}

// The start-up trace (DRAUGHTS3D_STARTUP_TRACE=1): each stage said as it ends.
struct StartupTrace {
    bool on = false;
    void operator()(const char* stage) const {
        if (on) printStartupStage(stage);
    }
};

Clock::duration framePeriod() {
    int fps = kDefaultMaxFps;
    if (const char* value = std::getenv("DRAUGHTS3D_MAX_FPS")) fps = std::atoi(value);
    if (fps <= 0) return Clock::duration::zero();
    return std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(1.0 / fps));
}

// Keys held through the last window change that the keyboard itself shows up
// were let go unseen: they are up, and their next press counts.
void settleKeysHeldThroughWindowChange() {
    for (int key = 0; key < 256; ++key)
        if (keyHeldThroughWindowChange(key) && readKeyboardKey(key) == KeyReading::Up) keyReleasedUnseen(key);
}

// Whether F1 asks for a display-mode switch: held, or pressed since the last
// frame (a press and its release may both arrive between two idle passes).
bool displaySwitchRequested() { return keyIsHeld(VK_F1) || wasPressed(VK_F1); }

// Destroys the window and opens it again in the other display mode; the game,
// the screen and the view go on as they were. The F1 presses are used up by the
// switch (other presses stay for the next frame), and F1 held through it asks
// for nothing more until it is released (replaceRenderWindow sees to every key held).
bool switchDisplayMode() {
    consumeKeyPresses(VK_F1);
    return replaceRenderWindow(kTitle, kColourDepth);
}

// Waits until an event arrives or `deadline` passes, without taking the event.
void waitForEventUntil(Clock::time_point deadline) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    if (left > 0) waitForEvent(static_cast<int>(left));
}

}  // namespace

int main(int argc, char* argv[]) {
    // The language first: the help and every complaint are said in it.
    startTranslation(languageSetting());
    const CommandLine commandLine = parseCommandLine(argc, argv);
    if (const int status = answerCommandLine(commandLine); status >= 0) return status;
    settings = withCommandLine(loadSettings(), commandLine);
    setTextureFolder(findGameDataFolder());

    const StartupTrace traceStartup{envSwitchIsOn("DRAUGHTS3D_STARTUP_TRACE")};
    traceStartup("main");
    if (traceStartup.on) renderWindowStageEnded = printStartupStage;
    resetScreens();
    // Every game is kept; the latest one may be continued. A game file on the
    // command line opens on the play screen.
    playSession.keepGamesIn(gamesFolder());
    std::string openError;
    if (commandLine.gameFile && !playSession.openGameFile(commandLine.gameFile, commandLine.gameNumber, openError))
        std::fprintf(stderr, "draughts3d: %s\n", openError.c_str());
    // --review: the game opens in the review (not in classic mode, which has none).
    if (commandLine.reviewFile && settings.classic) {
        openError = "the review is not part of classic mode";
        std::fprintf(stderr, "draughts3d: %s\n", openError.c_str());
    } else if (commandLine.reviewFile &&
               !openReview(commandLine.reviewFile, commandLine.gameNumber, false, false, openError)) {
        std::fprintf(stderr, "draughts3d: %s\n", openError.c_str());
    }

    startPlatform();
    if (!haveDisplay()) {
        stopPlatform();
        return kExitNoWindow;
    }
    // The game starts on the menu all the same.
    if (!openError.empty()) tryMessageBox(tr("Cannot open the game"), openError.c_str(), MessageIcon::Warning);
    dibErrorReporter = showDibError;
    traceStartup("video");

    fullscreen = askFullscreen(commandLine.display) ? 1 : 0;
    if (!createRenderWindow(kTitle, windowWidth, windowHeight, kColourDepth, fullscreen != 0)) {
        stopPlatform();
        return kExitNoWindow;
    }
    // freeglut only draws the solid shapes; it needs its set-up once, and none
    // of the game's own command line (it would read -display and the like).
    char glutName[] = "draughts3d";
    char* glutArgv[] = {glutName, nullptr};
    int glutArgc = 1;
    glutInit(&glutArgc, glutArgv);
    traceStartup("glut");
    loadTextures();
    traceStartup("pictures");

    const bool drawEveryFrame = envSwitchIsOn("DRAUGHTS3D_DRAW_EVERY_FRAME");
    if (const char* copy = std::getenv("DRAUGHTS3D_MENU_COPY")) menuCopiesViews = std::strcmp(copy, "0") != 0;
    bool firstFrameShown = false;
    const Clock::duration period = framePeriod();
    Clock::time_point nextFrame = Clock::now();
    bool done = false;
    while (!done) {
        // A pass that takes an event draws nothing.
        if (EventOutcome outcome; handleNextEvent(outcome)) {
            if (outcome == EventOutcome::Quit) done = true;
            if (outcome == EventOutcome::Resized) fitViewportToWindow();
            continue;
        }
        settleKeysHeldThroughWindowChange();
        // F1 is looked at after the frame, whether or not one was drawn.
        const bool switchRequested = displaySwitchRequested();
        if (windowActive) {
            if (wasPressed(VK_ESCAPE) && currentScreen == 1) {
                done = true;
            } else if (Clock::now() >= nextFrame) {
                const Clock::time_point frameStart = Clock::now();
                frameSeconds = std::chrono::duration<double>(frameStart.time_since_epoch()).count();
                // A play frame that would show what the window shows already is not drawn.
                bool drawn = true;
                if (drawEveryFrame)
                    drawCurrentScreen();
                else
                    drawn = drawCurrentScreenIfChanged();
                if (drawn) swapRenderWindow();
                if (drawn && !firstFrameShown) {
                    traceStartup("first-frame");
                    firstFrameShown = true;
                    renderWindowStageEnded = nullptr;
                }
                clearKeyPresses();
                clearMouseActions();
                // A late frame is not made up: the next one is due a period after this one began.
                nextFrame = frameStart + period;
            } else {
                waitForEventUntil(nextFrame);
            }
        } else {
            // Minimised: nothing is drawn and nothing typed meanwhile is kept.
            clearKeyPresses();
            clearMouseActions();
            waitForEventUntil(Clock::now() +
                              (period > Clock::duration::zero() ? period : std::chrono::milliseconds(10)));
        }
        if (switchRequested && !switchDisplayMode()) {
            playSession.end();
            stopPlatform();
            return kExitNoWindow;
        }
    }
    // The window closed or the game quit: a game still going on is kept as left.
    playSession.end();
    closeReview();
    destroyRenderWindow();
    stopPlatform();
    return kExitNormal;
}
