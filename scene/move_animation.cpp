#include "scene/move_animation.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {

constexpr double kPi = 3.14159265358979323846;

int squaresBetween(const Square& a, const Square& b) { return std::abs(b.file - a.file); }

// Gentle start and stop.
double ease(double t) { return t * t * (3 - 2 * t); }

}  // namespace

double hopSeconds(int squares) { return std::clamp(0.15 + 0.05 * squares, 0.2, 0.45); }

double moveSeconds(const WholeMove& move, double factor) {
    double total = 0;
    for (int i = 0; i + 1 < move.squareCount; ++i) {
        if (i > 0) total += kPauseBetweenHops;
        total += hopSeconds(squaresBetween(move.squares[i], move.squares[i + 1]));
    }
    return total * factor;
}

MovePicture movePictureAt(const WholeMove& move, double elapsed, double factor) {
    MovePicture picture;
    picture.code = move.arrivingCode;
    if (move.squareCount < 2) return picture;
    picture.file = move.to().file;
    picture.rank = move.to().rank;
    for (int i = 0; i < move.capturedCount; ++i) picture.sunk[i] = 1;
    if (factor <= 0 || elapsed >= moveSeconds(move, factor)) return picture;

    picture.done = false;
    PieceCode code = move.movingCode;
    double t = std::max(0.0, elapsed) / factor;
    for (int hop = 0; hop + 1 < move.squareCount; ++hop) {
        const Square from = move.squares[hop], to = move.squares[hop + 1];
        const double length = hopSeconds(squaresBetween(from, to));
        if (hop > 0) {
            // Resting on the square the last hop reached.
            if (t < kPauseBetweenHops) {
                picture.file = from.file;
                picture.rank = from.rank;
                picture.lift = 0;
                picture.code = code;
                for (int i = hop; i < move.capturedCount; ++i) picture.sunk[i] = 0;
                return picture;
            }
            t -= kPauseBetweenHops;
        }
        if (t < length) {
            const double s = t / length;
            const double along = ease(s);
            picture.file = from.file + (to.file - from.file) * along;
            picture.rank = from.rank + (to.rank - from.rank) * along;
            picture.lift = move.isCapture() ? kHopLift * std::sin(kPi * s) : 0;
            picture.code = code;
            for (int i = hop; i < move.capturedCount; ++i) picture.sunk[i] = 0;
            if (move.isCapture() && hop < move.capturedCount)
                picture.sunk[hop] = std::clamp((s - (1 - kSinkingPart)) / kSinkingPart, 0.0, 1.0);
            return picture;
        }
        t -= length;
        code = arrivingCode(code, to.rank);
    }
    picture.done = true;
    return picture;
}
