#pragma once
// A position written as text, the way the engine tool, the tests and the
// benches read and write it: 64 characters from rank 8 down to rank 1, each rank
// from file a to h; '.' empty, 'w' a man of side 1, 'W' its king, 'b' a man of
// side 2, 'B' its king. Squares are named as the players type them, "c3".

#include <string>

#include "engine/rules/board.h"

std::string squareName(int file, int rank);
// Reads "a1".."h8"; false for anything else.
bool parseSquare(const std::string& text, Square& square);

std::string cellsText(const Board& cells);
// Reads the 64 characters into `cells`. False, with the reason in `error`, for a
// text of another length, an unknown character or (unless `lightSquaresToo`) a
// piece on a light square.
bool parseCells(const std::string& text, Board& cells, std::string& error, bool lightSquaresToo = false);

// The cells, the side to move and the continuation square ("-" for none):
// "<64 chars> 2 d4".
std::string positionText(const Position& position);
