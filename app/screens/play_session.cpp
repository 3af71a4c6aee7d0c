#include "app/screens/play_session.h"

#include "app/files/settings.h"
#include "app/screens/screens.h"
#include "engine/game/turn.h"
#include "engine/game/view.h"
#include "engine/levels/draw_offer.h"
#include "engine/rules/board.h"
#include "engine/rules/game_end.h"
#include "engine/rules/rules.h"

#include <cstdint>
#include <optional>
#include <random>

PlaySession playSession;

namespace {

// The computer's level as the menu sets it; none in classic mode, whose computer is the original one.
std::optional<Level> menuLevel() {
    if (settings.classic) return std::nullopt;
    return settings.level;
}

}  // namespace

void PlaySession::keepGamesIn(const std::string& folder) { keeping.keepGamesIn(folder); }

bool PlaySession::canContinueGame() const { return keeping.canContinueGame(); }

void PlaySession::startNewGame() {
    // A clean game whatever the last one left: its history, a capture it was
    // in the middle of, a computer that had run out of moves. Green moves first.
    resetGame();
    // The computer's choices among equal moves differ from game to game.
    std::optional<std::uint64_t> seed;
    if (!settings.classic && settings.level != Level::Classic) seed = std::random_device{}();
    keeping.keepNewGame(greenSide, currentPosition(), seed, menuLevel());
    begin();
}

void PlaySession::startGameFrom(const Position& start, Side green, Level level) {
    greenSide = green;
    resetGame();
    restorePosition(start);
    std::optional<std::uint64_t> seed;
    if (level != Level::Classic) seed = std::random_device{}();
    keeping.keepNewGame(greenSide, start, seed, level);
    begin();
}

bool PlaySession::continueLatestGame() {
    if (!keeping.continueLatestGame(menuLevel())) return false;
    begin();
    return true;
}

bool PlaySession::openGameFile(const std::string& path, int number, std::string& error) {
    if (!keeping.openGameFile(path, number, error, menuLevel())) return false;
    begin();
    openedPath = path;
    openedNumber = number;
    return true;
}

bool PlaySession::reviewSource(std::string& path, int& number) const {
    const bool opened = keeping.openedGameUnplayed() && !openedPath.empty();
    path = opened ? openedPath : keeping.keptGamePath();
    number = opened ? openedNumber : 1;
    return !path.empty();
}

void PlaySession::end() {
    keeping.leaveGame();
    shownMoves.stopComputer();
    said.forgetAdvice();
    playerActs.forget();
}

void PlaySession::reset() {
    keeping.forgetGame();
    shownMoves.startShowingMoves();
    said.forgetAdvice();
    playerActs.forget();
}

void PlaySession::followGame() {
    GameLine line;
    line.records = history;
    line.count = historyCount;
    line.forgotten = historyForgotten;
    line.captureGoingOn = continuationSquare != Square{};
    line.judged = !settings.classic;
    // Classic mode, as its winner pictures tell it: a side that cannot move has lost.
    if (settings.classic)
        for (const Side side : {sideToMove, otherSide(sideToMove)})
            if (!line.winner && sideIsBlocked(side)) line.winner = otherSide(side);
    keeping.followGame(line);
}

GameEnd PlaySession::gameEnd() const {
    if (keeping.followsGame()) return keeping.gameEnd();
    GameEnd end;
    for (const Side side : {Side{1}, Side{2}})
        if (sideIsBlocked(side)) {
            end.over = true;
            end.why = Termination::NoMove;
            end.winner = otherSide(side);
        }
    return end;
}

GameStanding PlaySession::standing() const {
    const GameEnd end = gameEnd();
    GameStanding standing;
    standing.over = end.over;
    standing.winnerPicture = end.over && end.why == Termination::NoMove;
    standing.replyOnRequest = keeping.openedGameUnplayed();
    standing.judge = keeping.gameJudge();
    return standing;
}

std::string PlaySession::endText() const {
    const GameEnd end = gameEnd();
    if (!end.over) return "";
    switch (end.why) {
        case Termination::NoMove:
            return end.winner == 1 ? "You win: the computer has no move" : "The computer wins: you have no move";
        case Termination::Repetition: return "Draw: the same position for the third time";
        case Termination::KingsOnly: return "Draw: 15 moves each with kings only";
        case Termination::ThreeKings: return "Draw: three kings did not catch the lone king in 15 moves";
        case Termination::Balance:
            return materialOf(board).total() <= 5 ? "Draw: 30 moves each without a capture or a promotion"
                                                  : "Draw: 60 moves each without a capture or a promotion";
        case Termination::Resignation: return end.winner == 1 ? "The computer resigned" : "You resigned";
        case Termination::DrawAgreed: return "Draw agreed";
        case Termination::None: break;
    }
    // A record's result whose reason it does not name.
    if (end.result == GameResult::Draw) return "Draw (1/2-1/2)";
    return std::string("Game over: ") + resultText(end.result);
}

void PlaySession::offerDraw(double now) {
    if (gameOver()) return;
    // The computer plays side 2.
    const bool accepted = acceptsDrawOffer(currentPosition(), gameLevel, 2);
    playerActs.drawAnswered(now, accepted);
    if (accepted) keeping.endByPlayer(Termination::DrawAgreed);
}

void PlaySession::resign() { keeping.endByPlayer(Termination::Resignation); }

void PlaySession::begin() {
    currentScreen = 0;
    openedPath.clear();
    viewAngleY = 0;
    shownMoves.startShowingMoves();
    said.forgetAdvice();
    playerActs.forget();
    shownMoves.setComputerSeed(keeping.keptGameSeed().value_or(0));
    gameLevel = keeping.keptGameLevel().value_or(settings.level);
    shownMoves.setComputerLevel(gameLevel);
    ignoreHeldArrowKeys();
}
