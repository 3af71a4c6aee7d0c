#include "engine/records/pdn_write.h"

namespace {

constexpr std::size_t kLineWidth = 79;

const char* const kFreedSquareComment =
    "{draughts3d takes each captured piece off at once, so a later jump of this capture crosses or lands on a "
    "square an earlier one freed}";

// A tag value in quotes, with the quote and the backslash escaped; a line break
// (which would end the tag) becomes a space.
std::string quoted(const std::string& value) {
    std::string text = "\"";
    for (char c : value) {
        if (c == '"' || c == '\\') text += '\\';
        text += (c == '\n' || c == '\r') ? ' ' : c;
    }
    return text + '"';
}

// Movetext words joined by spaces, a new line before a word that would pass the width.
struct Lines {
    std::string text, line;
    void add(const std::string& word) {
        if (!line.empty() && line.size() + 1 + word.size() > kLineWidth) {
            text += line + '\n';
            line.clear();
        }
        line += (line.empty() ? "" : " ") + word;
    }
    void addWords(const std::string& words) {
        std::size_t start = 0;
        while (start < words.size()) {
            std::size_t end = words.find(' ', start);
            if (end == std::string::npos) end = words.size();
            add(words.substr(start, end - start));
            start = end + 1;
        }
    }
};

}  // namespace

bool crossesFreedSquare(const WholeMove& move) {
    for (int jump = 1; jump < move.capturedCount && jump + 1 < move.squareCount; ++jump) {
        const Square from = move.squares[jump], to = move.squares[jump + 1];
        const int df = to.file > from.file ? 1 : -1, dr = to.rank > from.rank ? 1 : -1;
        for (Square s = from; s != to;) {
            s = Square{s.file + df, s.rank + dr};
            for (int earlier = 0; earlier < jump; ++earlier)
                if (s == move.captured[earlier]) return true;
            if (!onBoard(s.file, s.rank)) break;
        }
    }
    return false;
}

std::string pdnText(const GameRecord& record) {
    std::string text;
    const auto tag = [&text](const char* name, const std::string& value) {
        text += std::string("[") + name + ' ' + quoted(value) + "]\n";
    };
    tag("Event", record.event);
    tag("Site", record.site);
    tag("Date", record.date);
    tag("Round", record.round);
    tag("White", record.white);
    tag("Black", record.black);
    tag("Result", resultText(record.result));
    tag("GameType", "25");
    if (!record.whiteType.empty()) tag("WhiteType", record.whiteType);
    if (!record.blackType.empty()) tag("BlackType", record.blackType);
    const Position start = pdnView(record.start, record.greenSide);
    if (start != initialPosition(1)) {
        tag("SetUp", "1");
        tag("FEN", fenText(start));
    }
    if (!record.termination.empty()) tag("Termination", record.termination);
    if (record.seed) tag("Seed", std::to_string(*record.seed));
    for (const PdnTag& other : record.otherTags) text += '[' + other.name + ' ' + quoted(other.value) + "]\n";
    text += '\n';

    Lines lines;
    bool whiteToMove = start.side == 1;
    bool numberNext = true;  // Black's move after a comment (or first) repeats its number as "N..."
    int number = 1;
    for (const WholeMove& internal : record.moves) {
        const WholeMove move = pdnView(internal, record.greenSide);
        // A move number stays on the line of its move.
        const std::string text = wholeMoveText(move);
        if (whiteToMove)
            lines.add(std::to_string(number) + ". " + text);
        else if (numberNext)
            lines.add(std::to_string(number) + "... " + text);
        else
            lines.add(text);
        numberNext = crossesFreedSquare(move);
        if (numberNext) lines.addWords(kFreedSquareComment);
        if (!whiteToMove) ++number;
        whiteToMove = !whiteToMove;
    }
    lines.add(resultText(record.result));
    return text + lines.text + lines.line + '\n';
}
