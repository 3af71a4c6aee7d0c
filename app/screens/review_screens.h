#pragma once
// The screens that look back on the games kept (outside classic mode): "Your
// games", the list of the records in the games folder, and the review of one
// game, stepped through move by move, with the computer's analysis of every
// move and the game's PDN copied to the clipboard. Playing a move in the
// review starts a new game from there (app/screens/play_session.h).

#include <string>

#include "app/screens/screens.h"

// currentScreen (app/screens/screens.h) for each.
constexpr unsigned char kGamesListScreen = 2;
constexpr unsigned char kReviewScreen = 3;

// The keys of the review (letters no typed move uses, on any layout).
constexpr int kAnalyseKey = 'N';
constexpr int kCopyGameKey = 'P';
// On the play screen: the review of the game played (or opened from a file).
constexpr int kReviewGameKey = 'V';

// "Your games": the games folder read once, the newest game selected.
void openGamesList();
// The review of game `number` (1 for the first) of the PDN file at `path`, at
// the game's start or at its end. Escape goes back to the list when it was
// opened from there, else to the start menu. False, with `error` naming the
// file and why, when the game cannot be read.
bool openReview(const std::string& path, int number, bool atEnd, bool fromList, std::string& error);
// V on the play screen: the game is left (as with Escape) and its record
// reviewed from its end; false, with nothing changed, when it has none yet.
bool reviewGamePlayed();
// The review let go: its analysis stops, its thread joined (the program ends).
void closeReview();

// One frame of each; neither is drawn when it would show what the last two
// showed and `skipUnchanged` is set. Returns whether a frame was drawn.
bool drawGamesListFrame(bool skipUnchanged);
bool drawReviewFrame(bool skipUnchanged);
// The frame of whichever of the two is up.
inline bool drawReviewScreens(bool skipUnchanged) {
    return currentScreen == kGamesListScreen ? drawGamesListFrame(skipUnchanged) : drawReviewFrame(skipUnchanged);
}
