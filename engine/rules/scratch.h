#pragma once
// The engine's own working state, read and written only inside engine/ (and by
// the engine's tests): the reach maps of the rules, the probe and root copies of
// the position, the search's per-depth move records and the root move it is
// exploring. All of it is per thread, as the position is (engine/rules/board.h).

#include "engine/rules/board.h"

// For one piece: 0 unreachable, 1 a plain move ends here, 2 a capture lands here.
using ReachMap = std::int32_t[9][9];

extern thread_local ReachMap reachMap;
extern thread_local ReachMap reachMapSave;

// The probe copy (a king's capture probes try landing squares on the live board)
// and the root copy (the position a search started from).
extern thread_local Position probeCopy;
extern thread_local Position rootCopy;

// One record per search depth, to undo the move tried there.
extern thread_local HistoryRecord plyRecords[kPlyRecordCount];
// Index in `candidates` of the root move whose line the search is exploring.
extern thread_local int rootMoveIndex;

void clearReachMaps();
void saveReachMap();
void restoreReachMap();
void saveProbeBoard();
void restoreProbeBoard();
void saveRootPosition();
