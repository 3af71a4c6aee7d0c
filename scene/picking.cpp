#include "scene/picking.h"

#include <cmath>

namespace {

struct Vec {
    double x, y, z;
};

constexpr double kPi = 3.14159265358979323846;
constexpr double kSurfaceY = -2.95;  // top of the square cubes
constexpr double kPieceBaseY = -3.0;  // pieces stand here (half a man sunk in the board)
constexpr double kManRadius = 0.2;
constexpr double kKingRadius = 0.2;  // cone base, at y = -3
constexpr double kKingHeight = 1.0;  // tip at y = -2
constexpr Vec kTurnBall = {-5.4, -3.0, 0.0};
constexpr double kTurnBallRadius = 0.5;
constexpr double kTableTopY = -3.0;
constexpr double kNoHit = 1e300;

// Undoes glRotate(angle, 1, 0, 0) and then glRotate(angle, 0, 1, 0): the eye's
// frame back into the world's.
Vec eyeToWorld(Vec v, double angleXDeg, double angleYDeg) {
    const double ax = -angleXDeg * kPi / 180.0;
    const double ay = -angleYDeg * kPi / 180.0;
    const Vec r = {v.x, v.y * std::cos(ax) - v.z * std::sin(ax), v.y * std::sin(ax) + v.z * std::cos(ax)};
    return {r.x * std::cos(ay) + r.z * std::sin(ay), r.y, -r.x * std::sin(ay) + r.z * std::cos(ay)};
}

// Nearest t > 0 at which origin + t * dir enters the sphere with its entry point
// at or above `lowestVisibleY`, or kNoHit.
double sphereHit(Vec o, Vec d, Vec centre, double radius, double lowestVisibleY) {
    const Vec u = {o.x - centre.x, o.y - centre.y, o.z - centre.z};
    const double a = d.x * d.x + d.y * d.y + d.z * d.z;
    const double b = 2 * (u.x * d.x + u.y * d.y + u.z * d.z);
    const double c = u.x * u.x + u.y * u.y + u.z * u.z - radius * radius;
    const double disc = b * b - 4 * a * c;
    if (disc < 0) return kNoHit;
    const double t = (-b - std::sqrt(disc)) / (2 * a);
    if (t <= 0 || o.y + t * d.y < lowestVisibleY) return kNoHit;
    return t;
}

// Nearest t > 0 at which the ray meets the side of an upright cone (tip at
// `tip`, base radius `radius` at `height` below the tip) above `lowestVisibleY`.
double coneHit(Vec o, Vec d, Vec tip, double radius, double height, double lowestVisibleY) {
    const double k2 = (radius / height) * (radius / height);
    const double ux = o.x - tip.x, uz = o.z - tip.z;
    const double h0 = tip.y - o.y, dh = -d.y;  // depth below the tip
    const double a = d.x * d.x + d.z * d.z - k2 * dh * dh;
    const double b = 2 * (ux * d.x + uz * d.z - k2 * h0 * dh);
    const double c = ux * ux + uz * uz - k2 * h0 * h0;
    double roots[2];
    int count = 0;
    if (std::fabs(a) < 1e-12) {
        if (std::fabs(b) > 1e-12) roots[count++] = -c / b;
    } else {
        const double disc = b * b - 4 * a * c;
        if (disc < 0) return kNoHit;
        const double s = std::sqrt(disc);
        roots[count++] = (-b - s) / (2 * a);
        roots[count++] = (-b + s) / (2 * a);
    }
    double best = kNoHit;
    for (int i = 0; i < count; ++i) {
        const double t = roots[i];
        const double y = o.y + t * d.y;
        const double depth = tip.y - y;
        if (t > 0 && depth >= 0 && depth <= height && y >= lowestVisibleY && t < best) best = t;
    }
    return best;
}

}  // namespace

Square pickSquare(const PickCamera& camera, double x, double y, const Board& position) {
    if (camera.viewportWidth <= 0 || camera.viewportHeight <= 0) return {};
    // Through the camera's perspective: at depth 1 the viewport spans
    // [-aspect, aspect] * half across and [-half, half] up.
    const double half = std::tan(kFieldOfViewDegrees * kPi / 360.0);
    const double aspect = camera.viewportWidth / camera.viewportHeight;
    const double ndcX = 2 * (x - camera.viewportX) / camera.viewportWidth - 1;
    const double ndcY = 2 * (y - camera.viewportY) / camera.viewportHeight - 1;
    if (ndcX < -1 || ndcX > 1 || ndcY < -1 || ndcY > 1) return {};
    const Vec eye = eyeToWorld({-kEyeOffsetX, -kEyeOffsetY, -kEyeOffsetZ}, camera.angleX, camera.angleY);
    const Vec dir = eyeToWorld({ndcX * aspect * half, ndcY * half, -1}, camera.angleX, camera.angleY);

    double nearest = kNoHit;
    Square hit;
    for (int file = 1; file <= 8; ++file) {
        for (int rank = 1; rank <= 8; ++rank) {
            const PieceCode code = position[file][rank];
            const double cx = file - 4.5, cz = 4.0 - rank;
            double t = kNoHit;
            if (code == kMan1 || code == kMan2)
                t = sphereHit(eye, dir, {cx, kPieceBaseY, cz}, kManRadius, kSurfaceY);
            else if (code == kKing1 || code == kKing2)
                t = coneHit(eye, dir, {cx, kPieceBaseY + kKingHeight, cz}, kKingRadius, kKingHeight, kSurfaceY);
            if (t < nearest) {
                nearest = t;
                hit = Square{file, rank};
            }
        }
    }
    // The playing surface: x from -4 to 4, z from -4.5 to 3.5.
    if (dir.y < 0) {
        const double t = (kSurfaceY - eye.y) / dir.y;
        const double px = eye.x + t * dir.x, pz = eye.z + t * dir.z;
        if (t > 0 && t < nearest && px >= -4 && px < 4 && pz > -4.5 && pz <= 3.5) {
            nearest = t;
            hit = Square{static_cast<int>(std::floor(px + 5)), static_cast<int>(std::floor(4.5 - pz))};
        }
    }
    // The turn ball beside the board hides what lies behind it.
    if (sphereHit(eye, dir, kTurnBall, kTurnBallRadius, kTableTopY) < nearest) return {};
    return hit;
}
