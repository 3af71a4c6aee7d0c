#include "tests/engine/test_positions.h"

#include <cstring>
#include <sstream>

#include "engine/execute.h"
#include "engine/search.h"

bool Snapshot::operator==(const Snapshot& o) const {
    return std::memcmp(cells, o.cells, sizeof cells) == 0 && side == o.side && cont == o.cont;
}

Snapshot takeSnapshot() {
    Snapshot s;
    std::memcpy(s.cells, board, sizeof board);
    s.side = sideToMove;
    s.cont = continuationSquare;
    return s;
}

std::string describe(const Snapshot& s) {
    std::ostringstream out;
    for (int r = 8; r >= 1; --r) {
        for (int f = 1; f <= 8; ++f) {
            const int c = s.cells[f][r];
            out << (c == 0 ? '.' : c == 1 ? 'w' : c == 11 ? 'W' : c == 2 ? 'b' : c == 22 ? 'B' : '?');
        }
        out << '/';
    }
    out << " side " << s.side << " cont " << s.cont.file << ',' << s.cont.rank;
    return out.str();
}

void resetEngineState() {
    std::memset(board, 0, sizeof board);
    sideToMove = 1;
    continuationSquare = Square{};
    greenSide = 1;
    computerActive = 1;
    historyCount = 0;
    rootListFilled = 0;
    rootMoveIndex = 0;
    clearTypedMove();
    clearCandidates();
    clearReachMaps();
    std::memset(plyRecords, 0, sizeof plyRecords);
}

void setPosition(const std::string& cells, Side side, Square cont) {
    resetEngineState();
    for (int i = 0; i < 64 && i < static_cast<int>(cells.size()); ++i) {
        const int rank = 8 - i / 8, file = i % 8 + 1;
        const char c = cells[i];
        board[file][rank] = c == 'w' ? 1 : c == 'W' ? 11 : c == 'b' ? 2 : c == 'B' ? 22 : 0;
    }
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
