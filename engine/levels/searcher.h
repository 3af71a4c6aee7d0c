#pragma once
// The search of the levels of play, over whole moves (a capture of several
// pieces is one move) through the rules and the move path that the game uses.
// Alpha-beta over the moves of the side to move; a leaf where a capture is
// pending is never evaluated: captures are played out first. A line that comes
// back to a position of the game or of the line, or that completes a draw count
// of the rules (engine/rules/game_end.h), is a draw, worth 0: a level ahead
// steers clear of it and one behind makes for it. Every level but
// classic deepens one move at a time up to its depth (beginner and novice one
// and two, with seeded noise on their evaluation; club six; strong nine and
// expert without a limit, with a transposition table and ordered moves) within
// its time budget. Classic runs the original computer (engine/classic/search.h) one
// jump at a time until its turn is over.
//
// Determinism: for a given position, level, seed, set of earlier positions
// and draw counts, the move is always the same for the same finished depth
// (LevelResult::depth): a search stops at the deepest depth it finished in
// time, and a fixed depth removes the time.
//
// A search works on the calling thread's own position (engine/rules/board.h), which
// it sets from the request and puts back as it was afterwards, so it may run on
// any thread without touching the game's position.

#include <atomic>
#include <cstdint>
#include <optional>
#include <vector>

#include "engine/rules/board.h"
#include "engine/levels/levels.h"
#include "engine/rules/game_end.h"
#include "engine/rules/whole_moves.h"

// A won position is worth this, less one for each move it takes to win.
constexpr int kLevelWinScore = 30000;

struct LevelRequest {
    Position position;
    Level level = Level::Club;
    std::uint64_t seed = 0;
    // positionKey of the positions of the game that could come back (those since
    // the last capture or man's move); reaching one again counts as a draw.
    std::vector<std::uint64_t> earlierPositions;
    // The game's draw counts in `position` (GameJudge::counts()): the search
    // counts on along its lines and values a draw by the rules it reaches at 0.
    // None: the counts of a game that starts in `position`.
    std::optional<DrawCounts> drawCounts;
    // Search exactly this many whole moves deep, with no time limit (0: as the
    // level does). Not for classic.
    int fixedDepth = 0;
    // The best move only, no seeded choice among near-equal ones (the hint).
    bool bestOnly = false;
    // A time budget other than the level's, in seconds (0: the level's); a
    // fixed depth still removes the time.
    double budgetSeconds = 0;
    // A position with one move is searched all the same, so that the result
    // says what it is worth (a game's analysis); otherwise that move is given
    // at once with the score 0.
    bool valueOnlyMove = false;
    // The clock the time budget is read on, in seconds (null: the steady
    // clock). Tests give one that runs as on a slower machine.
    double (*clock)() = nullptr;
};

struct LevelResult {
    // False when the side to move has no move (it has lost), or when the search
    // was cancelled before it had chosen one.
    bool hasMove = false;
    bool cancelled = false;
    WholeMove move;
    // The deepest depth searched to the end, in whole moves (0 for a move that
    // was the only one, and for classic).
    int depth = 0;
    // The chosen move's value for the side to move, in hundredths of a man.
    int score = 0;
    std::int64_t nodes = 0;
};

// Chooses a move for the side to move of request.position. `cancel`, when
// given, is read as the search goes: once it is true the search stops within
// a millisecond or so (classic: after the jump it is searching) and the result
// says cancelled.
LevelResult searchLevel(const LevelRequest& request, const std::atomic<bool>* cancel = nullptr);

// A request for the position a game has reached (the last position `judge`
// saw), with its past: the positions that could come back and the draw counts.
LevelRequest requestForGame(const GameJudge& judge);

// The move the club level thinks best for the side to move (no seeded choice
// among equals); squareCount 0 when there is none. Some tens of milliseconds
// as a rule, never more than the club level's second.
WholeMove hintMove(const Position& position);

// A 64-bit key of the position (pieces and side to move), as the search and
// LevelRequest::earlierPositions use it.
std::uint64_t positionKey(const Position& position);
