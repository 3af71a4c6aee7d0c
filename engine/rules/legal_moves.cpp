#include "engine/rules/legal_moves.h"

#include "engine/rules/rules.h"

namespace {

inline bool emptyOnBoard(int f, int r) { return onBoard(f, r) && board[f][r] == kEmpty; }

// A man's capture over the adjacent square in direction d.
inline bool manCaptures(int f, int r, PieceCode code, const int* d) {
    return emptyOnBoard(f + 2 * d[0], r + 2 * d[1]) && areEnemies(code, pieceAt(f + d[0], r + d[1]));
}

struct Target {
    int file, rank, kind;
};

// The squares one piece reaches, as computeReach marks them, in scan order (file,
// then rank). For a man they come out sorted by construction; a king's squares are
// kept per direction and distance and read out file by file.
int pieceTargets(int f, int r, PieceCode code, Target* out) {
    int n = 0;
    if (isMan(code)) {
        const int forward = r + forwardStep(code);
        // Files f-2 (lower rank first), f-1, f+1, then f+2 (lower rank first).
        if (manCaptures(f, r, code, kDirections[3])) out[n++] = Target{f - 2, r - 2, kCapture};
        if (manCaptures(f, r, code, kDirections[2])) out[n++] = Target{f - 2, r + 2, kCapture};
        if (emptyOnBoard(f - 1, forward)) out[n++] = Target{f - 1, forward, kPlainMove};
        if (emptyOnBoard(f + 1, forward)) out[n++] = Target{f + 1, forward, kPlainMove};
        if (manCaptures(f, r, code, kDirections[1])) out[n++] = Target{f + 2, r - 2, kCapture};
        if (manCaptures(f, r, code, kDirections[0])) out[n++] = Target{f + 2, r + 2, kCapture};
        return n;
    }
    // kindAt[direction][distance]: 0 nothing, 1 plain, 2 capture landing.
    std::int8_t kindAt[4][8] = {};
    for (int dir = 0; dir < 4; ++dir) {
        const int df = kDirections[dir][0], dr = kDirections[dir][1];
        int sf = f + df, sr = r + dr, k = 1;
        if (!onBoard(sf, sr)) continue;
        while (board[sf][sr] == kEmpty) {
            kindAt[dir][k] = kPlainMove;
            if (!onBoard(sf + df, sr + dr)) break;
            sf += df;
            sr += dr;
            ++k;
        }
        if (board[sf][sr] == kEmpty || !areEnemies(code, board[sf][sr]) || !onBoard(sf + df, sr + dr)) continue;
        const int firstLanding = k + 1;
        int lastLanding = k;
        for (int lf = sf + df, lr = sr + dr; emptyOnBoard(lf, lr); lf += df, lr += dr)
            kindAt[dir][++lastLanding] = kCapture;
        if (lastLanding < firstLanding) continue;
        // A capture that can go on from some landing squares must end on one of them;
        // the probe sees the captured piece gone and the king on the landing square.
        bool goesOn[8] = {};
        bool any = false;
        const PieceCode captured = board[sf][sr];
        board[sf][sr] = kEmpty;
        board[f][r] = kEmpty;
        for (int d = firstLanding; d <= lastLanding; ++d) {
            const int lf = f + d * df, lr = r + d * dr;
            board[lf][lr] = code;
            goesOn[d] = kingCanCapture(lf, lr, code);
            board[lf][lr] = kEmpty;
            any = any || goesOn[d];
        }
        board[sf][sr] = captured;
        board[f][r] = code;
        if (any)
            for (int d = firstLanding; d <= lastLanding; ++d)
                if (!goesOn[d]) kindAt[dir][d] = 0;
    }
    // Files left of the king, farthest first: direction 4 (lower rank) before 3.
    for (int d = f - 1; d >= 1; --d) {
        if (kindAt[3][d]) out[n++] = Target{f - d, r - d, kindAt[3][d]};
        if (kindAt[2][d]) out[n++] = Target{f - d, r + d, kindAt[2][d]};
    }
    // Files right of the king, nearest first: direction 2 (lower rank) before 1.
    for (int d = 1; d <= 8 - f; ++d) {
        if (kindAt[1][d]) out[n++] = Target{f + d, r - d, kindAt[1][d]};
        if (kindAt[0][d]) out[n++] = Target{f + d, r + d, kindAt[0][d]};
    }
    return n;
}

}  // namespace

bool pieceCanMove(int f, int r, PieceCode code) {
    if (isMan(code)) {
        const int forward = r + forwardStep(code);
        if (emptyOnBoard(f - 1, forward) || emptyOnBoard(f + 1, forward)) return true;
        for (const auto& d : kDirections)
            if (manCaptures(f, r, code, d)) return true;
        return false;
    }
    if (!isKing(code)) return false;
    for (const auto& d : kDirections) {
        const int af = f + d[0], ar = r + d[1];
        if (!onBoard(af, ar)) continue;
        if (board[af][ar] == kEmpty) return true;
        if (areEnemies(code, board[af][ar]) && emptyOnBoard(af + d[0], ar + d[1])) return true;
    }
    return false;
}

bool sideIsBlockedFast(Side side) {
    for (int f = 1; f <= 8; ++f)
        for (int r = 1; r <= 8; ++r) {
            const PieceCode code = board[f][r];
            if (code != kEmpty && sideOf(code) == side && pieceCanMove(f, r, code)) return false;
        }
    return true;
}

bool pieceCanCapture(int f, int r, PieceCode code) {
    if (isMan(code)) {
        for (const auto& d : kDirections)
            if (manCaptures(f, r, code, d)) return true;
        return false;
    }
    if (isKing(code)) return kingCanCapture(f, r, code);
    return false;
}

namespace {

// Appends the moves of the piece on (f, r) in scan order of their to-squares;
// notes whether it can capture (which forbids every plain move of its side).
void addPieceMoves(MoveList& list, int f, int r, PieceCode code, bool& anyCapture) {
    Target targets[16];
    const int n = pieceTargets(f, r, code, targets);
    for (int i = 0; i < n; ++i) anyCapture = anyCapture || targets[i].kind == kCapture;
    // Only the capturing piece may go on.
    const Square cont = continuationSquare;
    if (cont != Square{} && cont != Square{f, r}) return;
    for (int i = 0; i < n && list.count < kMaxNodeMoves; ++i)
        list.moves[list.count++] = ListedMove{
            static_cast<std::int8_t>(f), static_cast<std::int8_t>(r), static_cast<std::int8_t>(targets[i].file),
            static_cast<std::int8_t>(targets[i].rank), static_cast<std::int8_t>(targets[i].kind)};
}

// When any piece of the side can capture, only captures are legal.
void keepOnlyCaptures(MoveList& list) {
    int kept = 0;
    for (int i = 0; i < list.count; ++i)
        if (list.moves[i].kind == kCapture) list.moves[kept++] = list.moves[i];
    list.count = kept;
}

void addSquare(PieceSquares& pieces, int side, int f, int r) {
    if (pieces.count[side] >= 12) return;
    pieces.squares[side][pieces.count[side]][0] = static_cast<std::int8_t>(f);
    pieces.squares[side][pieces.count[side]][1] = static_cast<std::int8_t>(r);
    ++pieces.count[side];
}

// The legal moves of the side to move, whatever computerActive says.
inline void listSideMoves(MoveList& list, PieceSquares* pieces) {
    list.count = 0;
    const Side side = sideToMove;
    bool anyCapture = false;
    for (int f = 1; f <= 8; ++f) {
        for (int r = 1; r <= 8; ++r) {
            const PieceCode code = board[f][r];
            if (code == kEmpty) continue;
            const int pieceSide = sideOf(code);
            if (pieces) addSquare(*pieces, pieceSide, f, r);
            if (pieceSide == side) addPieceMoves(list, f, r, code, anyCapture);
        }
    }
    if (anyCapture) keepOnlyCaptures(list);
}

}  // namespace

void listLegalMoves(MoveList& list, PieceSquares* pieces) {
    if (computerActive != 1) {
        list.count = 0;
        return;
    }
    listSideMoves(list, pieces);
}

void listLegalSteps(MoveList& list) { listSideMoves(list, nullptr); }

void listLegalMovesOf(MoveList& list, const PieceSquares& pieces) {
    list.count = 0;
    if (computerActive != 1) return;
    const Side side = sideToMove;
    if (side != 1 && side != 2) return;
    bool anyCapture = false;
    for (int i = 0; i < pieces.count[side]; ++i) {
        const int f = pieces.squares[side][i][0], r = pieces.squares[side][i][1];
        addPieceMoves(list, f, r, board[f][r], anyCapture);
    }
    if (anyCapture) keepOnlyCaptures(list);
}

void collectPieceSquares(PieceSquares& pieces) {
    pieces = PieceSquares{};
    for (int f = 1; f <= 8; ++f)
        for (int r = 1; r <= 8; ++r)
            if (board[f][r] != kEmpty) addSquare(pieces, sideOf(board[f][r]), f, r);
}

void movePieceSquares(PieceSquares& pieces, Side mover, int fromFile, int fromRank, int toFile, int toRank,
                      int capturedFile, int capturedRank) {
    // The moved piece slides to the place of its new square in scan order.
    std::int8_t(*own)[2] = pieces.squares[mover];
    const int n = pieces.count[mover];
    int i = 0;
    while (i < n && (own[i][0] != fromFile || own[i][1] != fromRank)) ++i;
    if (i == n) return;
    const int key = toFile * 16 + toRank;
    while (i > 0 && own[i - 1][0] * 16 + own[i - 1][1] > key) {
        own[i][0] = own[i - 1][0];
        own[i][1] = own[i - 1][1];
        --i;
    }
    while (i + 1 < n && own[i + 1][0] * 16 + own[i + 1][1] < key) {
        own[i][0] = own[i + 1][0];
        own[i][1] = own[i + 1][1];
        ++i;
    }
    own[i][0] = static_cast<std::int8_t>(toFile);
    own[i][1] = static_cast<std::int8_t>(toRank);
    if (capturedFile == 0) return;
    const int other = otherSide(mover);
    std::int8_t(*theirs)[2] = pieces.squares[other];
    int m = pieces.count[other];
    for (int j = 0; j < m; ++j) {
        if (theirs[j][0] != capturedFile || theirs[j][1] != capturedRank) continue;
        for (int k = j + 1; k < m; ++k) {
            theirs[k - 1][0] = theirs[k][0];
            theirs[k - 1][1] = theirs[k][1];
        }
        pieces.count[other] = m - 1;
        return;
    }
}
