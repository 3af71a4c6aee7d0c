#include "engine/records/pdn_read.h"

#include <cctype>
#include <cstring>

#include "engine/records/pdn_syntax.h"
#include "engine/records/quoted_text.h"
#include "engine/rules/position_text.h"
#include "engine/rules/rules.h"

namespace {

// The two numberings of the 8x8 board's playing squares.
enum Numbering { kWhiteOnHighNumbers = 0, kWhiteOnLowNumbers = 1 };

// A capture written from/to only is looked for among at most this many steps.
constexpr int kSearchStepLimit = 20000;

// 1..4 are b8 d8 f8 h8, 5..8 a7 c7 e7 g7, ... 29..32 a1 c1 e1 g1; or all of it turned.
Square numberedSquare(int number, Numbering numbering) {
    const int index = number - 1, rank = 8 - index / 4;
    const Square square{2 * (index % 4) + (rank % 2 == 0 ? 2 : 1), rank};
    return numbering == kWhiteOnLowNumbers ? turnedSquare(square) : square;
}

Square boardSquare(const WrittenSquare& written, Numbering numbering) {
    return written.number != 0 ? numberedSquare(written.number, numbering) : written.square;
}

const char* sideName(Side side) { return side == 1 ? "White" : "Black"; }

char upper(char c) { return static_cast<char>(std::toupper(static_cast<unsigned char>(c))); }

// A number 1..32 of one or two digits.
bool squareNumber(const std::string& digits, int& value) {
    if (digits.empty() || digits.size() > 2 || digits.find_first_not_of("0123456789") != std::string::npos)
        return false;
    value = std::stoi(digits);
    return value >= 1 && value <= 32;
}

// The squares of one item of a FEN's list: "c3", "21" or a range "21-32".
bool fenSquares(const std::string& item, Numbering numbering, std::vector<Square>& squares, bool& numbered) {
    Square square;
    if (item.size() == 2) {
        const std::string lower{char(std::tolower(static_cast<unsigned char>(item[0]))), item[1]};
        if (parseSquare(lower, square)) {
            squares.push_back(square);
            return true;
        }
    }
    const std::size_t dash = item.find('-');
    int first = 0, last = 0;
    if (dash == std::string::npos
            ? !squareNumber(item, first) || !squareNumber(item, last)
            : !squareNumber(item.substr(0, dash), first) || !squareNumber(item.substr(dash + 1), last) || first > last)
        return false;
    numbered = true;
    for (int n = first; n <= last; ++n) squares.push_back(numberedSquare(n, numbering));
    return true;
}

// Reads a FEN ("W:W21-32:B1-12", "B:Wa1,Kc3:Bh8.") into a position as PDN sees
// it. `numbered` tells whether it named any square by number.
bool parseFen(const std::string& fen, Numbering numbering, Position& out, std::string& error, bool& numbered) {
    std::string text;
    for (char c : fen)
        if (c != ' ' && c != '\t') text += c;
    while (!text.empty() && text.back() == '.') text.pop_back();
    out = Position{};
    std::vector<std::string> fields;
    for (std::size_t start = 0;;) {
        const std::size_t colon = text.find(':', start);
        fields.push_back(text.substr(start, colon - start));
        if (colon == std::string::npos) break;
        start = colon + 1;
    }
    const std::string& turn = fields[0];
    if (turn.size() != 1 || (upper(turn[0]) != 'W' && upper(turn[0]) != 'B')) {
        error = "the FEN must begin with W or B, the side to move";
        return false;
    }
    out.side = upper(turn[0]) == 'W' ? 1 : 2;
    for (std::size_t f = 1; f < fields.size(); ++f) {
        const std::string& field = fields[f];
        const char colour = field.empty() ? '\0' : upper(field[0]);
        if (colour != 'W' && colour != 'B') {
            error = "the FEN's part '" + excerpt(field) + "' names neither W nor B";
            return false;
        }
        const Side side = colour == 'W' ? 1 : 2;
        for (std::size_t start = 1; start < field.size();) {
            std::size_t comma = field.find(',', start);
            if (comma == std::string::npos) comma = field.size();
            std::string item = field.substr(start, comma - start);
            start = comma + 1;
            if (item.empty()) continue;
            const bool king = upper(item[0]) == 'K';
            if (king) item.erase(0, 1);
            std::vector<Square> squares;
            if (!fenSquares(item, numbering, squares, numbered)) {
                error = "the FEN's square '" + excerpt(item) +
                        "' is neither a1..h8 nor a number 1..32 (nor a range, 21-32)";
                return false;
            }
            for (const Square& s : squares) {
                if ((s.file + s.rank) % 2 != 0) {
                    error = "the FEN puts a piece on the light square " + squareName(s.file, s.rank);
                    return false;
                }
                if (out.cells[s.file][s.rank] != kEmpty) {
                    error = "the FEN names " + squareName(s.file, s.rank) + " twice";
                    return false;
                }
                out.cells[s.file][s.rank] = king ? (side == 1 ? kKing1 : kKing2) : (side == 1 ? kMan1 : kMan2);
            }
        }
    }
    return true;
}

// Whether `move` goes from the first written square to the last through the
// ones written between, in order ("c3:g3" is c3:e5:g3).
bool passesThrough(const WholeMove& move, const std::vector<Square>& written) {
    if (move.from() != written[0] || move.to() != written.back()) return false;
    std::size_t matched = 1;
    for (int i = 1; i < move.squareCount; ++i)
        if (matched < written.size() && move.squares[i] == written[matched]) ++matched;
    return matched == written.size();
}

// How many squares two paths from the same square share before they part.
int sharedSquares(const WholeMove& a, const WholeMove& b) {
    int shared = 0;
    while (shared < a.squareCount && shared < b.squareCount && a.squares[shared] == b.squares[shared]) ++shared;
    return shared;
}

// The whole moves that pass through the written squares, in the order they are
// listed (at most two are looked for: one is the answer, two are too many).
// The moves of the written piece are taken in order as one walk of their steps
// (a step shared by two moves counted once); when the answer takes more than
// kSearchStepLimit steps, the move can be read too many ways.
struct WrittenReading {
    std::vector<WholeMove> found;
    bool tooMany = false;
};

WrittenReading readWritten(const std::vector<Square>& written) {
    WrittenReading reading;
    const std::vector<WholeMove> moves = listWholeMoves();
    const WholeMove* previous = nullptr;
    int steps = 0;
    for (const WholeMove& move : moves) {
        if (move.from() != written[0]) continue;
        steps += move.squareCount - (previous ? sharedSquares(*previous, move) : 1);
        previous = &move;
        if (steps > kSearchStepLimit) {
            reading.tooMany = true;
            break;
        }
        if (!passesThrough(move, written)) continue;
        reading.found.push_back(move);
        if (reading.found.size() == 2) break;
    }
    return reading;
}

std::string pathText(const WholeMove& move) {
    std::string text;
    for (int i = 0; i < move.squareCount; ++i)
        text += (i == 0 ? "" : ":") + squareName(move.squares[i].file, move.squares[i].rank);
    return text;
}

// Plays the written move on the live board as the one whole move it means.
bool playWritten(const std::vector<Square>& written, const std::string& text, WholeMove& move, std::string& error) {
    HistoryRecord records[kMaxWholeMoveJumps];
    PathPlayed played = playSquares(written.data(), static_cast<int>(written.size()), records);
    if (!played.complete) {
        takeBackWholeMove(records, played.jumps);
        const WrittenReading reading = readWritten(written);
        if (reading.tooMany) {
            error = text + " can be read too many ways to check: write every landing square";
            return false;
        }
        if (reading.found.size() > 1) {
            error = text + " could be " + pathText(reading.found[0]) + " or " + pathText(reading.found[1]) +
                    ": write every landing square";
            return false;
        }
        if (!reading.found.empty()) played = playWholeMove(reading.found[0], records);
        if (!played.complete) {
            takeBackWholeMove(records, played.jumps);
            error = text + " is not a legal move for " + sideName(sideToMove);
            return false;
        }
    }
    move = wholeMoveFromRecords(records, played.jumps);
    return true;
}

// A game replayed under one numbering: how far it got, and its moves and
// position as PDN sees them.
struct Replay {
    bool ok = false;
    int movesPlayed = -1;  // -1: the start position itself failed
    int errorLine = 0;
    std::string error;
    Position start;
    std::vector<WholeMove> moves;
};

Replay replay(const GameText& game, const std::string* fen, int fenLine, Numbering numbering, bool& numbered) {
    Replay result;
    result.start = initialPosition(1);
    if (fen && !parseFen(*fen, numbering, result.start, result.error, numbered)) {
        result.errorLine = fenLine;
        return result;
    }
    restorePosition(result.start);
    if (const char* fault = positionFault()) {
        result.errorLine = fenLine;
        result.error = std::string("the FEN's position is not possible: ") + fault;
        return result;
    }
    result.movesPlayed = 0;
    for (const WrittenMove& written : game.moves) {
        std::vector<Square> squares;
        for (const WrittenSquare& s : writtenSquares(written.text)) squares.push_back(boardSquare(s, numbering));
        WholeMove move;
        if (!playWritten(squares, excerpt(std::string(written.text)), move, result.error)) {
            result.errorLine = written.line;
            return result;
        }
        result.moves.push_back(move);
        ++result.movesPlayed;
    }
    result.ok = true;
    return result;
}

PdnGame readGame(const GameText& text, int number) {
    PdnGame game;
    game.number = number;
    game.line = text.line;
    if (!text.error.empty()) {
        game.errorLine = text.errorLine;
        game.error = text.error;
        return game;
    }
    GameRecord& record = game.record;
    const std::string* fen = nullptr;
    const std::string* resultTag = nullptr;
    int fenLine = text.line;
    for (std::size_t i = 0; i < text.tags.size(); ++i) {
        const PdnTag& tag = text.tags[i];
        std::string* field = nullptr;
        const struct {
            const char* name;
            std::string* field;
        } named[] = {
            {"Event", &record.event},         {"Site", &record.site},           {"Date", &record.date},
            {"Round", &record.round},         {"White", &record.white},         {"Black", &record.black},
            {"WhiteType", &record.whiteType}, {"BlackType", &record.blackType}, {"Termination", &record.termination}};
        for (const auto& n : named)
            if (equalsIgnoringCase(tag.name, n.name)) field = n.field;
        if (field) {
            *field = tag.value;
        } else if (equalsIgnoringCase(tag.name, "FEN")) {
            fen = &tag.value;
            fenLine = text.tagLines[i];
        } else if (equalsIgnoringCase(tag.name, "Result")) {
            resultTag = &tag.value;
        } else if (equalsIgnoringCase(tag.name, "GameType")) {
            // The short form "25" or the long one "25,W,8,8,A0,0"; none written means Russian.
            std::string type = tag.value.substr(0, tag.value.find(','));
            type.erase(0, type.find_first_not_of(' '));
            type.erase(type.find_last_not_of(' ') + 1);
            if (!type.empty() && type != "25") {
                game.errorLine = text.tagLines[i];
                game.error = "GameType " + excerpt(type) + " is not Russian draughts (25)";
                return game;
            }
        } else if (equalsIgnoringCase(tag.name, "Seed") && !tag.value.empty() && tag.value.size() <= 19 &&
                   tag.value.find_first_not_of("0123456789") == std::string::npos) {
            record.seed = std::stoull(tag.value);
        } else if (!equalsIgnoringCase(tag.name, "SetUp")) {
            record.otherTags.push_back(tag);
        }
    }

    // Numbered squares are tried under both numberings; the first under which
    // every move is legal wins, else the one that got further tells the fault.
    bool numbered = false;
    for (const WrittenMove& move : text.moves)
        numbered = numbered || std::isdigit(static_cast<unsigned char>(move.text[0]));
    Replay best = replay(text, fen, fenLine, kWhiteOnHighNumbers, numbered);
    Position final = currentPosition();
    if (!best.ok && numbered) {
        Replay other = replay(text, fen, fenLine, kWhiteOnLowNumbers, numbered);
        if (other.ok || other.movesPlayed > best.movesPlayed) {
            best = other;
            final = currentPosition();
        }
    }
    if (!best.ok) {
        game.errorLine = best.errorLine;
        game.error = best.error;
        return game;
    }

    const std::string written = !text.resultToken.empty() ? text.resultToken : resultTag ? *resultTag : "*";
    if (!parseResult(written, record.result)) record.result = GameResult::Unfinished;
    const bool playerIsBlack =
        equalsIgnoringCase(record.blackType, "human") && !equalsIgnoringCase(record.whiteType, "human");
    record.greenSide = playerIsBlack ? 2 : 1;
    record.start = pdnView(best.start, record.greenSide);
    for (const WholeMove& move : best.moves) record.moves.push_back(pdnView(move, record.greenSide));
    game.finalPosition = final;
    game.ok = true;
    return game;
}

}  // namespace

int readPdnGames(const std::string& bytes, const std::function<void(const PdnGame&)>& visit) {
    const PositionScope scope(currentPosition());
    int count = 0;
    splitPdnGames(pdnTextAsUtf8(bytes), [&](const GameText& text) { visit(readGame(text, ++count)); });
    return count;
}

PdnFileGame readPdnGame(const std::string& bytes, int number) {
    PdnFileGame file;
    const PositionScope scope(currentPosition());
    splitPdnGames(pdnTextAsUtf8(bytes), [&](const GameText& text) {
        if (++file.gameCount == number) file.game = readGame(text, number);
    });
    file.found = number >= 1 && number <= file.gameCount;
    if (file.gameCount == 0) file.error = "no game in the file";
    return file;
}

PdnFile readPdnText(const std::string& bytes) {
    PdnFile file;
    readPdnGames(bytes, [&](const PdnGame& game) { file.games.push_back(game); });
    if (file.games.empty()) file.error = "no game in the file";
    return file;
}

std::string pdnGameError(const std::string& fileName, const PdnGame& game) {
    return fileName + ": game " + std::to_string(game.number) + ", line " +
           std::to_string(game.errorLine ? game.errorLine : game.line) + ": " + game.error;
}
