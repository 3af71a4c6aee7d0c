#include "app/screens/view_turn.h"

#include <cmath>

#include "engine/game/view.h"

int sideViewAngle(Side side, int current) {
    const int base = side == 2 ? 180 : 0;
    // The whole turns of `current` kept, the nearer of base - 360, base, base + 360 taken.
    const int turns = static_cast<int>(std::floor((current - base) / 360.0 + 0.5));
    return base + 360 * turns;
}

int turningAngle(int from, int to, double elapsed) {
    const double share = std::abs(to - from) / 180.0;
    const double seconds = kViewTurnSeconds * (share > 0 ? share : 1);
    if (elapsed >= seconds) return to;
    if (elapsed <= 0) return from;
    const double t = elapsed / seconds;
    const double eased = t * t * (3 - 2 * t);
    return from + static_cast<int>(std::lround((to - from) * eased));
}

void SideViewTurn::start(Side side, bool turning) {
    shownSide = side;
    active = false;
    if (turning) viewAngleY = sideViewAngle(side, 0);
    lastSet = viewAngleY;
}

void SideViewTurn::follow(Side side, bool turning, double now) {
    if (active && viewAngleY != lastSet) active = false;  // the player turns it
    if (side != shownSide) {
        shownSide = side;
        if (turning) {
            from = viewAngleY;
            to = sideViewAngle(side, viewAngleY);
            startedAt = now;
            active = from != to;
        }
    }
    if (active) {
        viewAngleY = turningAngle(from, to, now - startedAt);
        active = viewAngleY != to;
    }
    lastSet = viewAngleY;
}
