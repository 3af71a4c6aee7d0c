#include "engine/game/history_judge.h"

#include <vector>

#include "engine/game/game_state.h"
#include "engine/rules/execute.h"
#include "engine/rules/whole_moves.h"

GameJudge judgeHistory() {
    Position start;
    {
        const PositionScope scope(currentPosition());
        for (int i = historyCount - 1; i >= 0; --i) restoreRecord(history[i]);
        start = currentPosition();
    }
    std::vector<HistorySpan> spans = wholeMoveSpans(history, historyCount);
    if (continuationSquare != Square{} && !spans.empty()) spans.pop_back();
    std::vector<WholeMove> moves;
    for (const HistorySpan& span : spans) moves.push_back(wholeMoveFromRecords(history + span.first, span.count));
    return judgeGame(start, moves);
}
