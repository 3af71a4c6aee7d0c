#pragma once
// The game on the live board judged by the rules' draws and losses
// (engine/rules/game_end.h), from what its take-back history holds: anyone who
// holds the live game (the engine tool, the game itself) asks here rather than
// keeping a judge of its own beside the history, which a take-back shortens.

#include "engine/rules/game_end.h"

// The judge of the whole moves on the history, from the position before its
// first jump (the game's start, or where `pos` or a kept game set it up; once a
// full history has forgotten its front, the earliest position it still holds).
// A capture still going on is not a move yet. The live position is left alone.
GameJudge judgeHistory();
