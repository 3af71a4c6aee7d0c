#include "app/screens/play_session.h"

#include "app/files/settings.h"
#include "app/screens/screens.h"
#include "engine/game/turn.h"
#include "engine/game/view.h"
#include "engine/rules/board.h"

#include <cstdint>
#include <optional>
#include <random>

PlaySession playSession;

void PlaySession::keepGamesIn(const std::string& folder) { keeping.keepGamesIn(folder); }

bool PlaySession::canContinueGame() const { return keeping.canContinueGame(); }

void PlaySession::startNewGame() {
    // A clean game whatever the last one left: its history, a capture it was
    // in the middle of, a computer that had run out of moves. Green moves first.
    resetGame();
    // The computer's choices among equal moves differ from game to game.
    std::optional<std::uint64_t> seed;
    if (!settings.classic && settings.level != Level::Classic) seed = std::random_device{}();
    keeping.keepNewGame(greenSide, currentPosition(), seed);
    begin();
}

bool PlaySession::continueLatestGame() {
    if (!keeping.continueLatestGame()) return false;
    begin();
    return true;
}

bool PlaySession::openGameFile(const std::string& path, int number, std::string& error) {
    if (!keeping.openGameFile(path, number, error)) return false;
    begin();
    return true;
}

void PlaySession::end() {
    keeping.leaveGame();
    shownMoves.stopComputer();
    said.forgetAdvice();
}

void PlaySession::reset() {
    shownMoves.startShowingMoves();
    said.forgetAdvice();
}

void PlaySession::begin() {
    currentScreen = 0;
    viewAngleY = 0;
    shownMoves.startShowingMoves();
    said.forgetAdvice();
    shownMoves.setComputerSeed(keeping.keptGameSeed().value_or(0));
    ignoreHeldArrowKeys();
}
