#pragma once
// The computer's levels of play, weakest first, and what each one searches.
// Classic is the original game's computer (engine/classic/search.h), kept exactly as
// it was; the others search whole moves (engine/levels/searcher.h) with the
// evaluation of engine/levels/evaluation.h.

#include <string>

enum class Level : int { Beginner, Novice, Club, Strong, Expert, Classic };

constexpr Level kAllLevels[] = {Level::Beginner, Level::Novice, Level::Club,
                                Level::Strong,   Level::Expert, Level::Classic};

// "beginner", "novice", "club", "strong", "expert", "classic".
const char* levelName(Level level);
// The same names capitalised, as a menu shows them and records name the
// computer: "Club". In English; tr(levelTitle(level)) is the title on screen.
const char* levelTitle(Level level);
// Reads a level's name; false for anything else.
bool parseLevel(const std::string& name, Level& level);
// The names, comma-separated, for error messages and usage texts.
std::string levelNames();

// How a level other than classic searches. Depths count whole moves (a
// capture of several pieces is one move).
struct LevelSettings {
    int maxDepth = 1;
    // The search stops at the deepest finished depth once this much time has
    // gone (0: no limit), and starts no depth that it expects to go beyond it.
    double budgetSeconds = 0;
    // Leaf evaluations are shifted by a seeded amount of up to this many
    // hundredths of a man either way (the weak levels' mistakes).
    int noise = 0;
    // Root moves whose value is at most this far below the best are equally
    // good, and the seed picks one of them.
    int varietyMargin = 0;
    bool transpositionTable = false;
    // Killer moves and the history table order the quiet moves.
    bool orderMoves = false;
    // Quiet moves late in the order are searched a move shallower first, and
    // again at full depth only when they turn out better than expected.
    bool lateMoveReductions = false;
    // A leaf where the other side threatens a capture is searched a move
    // further (at most this many times in one line).
    int threatExtensions = 0;
};

LevelSettings levelSettings(Level level);
