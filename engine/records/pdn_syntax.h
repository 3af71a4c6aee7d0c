#pragma once
// The text of a PDN file split into games, before any rule is looked at: the
// bytes made UTF-8, the tags, and the moves as written. Tolerant as readers of
// draughts books must be: tags in any order, move numbers "N." and "N...",
// comments {...} and ';', variations (...) (skipped), NAGs $n, marks such as
// "!?", "%" escape lines, captures with 'x' or ':', moves without a separator
// ("c3d4"), numbered squares ("22-18"), and the results 1-0 0-1 1/2-1/2 2-0
// 0-2 1-1 0-0 *. engine/records/pdn_read.h replays what this finds.

#include <string>
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

// A move as written: its squares (two or more) and where it stands.
struct WrittenMove {
    std::vector<WrittenSquare> squares;
    std::string text;
    int line = 0;
};

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

// The games of a UTF-8 text, in order. A text with nothing but white space and
// comments has none.
std::vector<GameText> splitPdnGames(const std::string& text);

// A result as written ("2-0" is Russian scoring for "1-0"); false for anything else.
bool parseResult(const std::string& text, GameResult& result);
