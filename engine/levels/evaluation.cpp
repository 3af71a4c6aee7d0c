#include "engine/levels/evaluation.h"

#include <cstdint>

#include "engine/rules/board.h"

namespace {

using Bits = std::uint64_t;

constexpr int squareIndex(int file, int rank) { return (file - 1) * 8 + (rank - 1); }

// Precomputed per square: the dark squares in scan order, and for a man of
// each side the squares ahead of it that an enemy piece could use to stop it
// (its path to the far rank, one file wider either side).
struct Tables {
    int darkCount = 0;
    std::int8_t dark[32][2] = {};
    Bits runPath[3][64] = {};

    constexpr Tables() {
        for (int f = 1; f <= 8; ++f)
            for (int r = 1; r <= 8; ++r) {
                if ((f + r) % 2 != 0) continue;
                dark[darkCount][0] = static_cast<std::int8_t>(f);
                dark[darkCount][1] = static_cast<std::int8_t>(r);
                ++darkCount;
                for (int side = 1; side <= 2; ++side) {
                    Bits path = 0;
                    const int step = side == 1 ? 1 : -1;
                    for (int d = 1; r + d * step >= 1 && r + d * step <= 8; ++d)
                        for (int pf = f - d - 1; pf <= f + d + 1; ++pf)
                            if (pf >= 1 && pf <= 8) path |= Bits{1} << squareIndex(pf, r + d * step);
                    runPath[side][squareIndex(f, r)] = path;
                }
            }
    }
};

constexpr Tables kTables;

// 0 on the edge files a and h, 3 on the centre files d and e.
inline int fileCentrality(int file) { return file - 1 < 8 - file ? file - 1 : 8 - file; }

struct SideCount {
    int men = 0, kings = 0;
    int material() const { return men * kManWorth + kings * kKingWorth; }
};

// A man's worth beyond its material, seen from its own side: `advance` is how
// many ranks it has gone forward, `file` its file counted from its own left
// (side 2's men, facing the other way, count h as a).
int manShape(int file, int advance, int enemyMen, int endgame) {
    int value = 0;
    if (advance == 0) {
        // The back rank: c1 and e1 (for side 2, f8 and d8) keep the enemy's
        // men from crowning; a1 and g1 a little less. Worth nothing once the
        // enemy has no men left.
        const int guard = (file == 3 || file == 5) ? 12 : (file == 1 || file == 7) ? 5 : 2;
        value += guard * (enemyMen < 6 ? enemyMen : 6) / 6;
    } else {
        static constexpr int kFileWorth[4] = {-6, 0, 3, 6};
        value += kFileWorth[fileCentrality(file)];
        if (advance >= 2 && advance <= 5 && fileCentrality(file) >= 2) value += 4;
    }
    // Tempo: going forward matters more as the board empties.
    value += advance * (6 + endgame) / 6;
    return value;
}

int kingShape(int file, int rank) {
    int value = 2 * fileCentrality(file);
    if (file == rank) value += 18;  // the long diagonal a1-h8
    return value;
}

}  // namespace

int evaluateForSideToMove() {
    Bits pieces[3] = {};
    SideCount count[3];
    for (int i = 0; i < kTables.darkCount; ++i) {
        const int f = kTables.dark[i][0], r = kTables.dark[i][1];
        const PieceCode code = board[f][r];
        if (code == kEmpty) continue;
        const Side side = sideOf(code);
        pieces[side] |= Bits{1} << squareIndex(f, r);
        if (isKing(code))
            ++count[side].kings;
        else
            ++count[side].men;
    }
    const int total = count[1].men + count[1].kings + count[2].men + count[2].kings;
    const int endgame = total < 24 ? 24 - total : 0;

    int shape[3] = {};
    for (int i = 0; i < kTables.darkCount; ++i) {
        const int f = kTables.dark[i][0], r = kTables.dark[i][1];
        const PieceCode code = board[f][r];
        if (code == kEmpty) continue;
        const Side side = sideOf(code);
        const Side enemy = otherSide(side);
        if (isKing(code)) {
            shape[side] += kingShape(f, r);
            continue;
        }
        const int advance = side == 1 ? r - 1 : 8 - r;
        shape[side] += manShape(side == 1 ? f : 9 - f, advance, count[enemy].men, endgame);
        // A runaway: no enemy piece anywhere near its road to the far rank.
        if ((kTables.runPath[side][squareIndex(f, r)] & pieces[enemy]) == 0) {
            const int run = 25 + 10 * advance;
            shape[side] += count[enemy].kings > 0 ? run / 2 : run;
        }
    }

    const int material1 = count[1].material(), material2 = count[2].material();
    const int lead = material1 - material2;
    // The side ahead gains as the material left shrinks: exchanges favour it.
    int value = lead + lead * 400 / (material1 + material2 + 400) + shape[1] - shape[2];

    // King endings without men: one or two kings hold a draw against up to two
    // more kings, and a lone king on the long diagonal holds against three.
    if (count[1].men == 0 && count[2].men == 0 && count[1].kings > 0 && count[2].kings > 0) {
        const int weaker = count[1].kings < count[2].kings ? 1 : 2;
        const int weakerKings = count[weaker].kings, strongerKings = count[otherSide(weaker)].kings;
        bool onLongDiagonal = false;
        for (int i = 1; i <= 8; ++i)
            if (board[i][i] != kEmpty && sideOf(board[i][i]) == weaker) onLongDiagonal = true;
        if (strongerKings <= 2 || (weakerKings == 1 && strongerKings == 3 && onLongDiagonal)) value /= 8;
    }
    return sideToMove == 1 ? value : -value;
}
