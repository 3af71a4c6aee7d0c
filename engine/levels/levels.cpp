#include "engine/levels/levels.h"

#include "engine/rules/translation.h"

namespace {

struct LevelEntry {
    Level level;
    const char* name;
    const char* title;  // in English, as records name the computer; tr() it to show it
};

constexpr LevelEntry kEntries[] = {
    {Level::Beginner, "beginner", N_("Beginner")},
    {Level::Novice, "novice", N_("Novice")},
    {Level::Club, "club", N_("Club")},
    {Level::Strong, "strong", N_("Strong")},
    {Level::Expert, "expert", N_("Expert")},
    {Level::Classic, "classic", N_("Classic")},
};

const LevelEntry& entryOf(Level level) {
    for (const LevelEntry& e : kEntries)
        if (e.level == level) return e;
    return kEntries[5];
}

}  // namespace

const char* levelName(Level level) { return entryOf(level).name; }
const char* levelTitle(Level level) { return entryOf(level).title; }

bool parseLevel(const std::string& name, Level& level) {
    for (const LevelEntry& e : kEntries)
        if (name == e.name) {
            level = e.level;
            return true;
        }
    return false;
}

std::string levelNames() {
    std::string names;
    for (const LevelEntry& e : kEntries) names += std::string(names.empty() ? "" : ", ") + e.name;
    return names;
}

LevelSettings levelSettings(Level level) {
    LevelSettings s;
    switch (level) {
        case Level::Beginner:
            s.maxDepth = 1;
            s.budgetSeconds = 1.0;
            s.noise = 90;
            s.varietyMargin = 30;
            break;
        case Level::Novice:
            s.maxDepth = 2;
            s.budgetSeconds = 1.0;
            s.noise = 35;
            s.varietyMargin = 12;
            break;
        case Level::Club:
            s.maxDepth = 6;
            s.budgetSeconds = 1.0;
            s.varietyMargin = 4;
            break;
        case Level::Strong:
            // Nine moves deep at most: uncapped, it came within two or three
            // moves of expert's depth and within a few points of its score.
            s.maxDepth = 9;
            s.budgetSeconds = 1.0;
            s.varietyMargin = 3;
            s.transpositionTable = true;
            s.orderMoves = true;
            s.threatExtensions = 2;
            break;
        case Level::Expert:
            s.maxDepth = 60;
            s.budgetSeconds = 3.0;
            s.varietyMargin = 2;
            s.transpositionTable = true;
            s.orderMoves = true;
            s.lateMoveReductions = true;
            s.threatExtensions = 2;
            break;
        case Level::Classic: break;
    }
    return s;
}
