#include "engine/records/pdn_syntax.h"

#include <cctype>
#include <cstdint>

#include "engine/records/quoted_text.h"

namespace {

// Windows-1251 bytes 0x80..0xBF as Unicode (0x98 has no character); 0xC0..0xFF
// are U+0410..U+044F.
const std::uint16_t kCp1251High[64] = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021, 0x20AC, 0x2030, 0x0409, 0x2039, 0x040A,
    0x040C, 0x040B, 0x040F, 0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, 0xFFFD, 0x2122,
    0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F, 0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6,
    0x00A7, 0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407, 0x00B0, 0x00B1, 0x0406, 0x0456,
    0x0491, 0x00B5, 0x00B6, 0x00B7, 0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457};

void appendUtf8(std::string& out, unsigned code) {
    if (code < 0x80) {
        out += char(code);
    } else if (code < 0x800) {
        out += char(0xC0 | code >> 6);
        out += char(0x80 | (code & 0x3F));
    } else {
        out += char(0xE0 | code >> 12);
        out += char(0x80 | (code >> 6 & 0x3F));
        out += char(0x80 | (code & 0x3F));
    }
}

// Well-formed UTF-8: no overlong forms, no surrogates, nothing past U+10FFFF.
bool isUtf8(const std::string& bytes) {
    const std::size_t n = bytes.size();
    for (std::size_t i = 0; i < n;) {
        const unsigned char c = bytes[i];
        int more;
        unsigned code, least;
        if (c < 0x80) {
            ++i;
            continue;
        } else if ((c & 0xE0) == 0xC0) {
            more = 1, code = c & 0x1F, least = 0x80;
        } else if ((c & 0xF0) == 0xE0) {
            more = 2, code = c & 0x0F, least = 0x800;
        } else if ((c & 0xF8) == 0xF0) {
            more = 3, code = c & 0x07, least = 0x10000;
        } else {
            return false;
        }
        if (n - i <= std::size_t(more)) return false;
        for (int k = 1; k <= more; ++k) {
            const unsigned char next = bytes[i + k];
            if ((next & 0xC0) != 0x80) return false;
            code = code << 6 | (next & 0x3F);
        }
        if (code < least || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return false;
        i += more + 1;
    }
    return true;
}

bool isSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v'; }
bool isDigit(char c) { return c >= '0' && c <= '9'; }
bool isFileLetter(char c) { return (c >= 'a' && c <= 'h') || (c >= 'A' && c <= 'H'); }
bool isDelimiter(char c) {
    return isSpace(c) || c == '{' || c == '}' || c == '(' || c == ')' || c == '[' || c == ']' || c == ';';
}

// Reads one move ("c3-d4", "b6:d4:f2", "c3xe5", "c3d4", "22-18", "22x15") into
// `squares`; false when `word` is not a move.
bool parseMove(std::string_view word, std::vector<WrittenSquare>& squares) {
    squares.clear();
    std::size_t i = 0;
    const std::size_t n = word.size();
    while (true) {
        WrittenSquare square;
        if (i + 1 < n && isFileLetter(word[i]) && word[i + 1] >= '1' && word[i + 1] <= '8') {
            square.square = Square{(word[i] | 0x20) - 'a' + 1, word[i + 1] - '0'};
            i += 2;
        } else if (i < n && isDigit(word[i])) {
            int number = 0, digits = 0;
            while (i < n && isDigit(word[i]) && digits < 3) number = number * 10 + (word[i++] - '0'), ++digits;
            if (number < 1 || number > 32) return false;
            square.number = number;
        } else {
            return false;
        }
        if (!squares.empty() && (squares.back().number == 0) != (square.number == 0)) return false;
        squares.push_back(square);
        if (squares.size() > kMaxWholeMoveJumps + 1) return false;
        if (i == n) break;
        const char separator = word[i];
        if (separator == '-' || separator == ':' || separator == 'x' || separator == 'X')
            ++i;
        else if (!(square.number == 0 && isFileLetter(separator)))
            return false;
    }
    return squares.size() >= 2;
}

// Walks the text once, cutting it into games.
class Splitter {
public:
    Splitter(const std::string& text, const std::function<void(const GameText&)>& onGame)
        : s_(text), onGame_(onGame), lastClose_(text.rfind('}')) {}

    void run() {
        bool lineStart = true;
        while (pos_ < s_.size()) {
            const char c = s_[pos_];
            if (c == '\n') {
                ++line_, ++pos_, lineStart = true;
                continue;
            }
            if (isSpace(c)) {
                ++pos_;
                continue;
            }
            if (c == '%' && lineStart) {
                skipLine();
                continue;
            }
            lineStart = false;
            if (c == '[')
                tag();
            else if (c == '{')
                comment();
            else if (c == ';')
                skipLine();
            else if (c == '(')
                variation();
            else if (c == ')')
                ++pos_;  // a variation's end with no beginning: nothing to skip
            else if (c == ']' || c == '}')
                fail(std::string("unexpected '") + c + "'");
            else
                word();
        }
        finish();
    }

private:
    const std::string& s_;
    const std::function<void(const GameText&)>& onGame_;
    // Where the text's last '}' stands (npos: none): a comment opened after it
    // is never closed, which is known without reading on to the end.
    const std::size_t lastClose_;
    std::size_t pos_ = 0;
    int line_ = 1;
    GameText game_;
    std::vector<WrittenSquare> squares_;  // a word's squares, kept for its allocation
    bool begun_ = false, moveText_ = false;

    void begin() {
        if (!begun_) game_.line = line_;
        begun_ = true;
    }
    void finish() {
        if (begun_) onGame_(game_);
        game_ = GameText{};
        begun_ = moveText_ = false;
    }
    void skipLine() {
        while (pos_ < s_.size() && s_[pos_] != '\n') ++pos_;
    }
    // Whether a line that begins with '[' follows pos_ (a '\n' there).
    bool tagsFollow() const { return pos_ + 1 < s_.size() && s_[pos_ + 1] == '['; }
    // The game cannot be read: note why, skip to the next line that begins a tag.
    void fail(const std::string& reason) {
        begin();
        if (game_.error.empty()) {
            game_.error = reason;
            game_.errorLine = line_;
        }
        while (pos_ < s_.size()) {
            if (s_[pos_] == '\n') {
                ++line_;
                if (tagsFollow()) {
                    ++pos_;
                    break;
                }
            }
            ++pos_;
        }
        finish();
    }

    void tag() {
        if (moveText_) finish();
        begin();
        std::size_t i = pos_ + 1;
        const auto skipBlanks = [&] {
            while (i < s_.size() && (s_[i] == ' ' || s_[i] == '\t')) ++i;
        };
        skipBlanks();
        PdnTag tag;
        while (i < s_.size() && (std::isalnum(static_cast<unsigned char>(s_[i])) || s_[i] == '_')) tag.name += s_[i++];
        skipBlanks();
        if (tag.name.empty() || i >= s_.size() || s_[i] != '"') return fail("a tag must be [Name \"value\"]");
        for (++i; i < s_.size() && s_[i] != '"' && s_[i] != '\n'; ++i) {
            if (s_[i] == '\\' && i + 1 < s_.size() && (s_[i + 1] == '"' || s_[i + 1] == '\\')) ++i;
            tag.value += s_[i];
        }
        if (i >= s_.size() || s_[i] != '"') return fail("the tag's value has no closing quote on its line");
        ++i;
        skipBlanks();
        if (i >= s_.size() || s_[i] != ']') return fail("the tag has no closing ']' on its line");
        if (game_.tags.size() == kMostTagsInAGame)
            return fail("the game has more than " + std::to_string(kMostTagsInAGame) + " tags");
        pos_ = i + 1;
        game_.tags.push_back(tag);
        game_.tagLines.push_back(line_);
    }

    // An opening that never closes is reported where it stands, and the reading
    // goes on at the next tags after it.
    void comment() {
        if (lastClose_ == std::string::npos || lastClose_ < pos_) return fail("a comment '{' is never closed");
        for (++pos_; s_[pos_] != '}'; ++pos_)
            if (s_[pos_] == '\n') ++line_;
        ++pos_;
    }
    // Skips (...), with the variations and comments inside it. The next tags
    // end it: it is then reported unclosed, and the reading goes on from them,
    // so no part of the text is read for more than one variation.
    void variation() {
        const std::size_t at = pos_;
        const int opened = line_;
        int depth = 0;
        bool inComment = false;
        for (; pos_ < s_.size(); ++pos_) {
            const char c = s_[pos_];
            if (c == '\n') {
                if (tagsFollow()) break;
                ++line_;
            } else if (inComment) {
                inComment = c != '}';
            } else if (c == '{') {
                inComment = true;
            } else if (c == ';') {
                while (pos_ + 1 < s_.size() && s_[pos_ + 1] != '\n') ++pos_;
            } else if (c == '(') {
                ++depth;
            } else if (c == ')' && --depth == 0) {
                ++pos_;
                return;
            }
        }
        pos_ = at;
        line_ = opened;
        fail("a variation '(' is never closed");
    }

    void word() {
        std::size_t end = pos_;
        while (end < s_.size() && !isDelimiter(s_[end])) ++end;
        std::string_view w(s_.data() + pos_, end - pos_);
        pos_ = end;
        begin();
        moveText_ = true;
        GameResult result;
        if (parseResult(w, result)) {
            game_.resultToken = w;
            finish();
            return;
        }
        // A move number, "12." or "12...", perhaps with the move right after it.
        std::size_t digits = 0;
        while (digits < w.size() && isDigit(w[digits])) ++digits;
        if (digits > 0 && digits < w.size() && w[digits] == '.') {
            while (digits < w.size() && w[digits] == '.') ++digits;
            w.remove_prefix(digits);
        }
        while (!w.empty() && (w.back() == '!' || w.back() == '?')) w.remove_suffix(1);
        if (w.empty() || w.find_first_not_of('.') == std::string::npos) return;
        if (w[0] == '$' && w.size() > 1 && w.find_first_not_of("0123456789", 1) == std::string::npos) return;
        if (!parseMove(w, squares_)) return fail("cannot read '" + excerpt(std::string(w)) + "' as a move");
        if (game_.moves.size() == kMostMovesInAGame)
            return fail("the game has more than " + std::to_string(kMostMovesInAGame) + " moves");
        game_.moves.push_back(WrittenMove{w, line_});
    }
};

}  // namespace

std::string pdnTextAsUtf8(const std::string& bytes) {
    std::string text = bytes.compare(0, 3, "\xEF\xBB\xBF") == 0 ? bytes.substr(3) : bytes;
    if (isUtf8(text)) return text;
    std::string converted;
    converted.reserve(text.size() * 2);
    for (char c : text) {
        const unsigned char b = static_cast<unsigned char>(c);
        if (b < 0x80)
            converted += c;
        else
            appendUtf8(converted, b >= 0xC0 ? 0x0410 + (b - 0xC0) : kCp1251High[b - 0x80]);
    }
    return converted;
}

void splitPdnGames(const std::string& text, const std::function<void(const GameText&)>& onGame) {
    Splitter(text, onGame).run();
}

std::vector<WrittenSquare> writtenSquares(std::string_view move) {
    std::vector<WrittenSquare> squares;
    parseMove(move, squares);
    return squares;
}

bool parseResult(std::string_view text, GameResult& result) {
    struct Known {
        const char* text;
        GameResult result;
    };
    static const Known known[] = {{"1-0", GameResult::WhiteWins}, {"2-0", GameResult::WhiteWins},
                                  {"0-1", GameResult::BlackWins}, {"0-2", GameResult::BlackWins},
                                  {"1/2-1/2", GameResult::Draw},  {"1-1", GameResult::Draw},
                                  {"0-0", GameResult::BothLost},  {"*", GameResult::Unfinished}};
    for (const Known& k : known)
        if (text == k.text) {
            result = k.result;
            return true;
        }
    return false;
}
