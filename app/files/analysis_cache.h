#pragma once
// A game's analysis (engine/levels/analysis.h) kept in the cache folder,
// "$XDG_CACHE_HOME/draughts3d/analysis/", one small text file a game, named by
// a key of its start, its moves and the time a position was searched for: a
// game is analysed once, and a game played on from it is another game. The
// file is written atomically; one that is damaged, foreign or does not fit
// the game is taken as none, and the game is analysed again. No SDL, no GL.

#include <optional>
#include <string>

#include "engine/levels/analysis.h"

// Where the analysis of this request is kept ("" when no cache folder can be told).
std::string analysisCachePath(const AnalysisRequest& request);
// The kept analysis of this request, when there is one that fits its game.
std::optional<GameAnalysis> loadAnalysis(const AnalysisRequest& request);
// Keeps a complete analysis; false, with `error` saying why, when it cannot be written.
bool saveAnalysis(const AnalysisRequest& request, const GameAnalysis& analysis, std::string& error);
