#include "engine/rules/perft.h"

#include "engine/rules/board.h"
#include "engine/rules/execute.h"
#include "engine/rules/legal_moves.h"

std::uint64_t perft(int depth, bool wholeTurns) {
    if (depth == 0) return 1;
    MoveList list;
    listLegalSteps(list);
    std::uint64_t leaves = 0;
    for (int i = 0; i < list.count; ++i) {
        const ListedMove& m = list.moves[i];
        HistoryRecord record;
        const Side before = sideToMove;
        playLegalMove(m.fromFile, m.fromRank, m.toFile, m.toRank, m.moveKind(), record);
        const bool turnOver = !wholeTurns || sideToMove != before;
        leaves += perft(turnOver ? depth - 1 : depth, wholeTurns);
        restoreRecord(record);
    }
    return leaves;
}
