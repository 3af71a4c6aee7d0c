#include "app/screens/move_show.h"

#include "app/files/settings.h"
#include "app/screens/board_frame.h"
#include "engine/rules/board.h"
#include "engine/levels/level_search.h"
#include "engine/rules/rules.h"
#include "engine/rules/translation.h"
#include "engine/game/turn.h"
#include "engine/rules/whole_moves.h"
#include "scene/move_animation.h"

#include <vector>

namespace {

// The search of the computer's reply in the live game, with the game's past.
LevelRequest replyRequest(Level level, std::uint64_t seed, const GameJudge* judge) {
    LevelRequest request = judge ? requestForGame(*judge) : LevelRequest{};
    request.position = currentPosition();
    request.level = level;
    request.seed = seed;
    return request;
}

double factor() { return animationFactor(settings.animation); }

// How deep a captured piece sinks at its end: out of sight in the board.
double sinkDepth(PieceCode code) { return isKing(code) ? 1.05 : 0.45; }

}  // namespace

double MoveShow::travelEnd() const { return travel.startedAt + moveSeconds(travel.move, factor()); }

void MoveShow::startTravel(int records, double now, bool shown) {
    travel = Travel{};
    if (records <= 0 || records > historyCount) return;
    // Several whole moves at once (stepping forward with 0): the last travels.
    const std::vector<HistorySpan> spans = wholeMoveSpans(&history[historyCount - records], records);
    records = spans.back().count;
    travel.move = wholeMoveFromRecords(&history[historyCount - records], records);
    travel.records = records;
    travel.startedAt = now;
    travel.active = shown && factor() > 0;
}

// A level other than classic searches on a thread, and so does classic when
// the computer plays itself: the original computer's turn step plays side 2 only.
bool MoveShow::searchesOnAThread(Side side) const {
    return !settings.classic && (computer[side].level != Level::Classic || computer[otherSide(side)].plays);
}

// The reply, when it can be played now: the classic computer chooses it on
// the spot; a level's search must have finished.
bool MoveShow::playReply(double now, bool shown) {
    int jumps = 0;
    if (searchesOnAThread(sideToMove)) {
        LevelResult result;
        if (!computerSearch.poll(result)) return false;
        if (result.hasMove) jumps = playChosenMove(result.move).jumps;
    } else {
        jumps = playComputerReply();
    }
    replyWaiting = false;
    knownHistory = jumpsPlayed();
    startTravel(jumps, now, shown);
    return true;
}

// The last complete whole move of `side` (0: of either side), leaving out the
// records of the travelling move; false when there is none.
bool MoveShow::lastCompleteMove(Side side, WholeMove& found) const {
    int usable = historyCount - (travel.active ? travel.records : 0);
    std::vector<HistorySpan> spans = wholeMoveSpans(history, usable);
    // A capture still going on is no complete move yet.
    if (!spans.empty() && continuationSquare != Square{} && usable == historyCount) spans.pop_back();
    for (auto span = spans.rbegin(); span != spans.rend(); ++span) {
        if (side != 0 && history[span->first].sideBefore != side) continue;
        found = wholeMoveFromRecords(&history[span->first], span->count);
        return true;
    }
    return false;
}

void MoveShow::setComputerSeed(std::uint64_t seed) { computer[2].seed = seed; }

void MoveShow::setComputerLevel(Level level) { computer[2].level = level; }

void MoveShow::seat(const Seats& seats, std::uint64_t seed) {
    for (const Side side : {Side{1}, Side{2}}) {
        const Seat& seat = seats.side[side];
        computer[side].plays = seat.computer;
        computer[side].level = seat.level.value_or(Level::Classic);
        // Side 1's seed is side 2's with its bits stirred.
        computer[side].seed = side == 2 ? seed : (seed ^ 0x9e3779b97f4a7c15ULL) * 0xbf58476d1ce4e5b9ULL;
    }
}

bool MoveShow::computerMoves(Side side) const { return (side == 1 || side == 2) && computer[side].plays; }

void MoveShow::pause() {
    pausedNow = true;
    computerSearch.cancel();
    replyWaiting = false;
}

// Going on is asking the computer to move, also where it waits to be asked.
void MoveShow::resume() {
    pausedNow = false;
    replyAsked = true;
}

bool MoveShow::computerToReply() const { return replyWaiting; }

void MoveShow::stopComputer() {
    computerSearch.cancel();
    replyWaiting = false;
}

void MoveShow::startShowingMoves() {
    computerSearch.cancel();
    travel = Travel{};
    knownHistory = jumpsPlayed();
    replyWaiting = false;
    endHeldSince = -1;
    replyAsked = false;
    awaitingRequest = false;
    pausedNow = false;
}

void MoveShow::landTravellingMove() { travel.active = false; }

void MoveShow::askForReply() {
    if (awaitingRequest) replyAsked = true;
}

bool MoveShow::replyAwaitsRequest() const { return awaitingRequest; }

void MoveShow::playWaitingReplyNow(double now) {
    if (!replyWaiting) return;
    travel.active = false;
    playReply(now, false);
}

void MoveShow::advanceShownMoves(double now, const GameStanding& standing) {
    if (travel.active && now >= travelEnd()) travel.active = false;
    if (jumpsPlayed() < knownHistory) {
        // Taken back: what was shown or waiting is gone with it.
        travel = Travel{};
        replyWaiting = false;
        computerSearch.cancel();
        endHeldSince = -1;
        replyAsked = false;
    } else if (jumpsPlayed() > knownHistory) {
        startTravel(jumpsPlayed() - knownHistory, now, true);
    }
    knownHistory = jumpsPlayed();

    const bool over = standing.over;
    winnerPicture = standing.winnerPicture;
    const bool computerToMove = computerMoves(sideToMove) && computerActive == 1 && !over && !pausedNow;
    awaitingRequest = computerToMove && standing.replyOnRequest && !replyAsked;
    if (!computerToMove || awaitingRequest) {
        if (replyWaiting) computerSearch.cancel();
        replyWaiting = false;
    } else if (!replyWaiting) {
        replyWaiting = true;
        replyAt = (travel.active ? travelEnd() : now) + settings.replyDelay;
        // The search starts at once; only its move waits.
        const ComputerSide& mover = computer[sideToMove];
        if (searchesOnAThread(sideToMove)) computerSearch.start(replyRequest(mover.level, mover.seed, standing.judge));
    }
    if (replyWaiting && now >= replyAt) playReply(now, true);

    if (!over || travel.active || replyWaiting)
        endHeldSince = -1;
    else if (endHeldSince < 0)
        endHeldSince = now;
}

Side MoveShow::shownSide(double now) const {
    if (travel.active && now < travelEnd() && travel.records > 0 && travel.records <= historyCount)
        return history[historyCount - travel.records].sideBefore;
    return sideToMove;
}

void presentTravellingMove(const WholeMove& move, double elapsed, double factor, ScenePresentation& presentation) {
    const MovePicture picture = movePictureAt(move, elapsed, factor);
    presentation.piecesGiven = true;
    for (int f = 1; f <= 8; ++f)
        for (int r = 1; r <= 8; ++r) presentation.pieces[f][r] = board[f][r];
    presentation.pieces[move.to().file][move.to().rank] = kEmpty;
    for (int i = 0; i < move.capturedCount; ++i) {
        const Square at = move.captured[i];
        const PieceCode code = move.capturedCodes[i];
        if (picture.sunk[i] <= 0)
            presentation.pieces[at.file][at.rank] = code;
        else if (picture.sunk[i] < 1)
            presentation.addFloating(code, at.file, at.rank, -sinkDepth(code) * picture.sunk[i]);
    }
    presentation.addFloating(picture.code, picture.file, picture.rank, picture.lift);
}

void markPlayedMove(const WholeMove& move, ScenePresentation& presentation) {
    presentation.addMark(move.from().file, move.from().rank, SquareMarkKind::MoveFrom);
    for (int i = 1; i + 1 < move.squareCount; ++i)
        presentation.addMark(move.squares[i].file, move.squares[i].rank, SquareMarkKind::MoveLanding);
    presentation.addMark(move.to().file, move.to().rank, SquareMarkKind::MoveTo);
    for (int i = 0; i < move.capturedCount; ++i)
        presentation.addMark(move.captured[i].file, move.captured[i].rank, SquareMarkKind::Captured);
}

void MoveShow::presentMoves(double now, ScenePresentation& presentation) const {
    // Only a side with no move has a winner's picture.
    presentation.winnerHeldBack = endHeldSince < 0 || !winnerPicture;
    presentation.ballSide = shownSide(now);
    if (travel.active && now < travelEnd()) {
        presentTravellingMove(travel.move, now - travel.startedAt, factor(), presentation);
    }
    WholeMove last;
    if (settings.lastMoveMarks && lastCompleteMove(0, last)) {
        markPlayedMove(last, presentation);
    }
}

std::string MoveShow::lastMovesText() const {
    const std::string names[3] = {"", tr("You"), tr("Computer")};
    return lastMovesText(names, 1);
}

std::string MoveShow::lastMovesText(const std::string (&names)[3], Side frame) const {
    // The last move, and the one before it when it is the other side's.
    WholeMove last, before;
    if (!lastCompleteMove(0, last)) return "";
    const Side lastSide = sideOf(last.movingCode);
    const auto words = [&](const WholeMove& move) {
        return names[sideOf(move.movingCode)] + ": " + namedFrom(frame, wholeMoveText(move));
    };
    if (!lastCompleteMove(otherSide(lastSide), before)) return words(last);
    return words(before) + "   " + words(last);
}

double MoveShow::gameEndHeldSince() const { return endHeldSince; }

int MoveShow::travelProgress(double now) const {
    if (!travel.active || now >= travelEnd()) return -1;
    return static_cast<int>((now - travel.startedAt) * 1000);
}
