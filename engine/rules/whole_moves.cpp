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

// Extends `path` (its jumps already played) by every way the capture can go on.
void extendCapture(WholeMove& path, std::vector<WholeMove>& out) {
    const Side mover = sideOf(path.movingCode);
    if (sideToMove != mover || continuationSquare == Square{} || path.capturedCount >= kMaxWholeMoveJumps) {
        path.arrivingCode = pieceAt(path.to().file, path.to().rank);
        out.push_back(path);
        return;
    }
    MoveList list;
    listLegalSteps(list);
    for (int i = 0; i < list.count; ++i) {
        const ListedMove& m = list.moves[i];
        HistoryRecord record;
        playLegalMove(m.fromFile, m.fromRank, m.toFile, m.toRank, m.moveKind(), record);
        WholeMove longer = path;
        longer.squares[longer.squareCount++] = Square{m.toFile, m.toRank};
        longer.captured[longer.capturedCount] = Square{record.capturedFile, record.capturedRank};
        longer.capturedCodes[longer.capturedCount++] = record.capturedCode;
        extendCapture(longer, out);
        restoreRecord(record);
    }
}

}  // namespace

std::vector<WholeMove> listWholeMoves() {
    std::vector<WholeMove> out;
    MoveList list;
    listLegalSteps(list);
    for (int i = 0; i < list.count; ++i) {
        const ListedMove& m = list.moves[i];
        HistoryRecord record;
        playLegalMove(m.fromFile, m.fromRank, m.toFile, m.toRank, m.moveKind(), record);
        WholeMove move;
        move.movingCode = record.movingCode;
        move.squares[0] = Square{m.fromFile, m.fromRank};
        move.squares[1] = Square{m.toFile, m.toRank};
        move.squareCount = 2;
        if (m.kind == kCapture) {
            move.captured[0] = Square{record.capturedFile, record.capturedRank};
            move.capturedCodes[0] = record.capturedCode;
            move.capturedCount = 1;
            extendCapture(move, out);
        } else {
            move.arrivingCode = pieceAt(m.toFile, m.toRank);
            out.push_back(move);
        }
        restoreRecord(record);
    }
    return out;
}

MoveKind wholeMoveStepKind(const WholeMove& move, int index) {
    if (index < 0 || index + 1 >= move.squareCount) return kIllegal;
    const Square from = move.squares[index], to = move.squares[index + 1];
    const PieceCode code = pieceAt(from.file, from.rank);
    if (code == kEmpty || sideOf(code) != sideToMove) return kIllegal;
    const MoveKind kind = isLegalMove(from.file, from.rank, to.file, to.rank, code);
    if (kind == kIllegal || (kind == kPlainMove) != (move.squareCount == 2 && !move.isCapture())) return kIllegal;
    return kind;
}

int playWholeMove(const WholeMove& move, HistoryRecord* records) {
    int played = 0;
    for (int i = 0; i + 1 < move.squareCount; ++i) {
        const MoveKind kind = wholeMoveStepKind(move, i);
        if (kind == kIllegal) break;
        const Square from = move.squares[i], to = move.squares[i + 1];
        playLegalMove(from.file, from.rank, to.file, to.rank, kind, records[i]);
        ++played;
    }
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
