#include "engine/rules/whole_moves.h"

#include "engine/rules/execute.h"
#include "engine/rules/legal_moves.h"
#include "engine/rules/position_text.h"
#include "engine/rules/rules.h"

bool WholeMove::samePath(const WholeMove& o) const {
    if (squareCount != o.squareCount) return false;
    for (int i = 0; i < squareCount; ++i)
        if (squares[i] != o.squares[i]) return false;
    return true;
}

namespace {

// A whole move being grown: its squares so far and the records of the jumps
// played on the board to get there.
struct Growing {
    Side mover = 0;
    MovePath path;
    HistoryRecord jumps[kMaxWholeMoveJumps];
};

// Follows the capture of `growing`, whose jumps are played, to every end it
// can have.
template <class Found>
void growCapture(Growing& growing, const Found& found) {
    const int jumps = growing.path.count - 1;
    if (sideToMove != growing.mover || continuationSquare == Square{} || jumps >= kMaxWholeMoveJumps) {
        found(growing.path, growing.jumps);
        return;
    }
    MoveList list;
    listLegalSteps(list);
    for (int i = 0; i < list.count; ++i) {
        const ListedMove& m = list.moves[i];
        playLegalMove(m.fromFile, m.fromRank, m.toFile, m.toRank, m.moveKind(), growing.jumps[jumps]);
        growing.path.squares[growing.path.count][0] = m.toFile;
        growing.path.squares[growing.path.count][1] = m.toRank;
        ++growing.path.count;
        growCapture(growing, found);
        --growing.path.count;
        restoreRecord(growing.jumps[jumps]);
    }
}

// The one grower of whole moves: hands each whole move of the side to move to
// `found(path, jumps)`, in the order listMovePaths promises. For a capture the
// jumps are played (the board stands after them) and `jumps` holds their
// records; a plain move is not played, and `jumps` is null.
template <class Found>
void growWholeMoves(const Found& found) {
    Growing growing;
    growing.mover = sideToMove;
    MoveList list;
    listLegalSteps(list);
    for (int i = 0; i < list.count; ++i) {
        const ListedMove& m = list.moves[i];
        MovePath& path = growing.path;
        path.count = 2;
        path.capture = m.kind == kCapture;
        path.squares[0][0] = m.fromFile;
        path.squares[0][1] = m.fromRank;
        path.squares[1][0] = m.toFile;
        path.squares[1][1] = m.toRank;
        if (!path.capture) {
            found(path, static_cast<const HistoryRecord*>(nullptr));
            continue;
        }
        playLegalMove(m.fromFile, m.fromRank, m.toFile, m.toRank, kCapture, growing.jumps[0]);
        growCapture(growing, found);
        restoreRecord(growing.jumps[0]);
    }
}

// A plain move listed by the grower, in full.
WholeMove plainWholeMove(const MovePath& path) {
    WholeMove move;
    move.squareCount = 2;
    for (int i = 0; i < 2; ++i) move.squares[i] = Square{path.squares[i][0], path.squares[i][1]};
    move.movingCode = pieceAt(move.from().file, move.from().rank);
    move.arrivingCode = arrivingCode(move.movingCode, move.to().rank);
    return move;
}

}  // namespace

void listMovePaths(MovePathList& list) {
    list.count = 0;
    growWholeMoves([&list](const MovePath& path, const HistoryRecord*) {
        if (list.count < kMaxListedPaths) list.paths[list.count++] = path;
    });
}

std::vector<WholeMove> listWholeMoves() {
    std::vector<WholeMove> moves;
    growWholeMoves([&moves](const MovePath& path, const HistoryRecord* jumps) {
        moves.push_back(jumps ? wholeMoveFromRecords(jumps, path.count - 1) : plainWholeMove(path));
    });
    return moves;
}

void playListedPath(const MovePath& path, HistoryRecord* records) {
    const MoveKind kind = path.capture ? kCapture : kPlainMove;
    for (int i = 0; i + 1 < path.count; ++i)
        playLegalMove(path.squares[i][0], path.squares[i][1], path.squares[i + 1][0], path.squares[i + 1][1], kind,
                      records[i]);
}

PathPlayed playSquares(const Square* squares, int count, HistoryRecord* records) {
    PathPlayed played;
    if (count < 2 || count > kMaxWholeMoveJumps + 1) return played;
    const Side mover = sideToMove;
    for (int i = 0; i + 1 < count; ++i) {
        const Square from = squares[i], to = squares[i + 1];
        const PieceCode code = pieceAt(from.file, from.rank);
        if (code == kEmpty || sideToMove != mover) break;
        const MoveKind kind = isLegalMove(from.file, from.rank, to.file, to.rank, code);
        // A plain step is a whole move by itself.
        if (kind == kIllegal || (kind == kPlainMove && count != 2)) break;
        playLegalMove(from.file, from.rank, to.file, to.rank, kind, records[i]);
        ++played.jumps;
    }
    played.complete = played.jumps == count - 1 && sideToMove != mover;
    return played;
}

void takeBackWholeMove(const HistoryRecord* records, int count) {
    for (int i = count - 1; i >= 0; --i) restoreRecord(records[i]);
}

WholeMove wholeMoveFromRecords(const HistoryRecord* records, int count) {
    WholeMove move;
    if (count <= 0) return move;
    move.movingCode = records[0].movingCode;
    move.squares[0] = Square{records[0].fromFile, records[0].fromRank};
    move.squareCount = 1;
    for (int i = 0; i < count && move.squareCount <= kMaxWholeMoveJumps; ++i) {
        const HistoryRecord& r = records[i];
        move.squares[move.squareCount++] = Square{r.toFile, r.toRank};
        if (r.capturedCode != kEmpty && move.capturedCount < kMaxWholeMoveJumps) {
            move.captured[move.capturedCount] = Square{r.capturedFile, r.capturedRank};
            move.capturedCodes[move.capturedCount++] = r.capturedCode;
        }
        move.arrivingCode = arrivingCode(r.movingCode, r.toRank);
    }
    return move;
}

std::vector<HistorySpan> wholeMoveSpans(const HistoryRecord* records, int count) {
    std::vector<HistorySpan> spans;
    for (int i = 0; i < count; ++i) {
        // A record made while a capture had to go on belongs to the move before.
        const bool continues = records[i].continuationFileBefore != 0 && !spans.empty() &&
                               records[i].sideBefore == records[spans.back().first].sideBefore;
        if (continues)
            ++spans.back().count;
        else
            spans.push_back(HistorySpan{i, 1});
    }
    return spans;
}

std::string wholeMoveText(const WholeMove& move, bool turned) {
    std::string text;
    for (int i = 0; i < move.squareCount; ++i) {
        if (i > 0) text += move.isCapture() ? ':' : '-';
        const Square s = move.squares[i];
        text += turned ? squareName(9 - s.file, 9 - s.rank) : squareName(s.file, s.rank);
    }
    return text;
}
