#pragma once
// The text of a PDN file split into games, before any rule is looked at: the
// bytes made UTF-8, the tags, and the moves as written. Tolerant as readers of
// draughts books must be: tags in any order, move numbers "N." and "N...",
// comments {...} and ';', variations (...) (skipped), NAGs $n, marks such as
// "!?", "%" escape lines, captures with 'x' or ':', moves without a separator
// ("c3d4"), numbered squares ("22-18"), and the results 1-0 0-1 1/2-1/2 2-0
// 0-2 1-1 0-0 *. A variation belongs to its game: a line that begins with '['
// (the next game's tags) ends it, unclosed, even inside a comment of its own.
// engine/records/pdn_read.h replays what this finds.

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/records/game_record.h"

// The bytes as UTF-8: UTF-8 text as it is (a byte-order mark dropped), any
// other text read as Windows-1251, as older Russian draughts programs write.
std::string pdnTextAsUtf8(const std::string& bytes);

// A square as written: algebraic ("c3", a1 at White's lower left) or a number 1..32.
struct WrittenSquare {
    Square square;   // algebraic squares
    int number = 0;  // numbered squares; 0 for an algebraic one
};

// A move as written ("c3-d4", a part of the text being split: it lasts as long
// as that text) and where it stands; writtenSquares gives its squares.
struct WrittenMove {
    std::string_view text;
    int line = 0;
};

// The squares of a move the splitter took, two or more.
std::vector<WrittenSquare> writtenSquares(std::string_view move);

// No game holds more than these (none ever played comes near): a file that
// is one endless game is refused, not held whole in memory.
constexpr std::size_t kMostMovesInAGame = 10000;
constexpr std::size_t kMostTagsInAGame = 1000;

// One game as written. When `error` is set the game cannot be read (the
// rest of the game was skipped up to the next tags) and errorLine says where.
struct GameText {
    int line = 0;  // where the game begins
    std::vector<PdnTag> tags;
    std::vector<int> tagLines;
    std::vector<WrittenMove> moves;
    std::string resultToken;  // empty when the movetext had no result
    std::string error;
    int errorLine = 0;
};

// The games of a UTF-8 text, handed to `onGame` one at a time in order, so that
// only one game is held however many the text has. A text with nothing but
// white space and comments has none. The time taken grows with the text's
// length alone: a comment or a variation that is never closed is found so once,
// not once for every game after it.
void splitPdnGames(const std::string& text, const std::function<void(const GameText&)>& onGame);

// A result as written ("2-0" is Russian scoring for "1-0"); false for anything else.
bool parseResult(std::string_view text, GameResult& result);
