#pragma once
// What the play screen tells the player outside classic mode besides the moves:
// a hint asked for with T (the club level's move for the player, its squares
// marked for a few seconds) and, when a typed or clicked move is refused, why,
// in the player's words, with the pieces that must capture marked. The hint is
// searched on a thread of its own, so the window never waits for it.

#include <string>
#include <vector>

#include "engine/levels/level_search.h"
#include "engine/rules/whole_moves.h"
#include "scene/scene.h"

// The key that asks for a hint (no move uses it).
constexpr int kHintKey = 'T';

// How long a hint and a reason stay on the screen, in seconds.
constexpr double kAdviceSeconds = 4.0;

// What is said about the game being played: the hint with its search, and
// the reason the last move was refused. The play session owns the one the
// play screen shows (app/screens/play_session.h).
class Advice {
public:
    // A new game (or the game left): no hint, no reason, no search.
    void forgetAdvice();
    // T pressed: the search for the best move of `person`'s side starts (when
    // it is that side's turn and the game goes on); advanceAdvice shows it once
    // found. The player against the computer is side 1.
    void askForHint(Side person = 1);
    // A complete typed move from (fromFile, fromRank) to (toFile, toRank) was
    // refused in the live position: the reason is worked out and shown.
    void noteRefusedMove(double now, int fromFile, int fromRank, int toFile, int toRank);
    // A move was played: what was said about the position before it goes.
    void movePlayed();
    // The hint's search finished meanwhile: it is shown from now on.
    void advanceAdvice(double now);
    // The marks of the hint and of the pieces that must capture, at `now`.
    void presentAdvice(double now, ScenePresentation& presentation) const;
    // The line of words at `now`: why the last move was refused, or the hint; empty
    // when there is nothing to say.
    std::string adviceText(double now) const;

private:
    LevelSearch hintSearch;
    bool hintShown = false;
    WholeMove hint;
    double hintSince = 0;

    std::string refusal;
    std::vector<Square> capturers;
    double refusalSince = 0;
};
