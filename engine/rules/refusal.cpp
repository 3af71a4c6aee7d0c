#include "engine/rules/refusal.h"

#include <cstdlib>

#include "engine/rules/legal_moves.h"
#include "engine/rules/position_text.h"
#include "engine/rules/rules.h"
#include "engine/rules/translation.h"

namespace {

int sign(int v) { return (v > 0) - (v < 0); }

std::string name(Square s) { return squareName(s.file, s.rank); }

// A sentence about the piece on a square, said of a king or of a man.
std::string aboutPiece(PieceCode code, const char* ofKing, const char* ofMan, Square on) {
    return formatText(tr(isKing(code) ? ofKing : ofMan), name(on).c_str());
}

// The landing squares of the captures the piece on `from` can make now, in the
// order the search lists them.
std::vector<Square> landingsOf(Square from) {
    MoveList list;
    listLegalMoves(list);
    std::vector<Square> landings;
    for (int i = 0; i < list.count; ++i) {
        const ListedMove& m = list.moves[i];
        if (m.kind == kCapture && m.fromFile == from.file && m.fromRank == from.rank)
            landings.push_back(Square{m.toFile, m.toRank});
    }
    return landings;
}

// The pieces of the side to move that can capture, in scan order.
std::vector<Square> capturingPieces() {
    std::vector<Square> squares;
    if (continuationSquare != Square{}) return {continuationSquare};
    for (int f = 1; f <= 8; ++f)
        for (int r = 1; r <= 8; ++r) {
            const PieceCode code = board[f][r];
            if (code != kEmpty && sideOf(code) == sideToMove && pieceCanCapture(f, r, code))
                squares.push_back(Square{f, r});
        }
    return squares;
}

// The pieces standing between two squares of one diagonal.
struct Between {
    int count = 0;
    Square first;
    bool firstIsEnemy = false;
};

Between piecesBetween(Square from, Square to, PieceCode code) {
    Between b;
    const int df = sign(to.file - from.file), dr = sign(to.rank - from.rank);
    for (int f = from.file + df, r = from.rank + dr; f != to.file; f += df, r += dr) {
        if (board[f][r] == kEmpty) continue;
        if (b.count++ == 0) {
            b.first = Square{f, r};
            b.firstIsEnemy = areEnemies(code, board[f][r]);
        }
    }
    return b;
}

// A rule of movement the step breaks whatever else is on the board, or "".
std::string geometryFault(Square from, Square to, PieceCode code) {
    if (from == to)
        return aboutPiece(code, N_("The king on %s must move to another square"),
                          N_("The man on %s must move to another square"), from);
    if ((to.file + to.rank) % 2 != 0)
        return formatText(tr("Pieces stand on the dark squares only: %s is a light square"), name(to).c_str());
    const int df = to.file - from.file, dr = to.rank - from.rank;
    if (std::abs(df) != std::abs(dr))
        return formatText(tr("Pieces move along the diagonals: %s is not on one from %s"), name(to).c_str(),
                          name(from).c_str());
    if (board[to.file][to.rank] != kEmpty) return formatText(tr("There is already a piece on %s"), name(to).c_str());
    const int distance = std::abs(df);
    const Between between = piecesBetween(from, to, code);
    if (between.count == 1 && !between.firstIsEnemy) return tr("A piece jumps only over a piece of the other side");
    if (isMan(code)) {
        if (distance == 1 && dr != forwardStep(code)) return tr("Men move forward; they capture in any direction");
        if (distance > 2 || (distance == 2 && between.count == 0))
            return tr("A man moves one square at a time; only kings go further");
        return "";
    }
    if (between.count > 1)
        return formatText(tr("The way from %s to %s is blocked at %s"), name(from).c_str(), name(to).c_str(),
                          name(between.first).c_str());
    return "";
}

// The landing squares, among `landings`, in the direction from `from` to `to`.
std::string landingsToward(Square from, Square to, const std::vector<Square>& landings) {
    std::string text;
    for (const Square& s : landings)
        if (sign(s.file - from.file) == sign(to.file - from.file) &&
            sign(s.rank - from.rank) == sign(to.rank - from.rank))
            text = text.empty() ? name(s) : formatText(tr("%s or %s"), text.c_str(), name(s).c_str());
    return text;
}

MoveRefusal judge(Square from, Square to) {
    MoveRefusal out;
    if (!onBoard(from.file, from.rank) || !onBoard(to.file, to.rank)) {
        out.reason = tr("Squares run from a1 to h8");
        return out;
    }
    const Square going = continuationSquare;
    if (going != Square{} && from != going) {
        out.reason = aboutPiece(board[going.file][going.rank], N_("The king on %s must go on capturing"),
                                N_("The man on %s must go on capturing"), going);
        out.capturers = {going};
        return out;
    }
    const PieceCode code = board[from.file][from.rank];
    if (code == kEmpty || sideOf(code) != sideToMove) {
        out.reason = formatText(tr("No piece of yours on %s"), name(from).c_str());
        return out;
    }
    if (isLegalMove(from.file, from.rank, to.file, to.rank, code) != kIllegal) return out;

    out.reason = geometryFault(from, to, code);
    if (!out.reason.empty()) return out;
    out.capturers = capturingPieces();
    const std::vector<Square> own = landingsOf(from);
    // A king's jump over one enemy piece onto a square from which it could not
    // go on, when other squares behind that piece would let it.
    const std::string better = landingsToward(from, to, own);
    if (isKing(code) && piecesBetween(from, to, code).count == 1 && !better.empty()) {
        out.reason = formatText(tr("The king must land where it can capture again: %s"), better.c_str());
        return out;
    }
    if (going != Square{}) {
        out.reason =
            aboutPiece(code, N_("The king on %s must go on capturing"), N_("The man on %s must go on capturing"), from);
        return out;
    }
    if (!out.capturers.empty()) {
        const Square taker = own.empty() ? out.capturers.front() : from;
        const std::vector<Square> landings = own.empty() ? landingsOf(taker) : own;
        out.reason = formatText(tr("A capture is compulsory: %s takes on %s"), name(taker).c_str(),
                                name(landings.front()).c_str());
        return out;
    }
    out.reason = tr("That move is not allowed");
    return out;
}

}  // namespace

MoveRefusal whyRefused(const Position& position, Square from, Square to) {
    const PositionScope scope(position);
    return judge(from, to);
}
