#pragma once
// The middle game that the frame benchmark and the pixel-identity test draw:
// men and kings of both sides, c3 typed as the from-square and d as the to-file,
// so both highlights show.

#include "engine/game/game_state.h"
#include "engine/rules/board.h"

inline void setUpMiddleGameBoard() {
    for (int f = 1; f <= 8; ++f)
        for (int r = 1; r <= 8; ++r) board[f][r] = kEmpty;
    board[1][1] = kMan1;
    board[3][1] = kMan1;
    board[2][2] = kMan1;
    board[3][3] = kMan1;
    board[5][3] = kKing1;
    board[4][4] = kMan1;
    board[7][5] = kKing1;
    board[6][6] = kMan2;
    board[8][6] = kMan2;
    board[5][7] = kMan2;
    board[2][6] = kKing2;
    board[4][8] = kMan2;
    board[8][8] = kKing2;
    typedMove[1] = 3;  // c3
    typedMove[2] = 3;
    typedMove[3] = 4;  // to file d
}
