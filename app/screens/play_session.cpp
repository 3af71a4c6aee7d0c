#include "app/screens/play_session.h"

#include "app/files/settings.h"
#include "app/screens/screens.h"
#include "engine/game/turn.h"
#include "engine/game/view.h"
#include "engine/levels/draw_offer.h"
#include "engine/rules/board.h"
#include "engine/rules/game_end.h"
#include "engine/rules/rules.h"
#include "engine/rules/translation.h"

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

// Who plays a new game, green on `green`, as the settings choose the opponent.
Seats chosenSeats(Side green) {
    if (settings.classic) return againstComputer(std::nullopt);
    switch (settings.opponent) {
        case Opponent::TwoPlayers:
            return twoPlayersSeats(green, playerName(settings, true), playerName(settings, false));
        case Opponent::Watch: return watchSeats(green, watchLevelOf(settings, true), watchLevelOf(settings, false));
        case Opponent::Computer: break;
    }
    return againstComputer(settings.level);
}

// Whether the computer plays a side of `seats` at a level that chooses by a seed.
bool drawsSeed(const Seats& seats) {
    for (const Side side : {Side{1}, Side{2}})
        if (seats.side[side].computer && seats.side[side].level.value_or(Level::Classic) != Level::Classic) return true;
    return false;
}

// "green" or "pink", as a side's colour is written after a name.
const char* colourOf(Side side) { return side == greenSide ? tr("green") : tr("pink"); }

}  // namespace

void PlaySession::keepGamesIn(const std::string& folder) { keeping.keepGamesIn(folder); }

bool PlaySession::canContinueGame() const { return keeping.canContinueGame(); }

void PlaySession::startNewGame() {
    // A clean game whatever the last one left: its history, a capture it was
    // in the middle of, a computer that had run out of moves. Green moves first.
    resetGame();
    // The computer's choices among equal moves differ from game to game.
    const Seats seats = chosenSeats(greenSide);
    std::optional<std::uint64_t> seed;
    if (!settings.classic && drawsSeed(seats)) seed = std::random_device{}();
    keeping.keepNewGame(greenSide, currentPosition(), seed, seats);
    begin();
}

void PlaySession::startGameFrom(const Position& start, Side green, const Seats& seats) {
    greenSide = green;
    resetGame();
    restorePosition(start);
    std::optional<std::uint64_t> seed;
    if (drawsSeed(seats)) seed = std::random_device{}();
    keeping.keepNewGame(greenSide, start, seed, seats);
    begin();
}

bool PlaySession::continueLatestGame() {
    if (!keeping.continueLatestGame(menuLevel())) return false;
    begin();
    return true;
}

bool PlaySession::openGameFile(const std::string& path, int number, std::string& error) {
    if (!keeping.openGameFile(path, number, error, menuLevel())) return false;
    if (!settings.classic && settings.opponent != Opponent::Computer) keeping.seatOpenedGame(chosenSeats(greenSide));
    begin();
    openedPath = path;
    openedNumber = number;
    // The computer playing itself waits, as any opened game, to be asked.
    if (watched()) shownMoves.pause();
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
    // Against the computer the player is "you"; otherwise each side by its name.
    const bool person = !twoPlayers() && !watched();
    const std::string winner = end.winner ? sideName(end.winner) : "";
    const std::string loser = end.winner ? sideName(otherSide(end.winner)) : "";
    switch (end.why) {
        case Termination::NoMove:
            if (person)
                return end.winner == 1 ? tr("You win: the computer has no move")
                                       : tr("The computer wins: you have no move");
            return formatText(
                otherSide(end.winner) == greenSide ? tr("%s wins: green has no move") : tr("%s wins: pink has no move"),
                winner.c_str());
        case Termination::Repetition: return tr("Draw: the same position for the third time");
        case Termination::KingsOnly: return tr("Draw: 15 moves each with kings only");
        case Termination::ThreeKings: return tr("Draw: three kings did not catch the lone king in 15 moves");
        case Termination::Balance:
            return materialOf(board).total() <= 5 ? tr("Draw: 30 moves each without a capture or a promotion")
                                                  : tr("Draw: 60 moves each without a capture or a promotion");
        case Termination::Resignation:
            if (person) return end.winner == 1 ? tr("The computer resigned") : tr("You resigned");
            return formatText(tr("%s resigned: %s wins"), loser.c_str(), winner.c_str());
        case Termination::DrawAgreed: return tr("Draw agreed");
        case Termination::None: break;
    }
    // A record's result whose reason it does not name.
    if (end.result == GameResult::Draw) return tr("Draw (1/2-1/2)");
    return formatText(tr("Game over: %s"), resultText(end.result));
}

void PlaySession::offerDraw(double now) {
    if (gameOver() || watched()) return;
    if (twoPlayers()) {
        // The other player answers: O again before the next move accepts.
        if (playerActs.drawOffered()) {
            playerActs.sayAnswer(now,
                                 formatText(tr("%s accepts: draw agreed"), sideName(otherSide(sideToMove)).c_str()));
            keeping.endByPlayer(Termination::DrawAgreed);
        } else {
            playerActs.offerDraw(formatText(tr("%s offers a draw: %s, press O to accept"), sideName(sideToMove).c_str(),
                                            sideName(otherSide(sideToMove)).c_str()));
        }
        return;
    }
    // The computer plays side 2.
    const bool accepted = acceptsDrawOffer(currentPosition(), gameLevel, 2);
    playerActs.drawAnswered(now, accepted);
    if (accepted) keeping.endByPlayer(Termination::DrawAgreed);
}

void PlaySession::resign() { keeping.endByPlayer(Termination::Resignation, twoPlayers() ? sideToMove : Side{1}); }

bool PlaySession::twoPlayers() const { return !settings.classic && seats().twoPlayers(); }

bool PlaySession::watched() const { return !settings.classic && seats().watched(); }

bool PlaySession::personToMove() const {
    if (settings.classic) return sideToMove == 1;
    return !shownMoves.computerMoves(sideToMove) || shownMoves.paused();
}

Side PlaySession::frameSide(double now) const {
    if (!twoPlayers()) return 1;
    // A finished game keeps the view it ended in, and its frame.
    return gameOver() ? viewTurn.side() : shownMoves.shownSide(now);
}

std::string PlaySession::sideName(Side side) const {
    const Seat& seat = seats().side[side];
    if (watched())
        return tr(levelTitle(seat.level.value_or(Level::Classic))) + std::string(" (") + colourOf(side) + ")";
    const char* colour = side == greenSide ? N_("Green") : N_("Pink");
    return seat.name == colour ? tr(colour) : seat.name + " (" + colourOf(side) + ")";
}

std::string PlaySession::turnText(double now) const {
    if (gameOver()) return "";
    if (twoPlayers()) return formatText(tr("%s to move"), sideName(shownMoves.shownSide(now)).c_str());
    if (!watched()) return "";
    if (shownMoves.paused()) return tr("Paused: Return to go on, Escape for the menu");
    return formatText(tr("%s v %s: a key or click pauses"), sideName(greenSide).c_str(),
                      sideName(otherSide(greenSide)).c_str());
}

std::string PlaySession::lastMovesText(double now) const {
    if (!twoPlayers() && !watched()) return shownMoves.lastMovesText();
    const std::string names[3] = {"", sideName(1), sideName(2)};
    return shownMoves.lastMovesText(names, frameSide(now));
}

void PlaySession::turnView(double now) {
    // The view stays as the game ended (a winner's picture stands in it).
    if (gameOver()) return;
    viewTurn.follow(shownMoves.shownSide(now), twoPlayers() && settings.turnView, now);
}

void PlaySession::begin() {
    currentScreen = 0;
    openedPath.clear();
    viewAngleY = 0;
    shownMoves.startShowingMoves();
    said.forgetAdvice();
    playerActs.forget();
    gameLevel = keeping.keptGameLevel().value_or(settings.level);
    shownMoves.seat(seats(), keeping.keptGameSeed().value_or(0));
    // Two players: the side to move's player sees the board from their chair.
    viewTurn.start(sideToMove, twoPlayers() && settings.turnView);
    ignoreHeldArrowKeys();
}
