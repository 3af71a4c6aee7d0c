#pragma once
// Whether the game has a display to show its window on.

// To be called once SDL's video subsystem has been started (or has failed to
// start). SDL falls back to a headless video driver ("offscreen", "dummy") when
// no display can be reached; the game would then run with no window at all.
// Those drivers are accepted only when SDL_VIDEODRIVER asks for them by name.
// Otherwise, and when no video driver started at all, says plainly that no
// display could be opened (on standard error, and in a box where one can be
// shown) and returns false: the caller ends the program with status 1.
bool haveDisplay();
