#include "tests/engine/test_positions.h"

#include <gtest/gtest.h>

#include "engine/rules/execute.h"
#include "engine/classic/search.h"
#include "engine/game/turn.h"
#include "engine/rules/position_text.h"

std::string describe(const Snapshot& s) { return positionText(s); }

void resetEngineState() {
    greenSide = 1;
    resetGame();
    restorePosition(Position{});
}

void setPosition(const std::string& cells, Side side, Square cont) {
    resetEngineState();
    std::string error;
    if (!parseCells(cells, board, error)) ADD_FAILURE() << "test position \"" << cells << "\": " << error;
    sideToMove = side;
    continuationSquare = cont;
}

Square sq(const char* name) { return Square{name[0] - 'a' + 1, name[1] - '0'}; }

void setPieces(const std::vector<Placed>& pieces, Side side, Square cont) {
    resetEngineState();
    for (const Placed& p : pieces) {
        const Square s = sq(p.square);
        board[s.file][s.rank] = p.code;
    }
    sideToMove = side;
    continuationSquare = cont;
}

bool randomPlay(std::mt19937& rng, int plies) {
    resetEngineState();
    setupInitialPosition();
    for (int i = 0; i < plies; ++i) {
        MoveList list;
        listLegalMoves(list);
        if (list.count == 0) return false;
        const ListedMove& m = list.moves[std::uniform_int_distribution<int>(0, list.count - 1)(rng)];
        executeMove(m.fromFile, m.fromRank, m.toFile, m.toRank, board[m.fromFile][m.fromRank]);
    }
    return true;
}
