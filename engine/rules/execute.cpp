#include "engine/rules/execute.h"

#include <cstdio>
#include <cstdlib>

#include "engine/rules/legal_moves.h"
#include "engine/rules/rules.h"

namespace {
int sign(int v) { return (v > 0) - (v < 0); }

void passTurn() {
    sideToMove = otherSide(sideToMove);
    continuationSquare = Square{};
}

// Everything a record holds but the captured piece (left as none).
inline void recordMove(HistoryRecord& record, int fromFile, int fromRank, int toFile, int toRank) {
    record.fromFile = fromFile;
    record.fromRank = fromRank;
    record.toFile = toFile;
    record.toRank = toRank;
    record.capturedFile = record.capturedRank = record.capturedCode = 0;
    record.sideBefore = sideToMove;
    record.continuationFileBefore = continuationSquare.file;
    record.continuationRankBefore = continuationSquare.rank;
    record.movingCode = pieceAt(fromFile, fromRank);
}

// The sanitizer build checks after every move that a move never makes a sound
// position unsound. (Tests may set up odd positions on purpose, such as a man
// left on its far rank to stand by; those are not the move's fault.)
#ifdef DRAUGHTS_SANITIZE
constexpr bool kCheckMoves = true;
#else
constexpr bool kCheckMoves = false;
#endif

inline void checkPositionAfterMove(bool soundBefore) {
    if (!kCheckMoves || !soundBefore) return;
    if (const char* fault = positionFault()) {
        std::fprintf(stderr, "draughts3d engine: unsound position after a move: %s\n", fault);
        std::abort();
    }
}
}  // namespace

void executeMove(int fromFile, int fromRank, int toFile, int toRank, PieceCode code) {
    const MoveKind kind = isLegalMove(fromFile, fromRank, toFile, toRank, code);
    if (kind == kIllegal) return;
    HistoryRecord record;
    playLegalMove(fromFile, fromRank, toFile, toRank, kind, record);
}

void playLegalMove(int fromFile, int fromRank, int toFile, int toRank, MoveKind kind, HistoryRecord& record) {
    const bool soundBefore = kCheckMoves && positionIsSound();
    recordMove(record, fromFile, fromRank, toFile, toRank);
    // A plain move captures nothing: only a capture walks the diagonal.
    if (kind == kCapture) noteCapturedPiece(record, fromFile, fromRank, toFile, toRank);
    const PieceCode arriving = arrivingCode(record.movingCode, toRank);
    board[fromFile][fromRank] = kEmpty;
    board[toFile][toRank] = arriving;
    if (kind == kCapture) {
        // Exactly one piece stands between the squares of a legal capture.
        board[record.capturedFile][record.capturedRank] = kEmpty;
        if (pieceCanCapture(toFile, toRank, arriving)) {
            continuationSquare = Square{toFile, toRank};
            checkPositionAfterMove(soundBefore);
            return;
        }
    }
    passTurn();
    checkPositionAfterMove(soundBefore);
}

void noteCapturedPiece(HistoryRecord& record, int fromFile, int fromRank, int toFile, int toRank) {
    record.capturedFile = record.capturedRank = record.capturedCode = 0;
    const int df = sign(toFile - fromFile), dr = sign(toRank - fromRank);
    if (df == 0 || dr == 0) return;
    for (int f = fromFile + df, r = fromRank + dr; (f != toFile || r != toRank) && onBoard(f, r); f += df, r += dr) {
        if (board[f][r] != kEmpty) {
            record.capturedFile = f;
            record.capturedRank = r;
            record.capturedCode = board[f][r];
        }
    }
}

void fillRecord(HistoryRecord& record, int fromFile, int fromRank, int toFile, int toRank) {
    recordMove(record, fromFile, fromRank, toFile, toRank);
    noteCapturedPiece(record, fromFile, fromRank, toFile, toRank);
}

void restoreRecord(const HistoryRecord& record) {
    if (onBoard(record.fromFile, record.fromRank)) board[record.fromFile][record.fromRank] = record.movingCode;
    if (onBoard(record.toFile, record.toRank)) board[record.toFile][record.toRank] = kEmpty;
    if (record.capturedFile != 0 && record.capturedRank != 0 && record.capturedCode != 0 &&
        onBoard(record.capturedFile, record.capturedRank))
        board[record.capturedFile][record.capturedRank] = record.capturedCode;
    continuationSquare = Square{record.continuationFileBefore, record.continuationRankBefore};
    sideToMove = record.sideBefore;
}
