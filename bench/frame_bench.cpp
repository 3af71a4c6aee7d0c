// Times whole frames of the two screens in a real window: the start menu and
// the play screen (initial position, and a middle game with kings and the typed
// squares highlighted), each with the GLUT solids drawn afresh ("before") and
// replayed from the display-list cache ("after"). Prints the median
// milliseconds per frame, swap and glFinish included, and their ratio; then the
// same for the processor time this process spent (all its threads, llvmpipe's
// rasterizers among them), which other programs on the machine hardly disturb.
//
// Run it from the project root (it reads "Textures/"), without frame pacing:
//   sh tests/support/with_xvfb.sh build/bench/draughts3d-frame-bench 200
//   sh tests/support/with_xvfb.sh build/bench/draughts3d-frame-bench 200 1x1
// The optional second argument sets the window size (default 640x480); a 1x1
// window leaves almost nothing to fill and so shows the geometry cost alone.

#include "app/keystate.h"
#include "app/render_window.h"
#include "app/screens.h"
#include "app/shell.h"
#include "bench/frame_scenes.h"
#include "engine/board.h"
#include "engine/turn.h"
#include "scene/scene.h"
#include "scene/shape_cache.h"
#include "textures/texture_set.h"

#include <GL/freeglut.h>
#include <GL/gl.h>
#include <SDL2/SDL.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

// One thing to time: how to set the game up before its frames, and which screen draws them.
struct Scenario {
    const char* name;
    void (*setUp)();
    void (*frame)();
};

void quietGame() {
    clearKeyState();
    clearKeyPresses();
    clearTypedMove();
    clearCandidates();
    greenSide = 1;
    sideToMove = 1;
    computerActive = 0;  // the turn driver must not start a search
    viewAngleX = 0;
    viewAngleY = 0;
}

void setUpMenu() {
    quietGame();
    setupInitialPosition();
    currentScreen = 1;
}

void setUpInitialPlay() {
    quietGame();
    setupInitialPosition();
    currentScreen = 0;
    setViewport(windowWidth, windowHeight, 0, 0);
}

// The shared middle game, seen from a tilted and turned view.
void setUpMiddlePlay() {
    setUpInitialPlay();
    setUpMiddleGameBoard();
    viewAngleX = -10;
    viewAngleY = 20;
}

void menuFrame() { drawStartMenuFrame(); }
void playFrame() { drawPlayFrame(); }

const Scenario kScenarios[] = {
    {"start menu", setUpMenu, menuFrame},
    {"play, initial position", setUpInitialPlay, playFrame},
    {"play, middle game", setUpMiddlePlay, playFrame},
};

// Wall-clock and processor milliseconds of one frame.
struct FrameTime {
    double wall, cpu;
};

double processCpuMs() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
}

// One frame as the main loop draws it, the swap and glFinish included.
FrameTime timedFrame(void (*frame)()) {
    const double cpuStart = processCpuMs();
    const Clock::time_point start = Clock::now();
    frame();
    swapRenderWindow();
    glFinish();
    clearKeyPresses();
    return {std::chrono::duration<double, std::milli>(Clock::now() - start).count(), processCpuMs() - cpuStart};
}

double median(std::vector<double> v) {
    if (v.empty()) return 0;
    std::sort(v.begin(), v.end());
    const size_t mid = v.size() / 2;
    return v.size() % 2 ? v[mid] : (v[mid - 1] + v[mid]) / 2;
}

// Times `frames` frames each way. The two ways take turns in blocks, so a
// change in the machine's load during the run falls on both alike.
// Medians of one way of drawing.
struct Medians {
    double wall, cpu;
};

void runScenario(const Scenario& s, int frames, Medians* before, Medians* after) {
    constexpr int kBlock = 10;
    std::vector<double> wall[2], cpu[2];
    for (bool straightforward : {true, false}) {
        // Warm-up: the cache's lists compiled, the textures resident.
        straightforwardDrawing = straightforward;
        s.setUp();
        timedFrame(s.frame);
        timedFrame(s.frame);
    }
    int done[2] = {0, 0};
    while (done[0] < frames || done[1] < frames) {
        for (int way = 0; way < 2; ++way) {
            straightforwardDrawing = way == 0;
            s.setUp();
            for (int k = 0; k < kBlock && done[way] < frames; ++k, ++done[way]) {
                // The menu turns by itself; every block sees the same angles.
                const FrameTime t = timedFrame(s.frame);
                wall[way].push_back(t.wall);
                cpu[way].push_back(t.cpu);
            }
        }
    }
    *before = {median(wall[0]), median(cpu[0])};
    *after = {median(wall[1]), median(cpu[1])};
}

bool parseSize(const char* text, int* width, int* height) {
    return std::sscanf(text, "%dx%d", width, height) == 2 && *width > 0 && *height > 0;
}

}  // namespace

int main(int argc, char* argv[]) {
    int frames = 100;
    if (argc > 1) frames = std::atoi(argv[1]);
    if (frames <= 0) {
        std::fprintf(stderr, "usage: %s [frames] [WIDTHxHEIGHT]\n", argv[0]);
        return 2;
    }
    int width = 640, height = 480;
    if (argc > 2 && !parseSize(argv[2], &width, &height)) {
        std::fprintf(stderr, "bad window size '%s' (expected e.g. 640x480)\n", argv[2]);
        return 2;
    }
    if (FILE* probe = std::fopen("Textures/Pol.bmp", "rb")) {
        std::fclose(probe);
    } else {
        std::fprintf(stderr, "Textures/Pol.bmp not found: run from the project root\n");
        return 1;
    }
    if (SDL_Init(SDL_INIT_VIDEO) != 0) {
        std::fprintf(stderr, "SDL: %s\n", SDL_GetError());
        return 1;
    }
    windowWidth = width;
    windowHeight = height;
    if (!createRenderWindow("frame bench", width, height, 32, false)) {
        SDL_Quit();
        return 1;
    }
    glutInit(&argc, argv);
    installTurnSceneDrawer();
    loadTextures();

    std::printf("renderer: %s\n", reinterpret_cast<const char*>(glGetString(GL_RENDERER)));
    std::printf("window %dx%d, %d frames each way, median ms per frame (swap and glFinish included)\n", width,
                height, frames);
    std::printf("%-24s %10s %10s %8s | %10s %10s %8s\n", "", "before", "after", "ratio", "cpu before",
                "cpu after", "ratio");
    for (const Scenario& s : kScenarios) {
        Medians before{}, after{};
        runScenario(s, frames, &before, &after);
        std::printf("%-24s %10.2f %10.2f %8.2f | %10.2f %10.2f %8.2f\n", s.name, before.wall, after.wall,
                    after.wall > 0 ? before.wall / after.wall : 0.0, before.cpu, after.cpu,
                    after.cpu > 0 ? before.cpu / after.cpu : 0.0);
        std::fflush(stdout);
    }
    straightforwardDrawing = false;
    destroyRenderWindow();
    forgetShapeCache();
    SDL_Quit();
    return 0;
}
