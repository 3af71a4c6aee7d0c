// Draws the nine pictures of the room and writes them as 24-bit BMP files into
// the folder named on the command line. Deterministic: the same program always
// writes the same bytes, so its output can live in the repository.
//
//   draughts3d-make-textures <output folder>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "textures/room_pictures.h"

namespace {

constexpr double pi = 3.14159265358979323846;

// An RGB colour with components in 0..255 (kept as doubles while mixing).
struct Colour {
    double r, g, b;
};

Colour mix(Colour a, Colour b, double t) {
    t = std::clamp(t, 0.0, 1.0);
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

Colour scale(Colour c, double k) {
    return {c.r * k, c.g * k, c.b * k};
}

// A picture being drawn: rows from the top down, as one thinks about them.
struct Picture {
    int width, height;
    std::vector<Colour> pixels;
    Picture(int w, int h, Colour fill) : width(w), height(h), pixels(static_cast<size_t>(w) * h, fill) {}
    Colour& at(int x, int y) { return pixels[static_cast<size_t>(y) * width + x]; }
    void blend(int x, int y, Colour c, double alpha) {
        if (x < 0 || y < 0 || x >= width || y >= height) return;
        at(x, y) = mix(at(x, y), c, alpha);
    }
};

// ---- Deterministic noise ---------------------------------------------------

std::uint32_t hash3(std::int32_t x, std::int32_t y, std::uint32_t seed) {
    std::uint32_t h = static_cast<std::uint32_t>(x) * 0x8DA6B343u ^ static_cast<std::uint32_t>(y) * 0xD8163841u ^
                      seed * 0xCB1AB31Fu;
    h ^= h >> 13;
    h *= 0x5BD1E995u;
    h ^= h >> 15;
    return h;
}

double random01(std::int32_t x, std::int32_t y, std::uint32_t seed) {
    return (hash3(x, y, seed) & 0xFFFFFF) / double(0xFFFFFF);
}

// Smooth value noise in 0..1, repeating every `period` cells so tiles join.
double valueNoise(double x, double y, std::uint32_t seed, int period = 1 << 20) {
    const double fx = std::floor(x), fy = std::floor(y);
    const int ix = static_cast<int>(fx), iy = static_cast<int>(fy);
    const double tx = x - fx, ty = y - fy;
    const double sx = tx * tx * (3 - 2 * tx), sy = ty * ty * (3 - 2 * ty);
    auto cell = [&](int cx, int cy) {
        cx = ((cx % period) + period) % period;
        cy = ((cy % period) + period) % period;
        return random01(cx, cy, seed);
    };
    const double a = cell(ix, iy), b = cell(ix + 1, iy), c = cell(ix, iy + 1), d = cell(ix + 1, iy + 1);
    return (a + (b - a) * sx) + ((c + (d - c) * sx) - (a + (b - a) * sx)) * sy;
}

double fractalNoise(double x, double y, std::uint32_t seed, int octaves, int period = 1 << 20) {
    double sum = 0, amplitude = 0.5, total = 0;
    for (int i = 0; i < octaves; ++i) {
        sum += valueNoise(x, y, seed + i * 101, period) * amplitude;
        total += amplitude;
        x *= 2;
        y *= 2;
        period *= 2;
        amplitude *= 0.5;
    }
    return sum / total;
}

// ---- Lettering ------------------------------------------------------------

// A 5 x 7 pixel font, enough for the captions and the key help.
struct Glyph {
    char c;
    const char* rows[7];
};

const Glyph font[] = {
    {'A', {".###.", "#...#", "#...#", "#####", "#...#", "#...#", "#...#"}},
    {'B', {"####.", "#...#", "#...#", "####.", "#...#", "#...#", "####."}},
    {'C', {".###.", "#...#", "#....", "#....", "#....", "#...#", ".###."}},
    {'D', {"####.", "#...#", "#...#", "#...#", "#...#", "#...#", "####."}},
    {'E', {"#####", "#....", "#....", "####.", "#....", "#....", "#####"}},
    {'F', {"#####", "#....", "#....", "####.", "#....", "#....", "#...."}},
    {'G', {".###.", "#...#", "#....", "#.###", "#...#", "#...#", ".###."}},
    {'H', {"#...#", "#...#", "#...#", "#####", "#...#", "#...#", "#...#"}},
    {'I', {".###.", "..#..", "..#..", "..#..", "..#..", "..#..", ".###."}},
    {'J', {"..###", "...#.", "...#.", "...#.", "...#.", "#..#.", ".##.."}},
    {'K', {"#...#", "#..#.", "#.#..", "##...", "#.#..", "#..#.", "#...#"}},
    {'L', {"#....", "#....", "#....", "#....", "#....", "#....", "#####"}},
    {'M', {"#...#", "##.##", "#.#.#", "#.#.#", "#...#", "#...#", "#...#"}},
    {'N', {"#...#", "#...#", "##..#", "#.#.#", "#..##", "#...#", "#...#"}},
    {'O', {".###.", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."}},
    {'P', {"####.", "#...#", "#...#", "####.", "#....", "#....", "#...."}},
    {'Q', {".###.", "#...#", "#...#", "#...#", "#.#.#", "#..#.", ".##.#"}},
    {'R', {"####.", "#...#", "#...#", "####.", "#.#..", "#..#.", "#...#"}},
    {'S', {".####", "#....", "#....", ".###.", "....#", "....#", "####."}},
    {'T', {"#####", "..#..", "..#..", "..#..", "..#..", "..#..", "..#.."}},
    {'U', {"#...#", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."}},
    {'V', {"#...#", "#...#", "#...#", "#...#", "#...#", ".#.#.", "..#.."}},
    {'W', {"#...#", "#...#", "#...#", "#.#.#", "#.#.#", "#.#.#", ".#.#."}},
    {'X', {"#...#", "#...#", ".#.#.", "..#..", ".#.#.", "#...#", "#...#"}},
    {'Y', {"#...#", "#...#", ".#.#.", "..#..", "..#..", "..#..", "..#.."}},
    {'Z', {"#####", "....#", "...#.", "..#..", ".#...", "#....", "#####"}},
    {'0', {".###.", "#...#", "#..##", "#.#.#", "##..#", "#...#", ".###."}},
    {'1', {"..#..", ".##..", "..#..", "..#..", "..#..", "..#..", ".###."}},
    {'2', {".###.", "#...#", "....#", "...#.", "..#..", ".#...", "#####"}},
    {'3', {"####.", "....#", "....#", ".###.", "....#", "....#", "####."}},
    {'4', {"...#.", "..##.", ".#.#.", "#..#.", "#####", "...#.", "...#."}},
    {'5', {"#####", "#....", "####.", "....#", "....#", "#...#", ".###."}},
    {'6', {"..##.", ".#...", "#....", "####.", "#...#", "#...#", ".###."}},
    {'7', {"#####", "....#", "...#.", "..#..", ".#...", ".#...", ".#..."}},
    {'8', {".###.", "#...#", "#...#", ".###.", "#...#", "#...#", ".###."}},
    {'9', {".###.", "#...#", "#...#", ".####", "....#", "...#.", ".##.."}},
    {'-', {".....", ".....", ".....", "#####", ".....", ".....", "....."}},
    {',', {".....", ".....", ".....", ".....", ".....", "..#..", ".#..."}},
    {'.', {".....", ".....", ".....", ".....", ".....", ".....", "..#.."}},
    {':', {".....", "..#..", ".....", ".....", ".....", "..#..", "....."}},
    {'!', {"..#..", "..#..", "..#..", "..#..", "..#..", ".....", "..#.."}},
};

const Glyph* findGlyph(char c) {
    for (const Glyph& g : font)
        if (g.c == c) return &g;
    return nullptr;
}

// Width in pixels of a line of text at the given cell size (6 cells per letter).
int textWidth(const std::string& text, int cell) {
    return text.empty() ? 0 : static_cast<int>(text.size()) * 6 * cell - cell;
}

// Distance from point p to the segment a-b.
double segmentDistance(double px, double py, double ax, double ay, double bx, double by) {
    const double dx = bx - ax, dy = by - ay;
    const double t = std::clamp(((px - ax) * dx + (py - ay) * dy) / (dx * dx + dy * dy), 0.0, 1.0);
    return std::hypot(px - ax - t * dx, py - ay - t * dy);
}

// Draws text with its top-left corner at (x, y); each font cell is `cell`
// pixels square, and cells touching only at a corner are joined by a stroke
// so that slanted letters read as lines, not steps.
void drawText(Picture& pic, const std::string& text, int x, int y, int cell, Colour colour) {
    for (size_t i = 0; i < text.size(); ++i) {
        const Glyph* g = findGlyph(text[i]);
        if (!g) continue;
        const int left = x + static_cast<int>(i) * 6 * cell;
        auto lit = [&](int col, int row) {
            return col >= 0 && col < 5 && row >= 0 && row < 7 && g->rows[row][col] == '#';
        };
        for (int py = 0; py < 7 * cell; ++py) {
            for (int px = 0; px < 5 * cell; ++px) {
                const int col = px / cell, row = py / cell;
                double cover = lit(col, row) ? 1.0 : 0.0;
                if (cover == 0 && cell > 1) {
                    const double fx = px + 0.5, fy = py + 0.5;
                    for (int r = 0; r < 7; ++r)
                        for (int c = 0; c < 5; ++c)
                            for (int dc : {-1, 1}) {
                                if (!lit(c, r) || !lit(c + dc, r + 1) || lit(c + dc, r) || lit(c, r + 1)) continue;
                                const double d = segmentDistance(fx, fy, (c + 0.5) * cell, (r + 0.5) * cell,
                                                                 (c + dc + 0.5) * cell, (r + 1.5) * cell);
                                cover = std::max(cover, std::clamp(cell * 0.5 - d + 0.5, 0.0, 1.0));
                            }
                }
                if (cover > 0) pic.blend(left + px, y + py, colour, cover);
            }
        }
    }
}

// Text with a dark drop shadow and a lighter top half, for the big captions.
void drawCaption(Picture& pic, const std::string& text, int centreX, int y, int cell, Colour colour) {
    const int x = centreX - textWidth(text, cell) / 2;
    drawText(pic, text, x + cell / 3 + 1, y + cell / 3 + 1, cell, {0, 0, 0});
    Picture layer(pic.width, pic.height, {0, 0, 0});
    drawText(layer, text, x, y, cell, {255, 255, 255});
    const int textHeight = 7 * cell;
    for (int py = 0; py < pic.height; ++py)
        for (int px = 0; px < pic.width; ++px)
            if (layer.at(px, py).r > 0) {
                const double t = (py - y) / double(textHeight);
                const Colour ink = mix(mix(colour, {255, 255, 255}, 0.45), scale(colour, 0.7), t);
                pic.at(px, py) = mix(pic.at(px, py), ink, layer.at(px, py).r / 255.0);
            }
}

// ---- Shapes ---------------------------------------------------------------

void fillDisc(Picture& pic, double cx, double cy, double radius, Colour colour, double alpha = 1.0) {
    for (int y = static_cast<int>(cy - radius - 1); y <= static_cast<int>(cy + radius + 1); ++y)
        for (int x = static_cast<int>(cx - radius - 1); x <= static_cast<int>(cx + radius + 1); ++x) {
            const double d = std::hypot(x + 0.5 - cx, y + 0.5 - cy);
            const double cover = std::clamp(radius - d + 0.5, 0.0, 1.0);
            if (cover > 0) pic.blend(x, y, colour, cover * alpha);
        }
}

// A lit sphere seen from the front: a draughts man in a side's colour.
void drawBall(Picture& pic, double cx, double cy, double radius, Colour colour) {
    fillDisc(pic, cx + radius * 0.15, cy + radius * 0.9, radius * 0.9, {0, 0, 0}, 0.35);
    for (int y = static_cast<int>(cy - radius - 1); y <= static_cast<int>(cy + radius + 1); ++y)
        for (int x = static_cast<int>(cx - radius - 1); x <= static_cast<int>(cx + radius + 1); ++x) {
            const double dx = (x + 0.5 - cx) / radius, dy = (y + 0.5 - cy) / radius;
            const double d2 = dx * dx + dy * dy;
            if (d2 > 1) continue;
            const double nz = std::sqrt(1 - d2);
            const double light = std::max(0.0, -0.45 * dx - 0.55 * dy + 0.7 * nz);
            const double shine = std::pow(std::max(0.0, -0.3 * dx - 0.4 * dy + 0.87 * nz), 40);
            Colour c = mix(scale(colour, 0.25 + 0.75 * light), {255, 255, 255}, shine);
            const double cover = std::clamp((1 - std::sqrt(d2)) * radius + 0.5, 0.0, 1.0);
            pic.blend(x, y, c, cover);
        }
}

// ---- Wood -----------------------------------------------------------------

// Wood grain along x for a board whose own coordinates are (u along, v across).
Colour woodAt(double u, double v, std::uint32_t seed, Colour dark, Colour light, double ringScale) {
    const double warp = fractalNoise(u * 0.006, v * 0.03, seed, 3) * 2.0 + fractalNoise(u * 0.05, v * 0.05, seed + 3, 2) * 0.3;
    const double rings = std::sin((v * ringScale + warp * 2.2) * pi) * 0.5 + 0.5;
    const double streak = fractalNoise(u * 0.003, v * 0.5, seed + 7, 3);
    double t = 0.5 * std::pow(rings, 2.0) + 0.5 * streak;
    t += (random01(static_cast<int>(u), static_cast<int>(v), seed + 13) - 0.5) * 0.06;
    return mix(dark, light, t);
}

// ---- The nine pictures ----------------------------------------------------

// Wall2: striped wallpaper with a lattice of small lozenges, readable in red alone.
Picture makeWallpaper() {
    Picture pic(256, 256, {0, 0, 0});
    for (int y = 0; y < 256; ++y)
        for (int x = 0; x < 256; ++x) {
            double red = (x / 32) % 2 ? 205 : 225;
            if (x % 32 == 0 || x % 32 == 31) red = 150;
            // Lozenges centred in each broad stripe.
            const int cx = (x / 32) * 32 + 16;
            const int cy = ((y / 32) * 32) + ((x / 32) % 2 ? 0 : 16);
            const double d = std::abs(x + 0.5 - cx) + std::abs(((y - cy + 256 + 16) % 32) - 16 + 0.5);
            if (d < 9) red = 120 + d * 6;
            if (d >= 9 && d < 10.5) red = 245;
            red += (fractalNoise(x / 8.0, y / 8.0, 11, 3, 32) - 0.5) * 18;
            pic.at(x, y) = {red, red * 0.62, red * 0.52};
        }
    return pic;
}

// Wall3: a brick wall in running bond with dark mortar.
Picture makeBricks() {
    Picture pic(256, 256, {0, 0, 0});
    const int brickW = 64, brickH = 32, mortar = 4;
    for (int y = 0; y < 256; ++y)
        for (int x = 0; x < 256; ++x) {
            const int row = y / brickH;
            const int shifted = (x + (row % 2) * (brickW / 2)) % 256;
            const int col = shifted / brickW;
            const int bx = shifted % brickW, by = y % brickH;
            Colour c;
            if (bx < mortar || by < mortar) {
                const double n = fractalNoise(x / 3.0, y / 3.0, 21, 2, 86) * 30;
                c = {80 + n, 76 + n, 70 + n};
            } else {
                const double tone = random01(col, row, 22) * 55;
                const double grit = (fractalNoise(x / 4.0, y / 4.0, 23, 3, 64) - 0.5) * 50;
                const double edge = (bx < mortar + 2 || by < mortar + 2) ? -25 : 0;
                const double red = std::clamp(175 + tone + grit + edge, 0.0, 255.0);
                c = {red, red * 0.38, red * 0.28};
            }
            pic.at(x, y) = c;
        }
    return pic;
}

// Wall4: wooden wainscot with two raised panels in a frame.
Picture makePanels() {
    Picture pic(256, 256, {0, 0, 0});
    const Colour dark{120, 62, 30}, light{200, 120, 62};
    for (int y = 0; y < 256; ++y)
        for (int x = 0; x < 256; ++x) {
            Colour c = woodAt(x, y * 0.6, 31, dark, light, 0.12);
            const int px = x % 128;
            const int left = 20, right = 108, top = 24, bottom = 232, bevel = 12;
            const bool inPanel = px >= left && px < right && y >= top && y < bottom;
            if (inPanel) {
                // Raised field: bevels lit from the top left.
                const int dl = px - left, dr = right - 1 - px, dt = y - top, db = bottom - 1 - y;
                const int nearest = std::min(std::min(dl, dr), std::min(dt, db));
                if (nearest < bevel) {
                    double k = 1.0;
                    if (nearest == dt || nearest == dl) k = 1.25;
                    if (nearest == db || nearest == dr) k = 0.65;
                    c = scale(c, k);
                } else {
                    c = woodAt(y, x * 0.5, 32, dark, light, 0.1);
                }
                if (nearest == 0) c = scale(c, 0.5);
            }
            if (y < 8 || y >= 248 || px < 4 || px >= 124) c = scale(c, 0.8);
            c.r = std::min(c.r, 255.0);
            c.g = std::min(c.g, 255.0);
            c.b = std::min(c.b, 255.0);
            pic.at(x, y) = c;
        }
    return pic;
}

// Pol: parquet floor in a basket weave of short oak staves with dark joints.
Picture makeParquet() {
    Picture pic(256, 256, {0, 0, 0});
    const int block = 64, stave = 16;
    for (int y = 0; y < 256; ++y)
        for (int x = 0; x < 256; ++x) {
            const int bx = x / block, by = y / block;
            const bool across = (bx + by) % 2 == 0;
            const int lx = x % block, ly = y % block;
            // Along the stave (u) and across it (v).
            const int u = across ? lx : ly;
            const int v = across ? ly : lx;
            const int index = v / stave;
            const std::uint32_t seed = 40 + (bx * 4 + by) * 8 + index;
            const double tone = random01(bx * 4 + index, by, 41);
            const Colour dark = mix({120, 72, 36}, {150, 96, 50}, tone);
            const Colour light = mix({196, 140, 84}, {222, 170, 110}, tone);
            Colour c = woodAt(u + seed * 37.0, v % stave + index * 3.0, seed, dark, light, 0.18);
            if (v % stave == 0 || u == 0) c = scale(c, 0.45);
            else if (v % stave == stave - 1 || u == block - 1) c = scale(c, 0.8);
            pic.at(x, y) = c;
        }
    return pic;
}

// Stol: a table top of four long planks inside a darker border.
Picture makeTableTop() {
    Picture pic(256, 256, {0, 0, 0});
    const Colour dark{92, 48, 22}, light{170, 100, 50};
    for (int y = 0; y < 256; ++y)
        for (int x = 0; x < 256; ++x) {
            const int border = 18;
            Colour c;
            if (x < border || x >= 256 - border || y < border || y >= 256 - border) {
                const bool side = std::min(x, 255 - x) < std::min(y, 255 - y);
                c = side ? woodAt(y, x, 51, dark, light, 0.2) : woodAt(x, y, 52, dark, light, 0.2);
                c = scale(c, 0.7);
                if (std::min(std::min(x, 255 - x), std::min(y, 255 - y)) == border - 1) c = scale(c, 0.6);
                if (x - y == 0 || x + y == 255) c = scale(c, 0.6);  // mitred corners
            } else {
                const int plank = (y - border) / 55;
                c = woodAt(x + plank * 300, (y - border) % 55 + plank * 11.0, 53 + plank, dark, light, 0.07);
                if ((y - border) % 55 == 0) c = scale(c, 0.5);
                // A knot in the second plank.
                const double kx = x - 150, ky = y - 95;
                const double kd = std::hypot(kx * 0.6, ky);
                if (kd < 9) c = mix(c, scale(dark, 0.7), 0.5 + 0.5 * std::cos(kd * 1.3));
            }
            pic.at(x, y) = c;
        }
    return pic;
}

// landscape2: sky with clouds and sun, far blue hills, green hills with trees.
Picture makeLandscape() {
    Picture pic(256, 256, {0, 0, 0});
    auto ridge = [](int x, double base, double height, std::uint32_t seed, double freq) {
        return base - fractalNoise(x * freq, 0.5, seed, 4) * height;
    };
    for (int y = 0; y < 256; ++y)
        for (int x = 0; x < 256; ++x) {
            Colour c = mix({40, 90, 190}, {175, 210, 240}, y / 150.0);
            const double cloud = fractalNoise(x / 40.0, y / 16.0, 61, 5);
            if (y < 130) c = mix(c, {250, 250, 252}, (cloud - 0.52) * 4 * (1 - y / 140.0));
            const double sun = std::hypot(x - 196.0, y - 46.0);
            if (sun < 18) c = mix(c, {255, 246, 200}, 1.0);
            else if (sun < 40) c = mix(c, {255, 240, 190}, (40 - sun) / 44);
            const double far = ridge(x, 150, 55, 62, 0.012);
            if (y > far) c = mix({110, 140, 170}, {90, 130, 120}, (y - far) / 40.0);
            const double mid = ridge(x, 185, 50, 63, 0.02);
            if (y > mid) {
                const double shade = fractalNoise(x / 10.0, y / 10.0, 64, 3);
                c = mix({70, 140, 55}, {110, 170, 70}, shade);
                c = scale(c, 0.85 + 0.15 * (y - mid) / 30.0);
            }
            const double nearHill = ridge(x, 228, 40, 65, 0.016);
            if (y > nearHill) {
                const double shade = fractalNoise(x / 6.0, y / 6.0, 66, 3);
                c = mix({60, 120, 35}, {120, 175, 60}, shade);
            }
            pic.at(x, y) = c;
        }
    // Trees: a trunk and a round crown, far ones smaller and paler.
    struct Tree {
        double x, y, size;
    };
    std::vector<Tree> trees;
    for (int i = 0; i < 26; ++i) {
        const double x = random01(i, 0, 70) * 256;
        const bool nearOne = i % 3 == 0;
        const double groundY = nearOne ? ridge(static_cast<int>(x), 228, 40, 65, 0.016) + 6 + random01(i, 2, 70) * 16
                                       : ridge(static_cast<int>(x), 185, 50, 63, 0.02) + 3 + random01(i, 1, 70) * 14;
        trees.push_back({x, groundY, nearOne ? 9 + random01(i, 3, 70) * 5 : 4 + random01(i, 3, 70) * 3});
    }
    std::sort(trees.begin(), trees.end(), [](const Tree& a, const Tree& b) { return a.y < b.y; });
    for (const Tree& t : trees) {
        const double trunkH = t.size * 1.1;
        for (int y = static_cast<int>(t.y - trunkH); y <= static_cast<int>(t.y); ++y)
            for (int x = static_cast<int>(t.x - t.size * 0.18); x <= static_cast<int>(t.x + t.size * 0.18); ++x)
                pic.blend(x, y, {80, 52, 30}, 1.0);
        const double cy = t.y - trunkH - t.size * 0.6;
        fillDisc(pic, t.x, cy, t.size, {30, 85, 30});
        fillDisc(pic, t.x - t.size * 0.3, cy - t.size * 0.3, t.size * 0.55, {55, 120, 45}, 0.8);
        fillDisc(pic, t.x + t.size * 0.35, cy + t.size * 0.2, t.size * 0.5, {25, 70, 25}, 0.6);
    }
    return pic;
}

// GreenWins / PinkWins: the winner's name in big letters over a dark board.
Picture makeWinner(const std::string& side, Colour colour) {
    Picture pic(256, 256, {0, 0, 0});
    for (int y = 0; y < 256; ++y)
        for (int x = 0; x < 256; ++x) {
            const bool darkSquare = ((x / 32) + (y / 32)) % 2 == 1;
            const double glow = std::max(0.0, 1 - std::hypot(x - 128.0, y - 110.0) / 180);
            Colour c = darkSquare ? Colour{24, 22, 30} : Colour{44, 40, 52};
            c = mix(c, scale(colour, 0.35), glow * 0.6);
            if (x < 6 || y < 6 || x >= 250 || y >= 250) c = scale(colour, 0.8);
            pic.at(x, y) = c;
        }
    const int cell = side.size() > 4 ? 8 : 9;
    drawCaption(pic, side, 128, 22, cell, colour);
    drawCaption(pic, "WINS", 128, 22 + 7 * cell + 14, 9, colour);
    drawBall(pic, 92, 206, 24, colour);
    drawBall(pic, 164, 206, 24, colour);
    drawCaption(pic, "!", 128, 184, 6, colour);
    return pic;
}

// Help3: the keys of the play screen on a sheet of paper.
Picture makeHelp() {
    Picture pic(256, 256, {0, 0, 0});
    for (int y = 0; y < 256; ++y)
        for (int x = 0; x < 256; ++x) {
            const double n = fractalNoise(x / 12.0, y / 12.0, 81, 4);
            Colour c = mix({232, 220, 186}, {246, 238, 212}, n);
            const double edge = std::min(std::min(x, 255 - x), std::min(y, 255 - y));
            if (edge < 12) c = scale(c, 0.8 + 0.2 * edge / 12);
            if (y > 44 && y < 47 && x > 20 && x < 236) c = {150, 60, 40};
            pic.at(x, y) = c;
        }
    const Colour ink{50, 34, 24}, keyInk{150, 40, 30};
    drawText(pic, "KEYS", 128 - textWidth("KEYS", 4) / 2, 12, 4, ink);
    const char* lines[][2] = {
        {"A-H", "FILE"},       {"1-8", "RANK"},    {"U", "CLEAR MOVE"}, {"9", "TAKE BACK"},
        {"ARROWS", "TURN VIEW"}, {"ESC", "MENU"}, {"F1", "FULLSCREEN"},
    };
    int y = 58;
    for (const auto& line : lines) {
        drawText(pic, line[0], 20, y, 2, keyInk);
        drawText(pic, line[1], 112, y, 2, ink);
        y += 24;
    }
    drawText(pic, "TYPE FROM AND TO SQUARE", 128 - textWidth("TYPE FROM AND TO SQUARE", 1) / 2, 232, 1, ink);
    return pic;
}

// ---- Output ---------------------------------------------------------------

void putU16(std::vector<unsigned char>& out, unsigned v) {
    out.push_back(static_cast<unsigned char>(v & 0xFF));
    out.push_back(static_cast<unsigned char>((v >> 8) & 0xFF));
}

void putU32(std::vector<unsigned char>& out, std::uint32_t v) {
    putU16(out, v & 0xFFFF);
    putU16(out, v >> 16);
}

unsigned char toByte(double v) {
    return static_cast<unsigned char>(std::lround(std::clamp(v, 0.0, 255.0)));
}

// Writes a 24-bit BMP with file header and 40-byte info header, bottom row first.
bool writeBmp(const Picture& pic, const std::string& path) {
    const std::uint32_t stride = (pic.width * 3 + 3) / 4 * 4;
    const std::uint32_t imageSize = stride * pic.height;
    std::vector<unsigned char> out;
    out.push_back('B');
    out.push_back('M');
    putU32(out, 54 + imageSize);
    putU32(out, 0);
    putU32(out, 54);
    putU32(out, 40);
    putU32(out, pic.width);
    putU32(out, pic.height);
    putU16(out, 1);
    putU16(out, 24);
    putU32(out, 0);
    putU32(out, imageSize);
    putU32(out, 2835);
    putU32(out, 2835);
    putU32(out, 0);
    putU32(out, 0);
    for (int row = pic.height - 1; row >= 0; --row) {
        for (int x = 0; x < pic.width; ++x) {
            const Colour& c = pic.pixels[static_cast<size_t>(row) * pic.width + x];
            out.push_back(toByte(c.b));
            out.push_back(toByte(c.g));
            out.push_back(toByte(c.r));
        }
        for (std::uint32_t pad = pic.width * 3; pad < stride; ++pad) out.push_back(0);
    }
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return false;
    const bool ok = std::fwrite(out.data(), 1, out.size(), file) == out.size();
    return std::fclose(file) == 0 && ok;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <output folder>\n", argv[0]);
        return 2;
    }
    const std::string folder = argv[1];
    struct Output {
        const char* name;
        Picture picture;
    };
    const Output outputs[] = {
        {kWall2Picture, makeWallpaper()},
        {kPolPicture, makeParquet()},
        {kWall3Picture, makeBricks()},
        {kWall4Picture, makePanels()},
        {kStolPicture, makeTableTop()},
        {kHelp3Picture, makeHelp()},
        {kGreenWinsPicture, makeWinner("GREEN", {40, 230, 60})},
        {kPinkWinsPicture, makeWinner("PINK", {255, 60, 230})},
        {kLandscape2Picture, makeLandscape()},
    };
    for (const Output& o : outputs) {
        const std::string path = folder + "/" + o.name;
        if (!writeBmp(o.picture, path)) {
            std::fprintf(stderr, "cannot write %s\n", path.c_str());
            return 1;
        }
    }
    return 0;
}
