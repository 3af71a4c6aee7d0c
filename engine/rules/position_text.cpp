#include "engine/rules/position_text.h"

namespace {
char pieceLetter(PieceCode code) {
    switch (code) {
        case kEmpty: return '.';
        case kMan1: return 'w';
        case kKing1: return 'W';
        case kMan2: return 'b';
        case kKing2: return 'B';
        default: return '?';
    }
}
}  // namespace

std::string squareName(int file, int rank) {
    return std::string(1, static_cast<char>('a' + file - 1)) + static_cast<char>('0' + rank);
}

bool parseSquare(const std::string& text, Square& square) {
    if (text.size() != 2 || text[0] < 'a' || text[0] > 'h' || text[1] < '1' || text[1] > '8') return false;
    square = Square{text[0] - 'a' + 1, text[1] - '0'};
    return true;
}

std::string cellsText(const Board& cells) {
    std::string s;
    for (int r = 8; r >= 1; --r)
        for (int f = 1; f <= 8; ++f) s += pieceLetter(cells[f][r]);
    return s;
}

bool parseCells(const std::string& text, Board& cells, std::string& error, bool lightSquaresToo) {
    if (text.size() != 64) {
        error = "the board needs 64 characters";
        return false;
    }
    Board next = {};
    for (int i = 0; i < 64; ++i) {
        const int rank = 8 - i / 8, file = i % 8 + 1;
        PieceCode code;
        switch (text[i]) {
            case '.': code = kEmpty; break;
            case 'w': code = kMan1; break;
            case 'W': code = kKing1; break;
            case 'b': code = kMan2; break;
            case 'B': code = kKing2; break;
            default: error = std::string("unknown piece '") + text[i] + "'"; return false;
        }
        if (code != kEmpty && (file + rank) % 2 != 0 && !lightSquaresToo) {
            error = "piece on light square " + squareName(file, rank);
            return false;
        }
        next[file][rank] = code;
    }
    for (int f = 0; f <= 8; ++f)
        for (int r = 0; r <= 8; ++r) cells[f][r] = next[f][r];
    return true;
}

std::string positionText(const Position& position) {
    const Square c = position.continuation;
    return cellsText(position.cells) + ' ' + std::to_string(position.side) + ' ' +
           (c == Square{} ? std::string("-") : squareName(c.file, c.rank));
}
