#include "app/screens/advice.h"

#include "engine/rules/board.h"
#include "engine/levels/level_search.h"
#include "engine/rules/position_text.h"
#include "engine/rules/refusal.h"
#include "engine/rules/rules.h"
#include "engine/rules/translation.h"

#include <vector>

namespace {

bool showing(double since, double now) { return now - since < kAdviceSeconds; }

}  // namespace

void Advice::forgetAdvice() {
    hintSearch.cancel();
    hintShown = false;
    refusal.clear();
    capturers.clear();
}

void Advice::askForHint(Side person) {
    if (sideToMove != person || sideIsBlocked(1) || sideIsBlocked(2)) return;
    hintShown = false;
    refusal.clear();
    hintSearch.start(currentPosition(), Level::Club, 0, true);
}

void Advice::noteRefusedMove(double now, int fromFile, int fromRank, int toFile, int toRank) {
    const MoveRefusal why = whyRefused(currentPosition(), Square{fromFile, fromRank}, Square{toFile, toRank});
    if (!why.refused()) return;
    refusal = why.reason;
    capturers = why.capturers;
    refusalSince = now;
    hintShown = false;
}

void Advice::movePlayed() { forgetAdvice(); }

void Advice::advanceAdvice(double now) {
    LevelResult result;
    if (!hintSearch.poll(result)) return;
    hintShown = result.hasMove;
    hint = result.move;
    hintSince = now;
}

void Advice::presentAdvice(double now, ScenePresentation& presentation) const {
    if (hintShown && showing(hintSince, now) && hint.squareCount >= 2) {
        presentation.addMark(hint.from().file, hint.from().rank, SquareMarkKind::Hint);
        presentation.addMark(hint.to().file, hint.to().rank, SquareMarkKind::Hint);
    }
    if (!refusal.empty() && showing(refusalSince, now))
        for (const Square& square : capturers)
            presentation.addMark(square.file, square.rank, SquareMarkKind::MustCapture);
}

std::string Advice::adviceText(double now) const {
    if (!refusal.empty() && showing(refusalSince, now)) return refusal;
    if (hintShown && showing(hintSince, now) && hint.squareCount >= 2)
        return formatText(tr("Hint: %s"), wholeMoveText(hint).c_str());
    return "";
}
