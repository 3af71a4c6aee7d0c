// Frame costs, in three parts.
//
// 1. Whole frames of the two screens timed in a real window, each scenario two
//    ways, "before" and "after": the start menu with all four views drawn and
//    with the last two copied from the second (DRAUGHTS3D_MENU_COPY); the play
//    screen (initial position, and a middle game with kings and the typed
//    squares highlighted) with the GLUT solids drawn afresh and replayed from
//    the display-list cache; and a play screen where nothing changes, drawn
//    every frame and skipped once unchanged. Prints the median milliseconds per
//    frame, swap and glFinish included, and their ratio; then the same for the
//    processor time this process spent (all its threads, llvmpipe's rasterizers
//    among them), which other programs on the machine hardly disturb.
// 2. The real program, started windowed on the play screen and left alone for
//    10 s at its 30-frame cap: its processor time as a share of one core, with
//    every frame drawn (DRAUGHTS3D_DRAW_EVERY_FRAME=1, as before) and as it runs.
// 3. The real program's start-up, exec to the first frame presented, median of
//    10 runs, with the time at which each stage ended.
//
// Run it from the project root (it reads "Textures/") under Xvfb:
//   sh tests/support/with_xvfb.sh build/bench/draughts3d-frame-bench 200
//   sh tests/support/with_xvfb.sh build/bench/draughts3d-frame-bench 200 1x1
// The optional second argument sets the window size of part 1 (default
// 640x480); a 1x1 window leaves almost nothing to fill and so shows the
// geometry cost alone. A third argument "frames-only" runs part 1 only. Parts 2 and
// 3 press keys with xdotool.

#include "app/input/keystate.h"
#include "app/platform/platform.h"
#include "app/platform/render_window.h"
#include "app/screens/screens.h"
#include "app/files/settings.h"
#include "app/platform/window_state.h"
#include "bench/frame_scenes.h"
#include "engine/rules/board.h"
#include "engine/game/turn.h"
#include "scene/scene.h"
#include "scene/shape_cache.h"
#include "textures/texture_set.h"

#include <GL/freeglut.h>
#include <GL/gl.h>
#include <SDL2/SDL.h>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>
#include <thread>
#include <vector>

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

// One thing to time: how to set the game up before its frames, how a frame is
// drawn each way (returning whether it was drawn and so needs presenting).
struct Scenario {
    const char* name;
    void (*setUp)();
    bool (*frame)(bool after);
};

void quietGame() {
    resetScreens();
    settings.classic = true;  // the game as it first was
    computerActive = 0;  // the turn driver must not start a search
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

// Before: all four views drawn; after: the last two copied from the second.
bool menuFrame(bool after) {
    menuCopiesViews = after;
    drawStartMenuFrame();
    menuCopiesViews = true;
    return true;
}

// Before: GLUT solids drawn afresh; after: replayed from the cache.
bool playFrame(bool after) {
    straightforwardDrawing = !after;
    drawPlayFrame();
    straightforwardDrawing = false;
    return true;
}

// Nothing changes. Before: every frame drawn; after: skipped once the picture has settled.
bool unchangedPlayFrame(bool after) {
    if (!after) {
        drawPlayFrame();
        return true;
    }
    return drawPlayFrameIfChanged();
}

void setUpUnchangedPlay() {
    setUpMiddlePlay();
    forgetShownPlayPicture();
}

const Scenario kScenarios[] = {
    {"menu, 4 drawn|2 copied", setUpMenu, menuFrame},
    {"play init, fresh|cached", setUpInitialPlay, playFrame},
    {"play middle, fresh|cached", setUpMiddlePlay, playFrame},
    {"play idle, drawn|skipped", setUpUnchangedPlay, unchangedPlayFrame},
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
FrameTime timedFrame(bool (*frame)(bool), bool after) {
    const double cpuStart = processCpuMs();
    const Clock::time_point start = Clock::now();
    if (frame(after)) swapRenderWindow();
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
    for (bool after : {false, true}) {
        // Warm-up: the cache's lists compiled, the textures resident.
        s.setUp();
        timedFrame(s.frame, after);
        timedFrame(s.frame, after);
    }
    int done[2] = {0, 0};
    while (done[0] < frames || done[1] < frames) {
        for (int way = 0; way < 2; ++way) {
            s.setUp();
            for (int k = 0; k < kBlock && done[way] < frames; ++k, ++done[way]) {
                // The menu turns by itself; every block sees the same angles.
                const FrameTime t = timedFrame(s.frame, way == 1);
                wall[way].push_back(t.wall);
                cpu[way].push_back(t.cpu);
            }
        }
    }
    *before = {median(wall[0]), median(cpu[0])};
    *after = {median(wall[1]), median(cpu[1])};
}

// ---- The real program: idle processor share and start-up ----

#ifndef DRAUGHTS3D_PROGRAM
#define DRAUGHTS3D_PROGRAM "build/app/draughts3d"
#endif

double monotonicSeconds() {
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) / 1e9;
}

// A running game whose standard error (its start-up trace) comes through a pipe.
struct Game {
    pid_t pid = -1;
    int trace = -1;
    double spawnedAt = 0;
    std::string pending;
};

// Starts the game windowed with its start-up trace on; `extra` ("NAME=VALUE")
// is added to its environment unless null.
bool startGame(const char* extra, Game* game) {
    int fds[2];
    if (pipe2(fds, O_CLOEXEC) != 0) return false;
    std::vector<std::string> env;
    for (char** e = environ; *e; ++e)
        if (std::strncmp(*e, "DRAUGHTS3D_", 11) != 0) env.emplace_back(*e);
    env.emplace_back("DRAUGHTS3D_FULLSCREEN=0");
    env.emplace_back("DRAUGHTS3D_STARTUP_TRACE=1");
    if (extra) env.emplace_back(extra);
    std::vector<char*> envp;
    for (std::string& e : env) envp.push_back(e.data());
    envp.push_back(nullptr);
    char program[] = DRAUGHTS3D_PROGRAM;
    char* argv[] = {program, nullptr};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, fds[1], 2);
    game->spawnedAt = monotonicSeconds();
    const int rc = posix_spawn(&game->pid, program, &actions, nullptr, argv, envp.data());
    posix_spawn_file_actions_destroy(&actions);
    close(fds[1]);
    if (rc != 0) {
        close(fds[0]);
        return false;
    }
    game->trace = fds[0];
    game->pending.clear();
    return true;
}

// Reads the start-up trace up to the first frame (10 s at most): each stage's
// end in milliseconds after the spawn, in the order they came.
bool readStartup(Game* game, std::vector<std::pair<std::string, double>>* stages) {
    const double deadline = monotonicSeconds() + 10;
    while (monotonicSeconds() < deadline) {
        pollfd p{game->trace, POLLIN, 0};
        if (poll(&p, 1, 100) <= 0) continue;
        char buffer[512];
        const ssize_t n = read(game->trace, buffer, sizeof buffer);
        if (n <= 0) return false;
        game->pending.append(buffer, static_cast<size_t>(n));
        size_t end;
        while ((end = game->pending.find('\n')) != std::string::npos) {
            const std::string line = game->pending.substr(0, end);
            game->pending.erase(0, end + 1);
            char stage[64];
            double at = 0;
            if (std::sscanf(line.c_str(), "startup %63s %lf", stage, &at) != 2) continue;
            stages->emplace_back(stage, (at - game->spawnedAt) * 1e3);
            if (std::strcmp(stage, "first-frame") == 0) return true;
        }
    }
    return false;
}

void stopGame(Game* game) {
    if (game->pid > 0) {
        kill(game->pid, SIGTERM);
        waitpid(game->pid, nullptr, 0);
    }
    if (game->trace >= 0) close(game->trace);
    game->pid = -1;
    game->trace = -1;
}

// Processor seconds the game has used, all its threads, from /proc.
double gameCpuSeconds(pid_t pid) {
    const std::string path = "/proc/" + std::to_string(pid) + "/stat";
    FILE* f = std::fopen(path.c_str(), "r");
    if (!f) return -1;
    char text[1024] = {};
    const size_t n = std::fread(text, 1, sizeof text - 1, f);
    std::fclose(f);
    text[n] = 0;
    const char* p = std::strrchr(text, ')');
    if (!p) return -1;
    // After the name: state, then fields 4..13, then utime (14) and stime (15).
    unsigned long utime = 0, stime = 0;
    if (std::sscanf(p + 2, "%*c %*d %*d %*d %*d %*d %*u %*u %*u %*u %*u %lu %lu", &utime, &stime) != 2) return -1;
    return static_cast<double>(utime + stime) / static_cast<double>(sysconf(_SC_CLK_TCK));
}

bool pressKeys(std::vector<const char*> keys) {
    std::vector<char*> argv;
    char name[] = "xdotool", key[] = "key", delay[] = "--delay", ms[] = "150";
    argv.insert(argv.end(), {name, key, delay, ms});
    for (const char* k : keys) argv.push_back(const_cast<char*>(k));
    argv.push_back(nullptr);
    pid_t pid;
    if (posix_spawnp(&pid, "xdotool", nullptr, nullptr, argv.data(), environ) != 0) return false;
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// The game's processor share of one core (percent) over `seconds` on the play
// screen with nothing pressed; negative when the game could not be run.
double idlePlayShare(const char* extra, double seconds) {
    Game game;
    std::vector<std::pair<std::string, double>> stages;
    if (!startGame(extra, &game) || !readStartup(&game, &stages)) {
        stopGame(&game);
        return -1;
    }
    // "Start the game" is the second item; an arrow across starts it.
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    const bool started = pressKeys({"Down", "Right"});
    std::this_thread::sleep_for(std::chrono::milliseconds(1500));
    const double cpuStart = gameCpuSeconds(game.pid), wallStart = monotonicSeconds();
    std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
    const double cpuEnd = gameCpuSeconds(game.pid), wallEnd = monotonicSeconds();
    stopGame(&game);
    if (!started || cpuStart < 0 || cpuEnd < 0) return -1;
    return 100 * (cpuEnd - cpuStart) / (wallEnd - wallStart);
}

// Median over `runs` start-ups of when each stage ended (ms after exec).
bool startupMedians(const char* extra, int runs, std::vector<std::pair<std::string, double>>* medians) {
    std::vector<std::string> names;
    std::vector<std::vector<double>> times;
    for (int run = 0; run < runs; ++run) {
        Game game;
        std::vector<std::pair<std::string, double>> stages;
        const bool ok = startGame(extra, &game) && readStartup(&game, &stages);
        stopGame(&game);
        if (!ok) return false;
        for (const auto& [name, ms] : stages) {
            auto it = std::find(names.begin(), names.end(), name);
            if (it == names.end()) {
                names.push_back(name);
                times.emplace_back();
                it = names.end() - 1;
            }
            times[static_cast<size_t>(it - names.begin())].push_back(ms);
        }
    }
    medians->clear();
    for (size_t i = 0; i < names.size(); ++i) medians->emplace_back(names[i], median(times[i]));
    return true;
}

void printStartup(const char* label, const char* extra) {
    std::vector<std::pair<std::string, double>> medians;
    if (!startupMedians(extra, 10, &medians)) {
        std::printf("%-24s could not run %s\n", label, DRAUGHTS3D_PROGRAM);
        return;
    }
    std::printf("%-24s", label);
    for (const auto& [name, ms] : medians) std::printf(" %s %.0f", name.c_str(), ms);
    std::printf("\n");
    std::fflush(stdout);
}

void measureRealProgram() {
    std::printf("\nthe game itself (%s), windowed\n", DRAUGHTS3D_PROGRAM);
    std::fflush(stdout);
    constexpr double kIdleSeconds = 10;
    const double before = idlePlayShare("DRAUGHTS3D_DRAW_EVERY_FRAME=1", kIdleSeconds);
    const double after = idlePlayShare(nullptr, kIdleSeconds);
    std::printf("idle play screen, %.0f s at 30 frames/s, %% of one core: before (every frame drawn) %.1f, after %.1f\n",
                kIdleSeconds, before, after);
    std::printf("start-up, median of 10 runs, ms after exec when each stage ended:\n");
    std::fflush(stdout);
    printStartup("  four menu views drawn", "DRAUGHTS3D_MENU_COPY=0");
    printStartup("  menu copying 2 views", nullptr);
}

bool parseSize(const char* text, int* width, int* height) {
    return std::sscanf(text, "%dx%d", width, height) == 2 && *width > 0 && *height > 0;
}

}  // namespace

int main(int argc, char* argv[]) {
    int frames = 100;
    if (argc > 1) frames = std::atoi(argv[1]);
    if (frames <= 0) {
        std::fprintf(stderr, "usage: %s [frames] [WIDTHxHEIGHT] [frames-only]\n", argv[0]);
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
    loadTextures();

    std::printf("renderer: %s\n", reinterpret_cast<const char*>(glGetString(GL_RENDERER)));
    std::printf("window %dx%d, %d frames each way, median ms per frame (swap and glFinish included)\n", width,
                height, frames);
    std::printf("%-26s %10s %10s %8s | %10s %10s %8s\n", "before|after", "before", "after", "ratio", "cpu before",
                "cpu after", "ratio");
    for (const Scenario& s : kScenarios) {
        Medians before{}, after{};
        runScenario(s, frames, &before, &after);
        // A skipped frame costs next to nothing: its ratio means little beyond "large".
        const auto ratio = [](double b, double a) { return a > 0.01 ? b / a : 999.99; };
        std::printf("%-26s %10.2f %10.2f %8.2f | %10.2f %10.2f %8.2f\n", s.name, before.wall, after.wall,
                    ratio(before.wall, after.wall), before.cpu, after.cpu, ratio(before.cpu, after.cpu));
        std::fflush(stdout);
    }
    straightforwardDrawing = false;
    destroyRenderWindow();
    forgetShapeCache();
    SDL_Quit();
    if (!(argc > 3 && std::strcmp(argv[3], "frames-only") == 0)) measureRealProgram();
    return 0;
}
