#pragma once
// Writing a game record as PDN 3.0 for Russian draughts, the way draughts
// programs write it: the seven-tag roster, GameType "25", WhiteType/BlackType,
// SetUp/FEN for a game that did not start from the initial position,
// Termination and Seed when there are any; moves in algebraic squares seen from
// White ("c3-d4", a capture with every landing square "b6:d4:f2"), numbered,
// lines of at most 79 characters, the result last. The same record always
// gives the same bytes, and engine/records/pdn_read.h reads them back to the same record.

#include <string>

#include "engine/records/game_record.h"

// The game as one PDN text (ending in a line break).
std::string pdnText(const GameRecord& record);

// Whether a later jump of this capture passes over or lands on a square that an
// earlier jump freed. This game takes each captured piece off at once; in
// tournament rules they stay until the capture ends, so such a move is
// possible here only, and the writer says so in a comment after it.
bool crossesFreedSquare(const WholeMove& move);
