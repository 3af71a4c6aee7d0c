#include "app/display_check.h"

#include <SDL2/SDL.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

const char* const kHeadlessDrivers[] = {"offscreen", "dummy"};

bool isHeadless(const char* driver) {
    for (const char* headless : kHeadlessDrivers)
        if (SDL_strcasecmp(driver, headless) == 0) return true;
    return false;
}

// Whether SDL_VIDEODRIVER (a name, or names separated by commas) names `driver`.
bool requestedByName(const char* driver) {
    const char* requested = std::getenv("SDL_VIDEODRIVER");
    if (!requested) return false;
    std::string list = requested;
    std::size_t start = 0;
    while (start <= list.size()) {
        std::size_t end = list.find(',', start);
        if (end == std::string::npos) end = list.size();
        if (SDL_strcasecmp(list.substr(start, end - start).c_str(), driver) == 0) return true;
        start = end + 1;
    }
    return false;
}

}  // namespace

bool haveDisplay() {
    const char* driver = SDL_GetCurrentVideoDriver();
    if (driver && (!isHeadless(driver) || requestedByName(driver))) return true;

    const char* display = std::getenv("DISPLAY");
    if (display && !*display) display = nullptr;
    const char* const text =
        "No display could be opened, so the game cannot show its window.\n"
        "Start it from a graphical session (DISPLAY must name a running X server).";
    std::fprintf(stderr, "draughts3d: %s\n", text);
    if (driver)
        std::fprintf(stderr, "draughts3d: (DISPLAY=%s; only SDL's headless \"%s\" video driver started)\n",
                     display ? display : "unset", driver);
    else
        std::fprintf(stderr, "draughts3d: (DISPLAY=%s; %s)\n", display ? display : "unset", SDL_GetError());
    // A box too when one can still be shown; without a display this fails at once.
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
    SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, "ERROR", text, nullptr);
    return false;
}
