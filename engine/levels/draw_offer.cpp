#include "engine/levels/draw_offer.h"

#include "engine/classic/search.h"
#include "engine/levels/searcher.h"

int drawOfferValue(const Position& position, Level level, Side computerSide) {
    if (level == Level::Classic) {
        const PositionScope scope(position);
        return evaluatePosition(computerSide);
    }
    // The weak levels judge with their own noise; the others share one
    // evaluation, which the club level's plain search reads without the
    // stronger levels' table to fill.
    LevelRequest request;
    request.position = position;
    request.level = level == Level::Beginner || level == Level::Novice ? level : Level::Club;
    request.fixedDepth = kDrawOfferDepth;
    request.bestOnly = true;
    const LevelResult result = searchLevel(request);
    // No move: the side to move has lost.
    const int forMover = result.hasMove ? result.score : -kLevelWinScore;
    return position.side == computerSide ? forMover : -forMover;
}

int drawOfferMargin(Level level) { return level == Level::Beginner || level == Level::Novice ? 50 : 0; }

bool acceptsDrawOffer(const Position& position, Level level, Side computerSide) {
    return drawOfferValue(position, level, computerSide) <= drawOfferMargin(level);
}
