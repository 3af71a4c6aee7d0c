#include "engine/rules/rules.h"

#include "engine/rules/legal_moves.h"
#include "engine/rules/scratch.h"

namespace {

// A square is inside a direction's edge of travel when a further step from it
// stays on the board.
bool insideEdge(int file, int rank, int df, int dr) { return onBoard(file, rank) && onBoard(file + df, rank + dr); }

bool reachMapHasAny(int value) {
    for (int f = 1; f <= 8; ++f)
        for (int r = 1; r <= 8; ++r)
            if (value == 0 ? reachMap[f][r] != 0 : reachMap[f][r] == value) return true;
    return false;
}

void markIfEmpty(int file, int rank, int value) {
    if (onBoard(file, rank) && board[file][rank] == kEmpty) reachMap[file][rank] = value;
}

void reachOfMan(int f, int r, PieceCode code) {
    const int forward = r + forwardStep(code);
    markIfEmpty(f - 1, forward, 1);
    markIfEmpty(f + 1, forward, 1);
    for (const auto& d : kDirections) {
        const int lf = f + 2 * d[0], lr = r + 2 * d[1];
        if (onBoard(lf, lr) && board[lf][lr] == kEmpty && areEnemies(code, pieceAt(f + d[0], r + d[1])))
            reachMap[lf][lr] = 2;
    }
}

// Walks from (f, r) along (df, dr) over empty squares; returns the stop square:
// the first piece met, or the last square before the edge. False when even the
// adjacent square is off the board.
bool walk(int f, int r, int df, int dr, int& sf, int& sr) {
    sf = f + df;
    sr = r + dr;
    if (!onBoard(sf, sr)) return false;
    while (board[sf][sr] == kEmpty && insideEdge(sf, sr, df, dr)) {
        sf += df;
        sr += dr;
    }
    return true;
}

void reachOfKing(int f, int r, PieceCode code) {
    for (const auto& d : kDirections) {
        const int df = d[0], dr = d[1];
        int sf, sr;
        if (!walk(f, r, df, dr, sf, sr)) continue;

        for (int pf = f + df, pr = r + dr; pf != sf || pr != sr; pf += df, pr += dr) reachMap[pf][pr] = 1;
        if (board[sf][sr] == kEmpty) {
            reachMap[sf][sr] = 1;
            continue;
        }
        if (!areEnemies(code, board[sf][sr]) || !insideEdge(sf, sr, df, dr)) continue;

        // Landing squares beyond the enemy piece, nearest first.
        int landings[8][2];
        int landingCount = 0;
        for (int lf = sf + df, lr = sr + dr; onBoard(lf, lr) && board[lf][lr] == kEmpty; lf += df, lr += dr) {
            reachMap[lf][lr] = 2;
            landings[landingCount][0] = lf;
            landings[landingCount][1] = lr;
            ++landingCount;
        }
        if (landingCount == 0) continue;

        // A capture that can go on from some landing squares must end on one of them.
        bool goesOn[8] = {};
        bool anyGoesOn = false;
        for (int i = 0; i < landingCount; ++i) {
            const int lf = landings[i][0], lr = landings[i][1];
            saveProbeBoard();
            board[sf][sr] = kEmpty;
            board[f][r] = kEmpty;
            board[lf][lr] = code;
            goesOn[i] = kingCanCapture(lf, lr, code);
            restoreProbeBoard();
            anyGoesOn = anyGoesOn || goesOn[i];
        }
        if (anyGoesOn)
            for (int i = 0; i < landingCount; ++i)
                if (!goesOn[i]) reachMap[landings[i][0]][landings[i][1]] = 0;
    }
}

}  // namespace

bool computeReach(int file, int rank, PieceCode code) {
    if (pieceAt(file, rank) == kEmpty) return reachMapHasAny(0);
    clearReachMaps();
    if (isMan(code))
        reachOfMan(file, rank, code);
    else if (isKing(code))
        reachOfKing(file, rank, code);
    return reachMapHasAny(0);
}

bool kingCanCapture(int file, int rank, PieceCode code) {
    for (const auto& d : kDirections) {
        int sf, sr;
        if (!walk(file, rank, d[0], d[1], sf, sr)) continue;
        if (areEnemies(code, board[sf][sr]) && insideEdge(sf, sr, d[0], d[1]) && board[sf + d[0]][sr + d[1]] == kEmpty)
            return true;
    }
    return false;
}

bool pieceHasCapture(int file, int rank, PieceCode code) {
    computeReach(file, rank, code);
    const bool result = reachMapHasAny(2);
    clearReachMaps();
    return result;
}

bool sideHasCapture(Side side) {
    for (int f = 1; f <= 8; ++f) {
        for (int r = 1; r <= 8; ++r) {
            const PieceCode code = board[f][r];
            if (code == kEmpty || sideOf(code) != side) continue;
            computeReach(f, r, code);
            const bool capture = reachMapHasAny(2);
            clearReachMaps();
            if (capture) return true;
        }
    }
    return false;
}

bool sideIsBlocked(Side side) {
    for (int f = 1; f <= 8; ++f) {
        for (int r = 1; r <= 8; ++r) {
            const PieceCode code = board[f][r];
            if (code != kEmpty && sideOf(code) == side && computeReach(f, r, code)) return false;
        }
    }
    return true;
}

MoveKind isLegalMove(int fromFile, int fromRank, int toFile, int toRank, PieceCode code) {
    computeReach(fromFile, fromRank, code);
    const int kind = onBoard(toFile, toRank) ? reachMap[toFile][toRank] : 0;
    if (!onBoard(fromFile, fromRank) || board[fromFile][fromRank] != code) return kIllegal;
    if (kind != kPlainMove && kind != kCapture) return kIllegal;
    if (sideOf(code) != sideToMove) return kIllegal;
    if (continuationSquare != Square{} && continuationSquare != Square{fromFile, fromRank}) return kIllegal;
    if (sideHasCapture(sideToMove) && kind != kCapture) return kIllegal;
    return static_cast<MoveKind>(kind);
}

const char* positionFault() {
    int count[3] = {};
    for (int f = 0; f <= 8; ++f)
        for (int r = 0; r <= 8; ++r) {
            const PieceCode c = board[f][r];
            if ((f == 0 || r == 0) && c != kEmpty) return "a piece outside the playing area";
            if (f == 0 || r == 0 || c == kEmpty) continue;
            if (!isMan(c) && !isKing(c)) return "an unknown piece code";
            if ((f + r) % 2 != 0) return "a piece on a light square";
            if (arrivingCode(c, r) != c) return "a man left uncrowned on the far rank";
            ++count[sideOf(c)];
        }
    if (count[1] > 12 || count[2] > 12) return "more than twelve pieces a side";
    if (sideToMove != 1 && sideToMove != 2) return "no side to move";
    if (continuationSquare != Square{}) {
        const Square s = continuationSquare;
        if (!onBoard(s.file, s.rank)) return "continuation square off the board";
        const PieceCode c = board[s.file][s.rank];
        if (c == kEmpty || sideOf(c) != sideToMove) return "continuation square without a piece of the side to move";
        if (!pieceCanCapture(s.file, s.rank, c)) return "continuation square on a piece that cannot capture";
    }
    return nullptr;
}
