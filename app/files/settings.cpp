#include "app/files/settings.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <sstream>

#include "app/files/language.h"
#include "app/files/user_files.h"
#include "engine/records/quoted_text.h"
#include "engine/rules/translation.h"

Settings settings;

namespace {

constexpr std::size_t kLargestSettingsFile = 64 * 1024;
constexpr double kLongestReplyDelay = 5.0;
// A player's name fits the HUD's line and the record's tag.
constexpr std::size_t kLongestPlayerName = 24;

std::string trimmed(const std::string& text) {
    const std::size_t first = text.find_first_not_of(" \t\r");
    if (first == std::string::npos) return "";
    const std::size_t last = text.find_last_not_of(" \t\r");
    return text.substr(first, last - first + 1);
}

bool parseSwitch(const std::string& word, bool& value) {
    for (const char* yes : {"true", "yes", "on", "1"})
        if (word == yes) return value = true, true;
    for (const char* no : {"false", "no", "off", "0"})
        if (word == no) return value = false, true;
    return false;
}

// One line of a settings file, read as parseSettings reads it.
struct SettingLine {
    // Blank, a comment or a [section]; `name = value`; or a line that is neither.
    enum Kind { kNone, kSetting, kNotASetting };
    Kind kind = kNone;
    std::string name;
    // Where the value lies in the line, without the blanks around it and a
    // comment after it ("animation = slow  # mine": "slow").
    std::size_t valueStart = 0, valueEnd = 0;
};

SettingLine readSettingLine(const std::string& line) {
    SettingLine read;
    const std::size_t first = line.find_first_not_of(" \t\r");
    if (first == std::string::npos || line[first] == '#' || line[first] == ';' || line[first] == '[') return read;
    const std::size_t equals = line.find('=');
    if (equals == std::string::npos) {
        read.kind = SettingLine::kNotASetting;
        return read;
    }
    read.kind = SettingLine::kSetting;
    read.name = trimmed(line.substr(0, equals));
    // A comment may follow the value after a space: "animation = slow  # mine".
    std::size_t end = line.size();
    for (std::size_t at = equals + 2; at < line.size(); ++at)
        if ((line[at] == '#' || line[at] == ';') && (line[at - 1] == ' ' || line[at - 1] == '\t')) {
            end = at;
            break;
        }
    read.valueStart = std::min(line.find_first_not_of(" \t\r", equals + 1), end);
    read.valueEnd = std::max(read.valueStart, line.find_last_not_of(" \t\r", end - 1) + 1);
    return read;
}

bool parseLanguage(const std::string& word, std::string& language) {
    if (!isLanguageSetting(word)) return false;
    language = word;
    return true;
}

bool parseDelay(const std::string& word, double& seconds) {
    char* end = nullptr;
    const double value = std::strtod(word.c_str(), &end);
    if (word.empty() || end != word.c_str() + word.size() || !(value >= 0 && value <= kLongestReplyDelay)) return false;
    seconds = value;
    return true;
}

// A player's name: 1 to kLongestPlayerName printable characters (UTF-8 letters
// count by their bytes), no quotes or backslashes, which the record would escape.
bool parseName(const std::string& word, std::string& name) {
    if (word.empty() || word.size() > kLongestPlayerName) return false;
    for (const char c : word)
        if (static_cast<unsigned char>(c) < 32 || c == 127 || c == '"' || c == '\\') return false;
    name = word;
    return true;
}

}  // namespace

const char* opponentName(Opponent opponent) {
    switch (opponent) {
        case Opponent::Computer: return "computer";
        case Opponent::TwoPlayers: return "two-players";
        case Opponent::Watch: return "watch";
    }
    return "computer";
}

bool parseOpponent(const std::string& word, Opponent& opponent) {
    for (Opponent o : {Opponent::Computer, Opponent::TwoPlayers, Opponent::Watch})
        if (word == opponentName(o)) return opponent = o, true;
    return false;
}

Level watchLevelOf(const Settings& values, bool green) {
    const std::optional<Level>& given = green ? values.watchGreenLevel : values.watchPinkLevel;
    return given.value_or(values.level);
}

std::string playerName(const Settings& values, bool green) {
    const std::string& name = green ? values.player1Name : values.player2Name;
    return !name.empty() ? name : green ? "Green" : "Pink";
}

double animationFactor(AnimationSpeed speed) {
    switch (speed) {
        case AnimationSpeed::Off: return 0;
        case AnimationSpeed::Fast: return 0.5;
        case AnimationSpeed::Normal: return 1;
        case AnimationSpeed::Slow: return 2;
    }
    return 1;
}

const char* animationName(AnimationSpeed speed) {
    switch (speed) {
        case AnimationSpeed::Off: return "off";
        case AnimationSpeed::Fast: return "fast";
        case AnimationSpeed::Normal: return "normal";
        case AnimationSpeed::Slow: return "slow";
    }
    return "normal";
}

bool parseAnimation(const std::string& word, AnimationSpeed& speed) {
    for (AnimationSpeed s : {AnimationSpeed::Off, AnimationSpeed::Fast, AnimationSpeed::Normal, AnimationSpeed::Slow})
        if (word == animationName(s)) return speed = s, true;
    return false;
}

Settings parseSettings(const std::string& text, std::vector<std::string>& problems) {
    Settings values;
    std::istringstream lines(text);
    std::string line;
    for (int number = 1; std::getline(lines, line); ++number) {
        const SettingLine read = readSettingLine(line);
        if (read.kind == SettingLine::kNone) continue;
        if (read.kind == SettingLine::kNotASetting) {
            problems.push_back(
                formatText(tr("line %d: not a setting (name = value): '%s'"), number, excerpt(trimmed(line)).c_str()));
            continue;
        }
        const std::string& name = read.name;
        const std::string value = line.substr(read.valueStart, read.valueEnd - read.valueStart);
        bool known = true, ok = false;
        if (name == "classic")
            ok = parseSwitch(value, values.classic);
        else if (name == "animation")
            ok = parseAnimation(value, values.animation);
        else if (name == "reply_delay")
            ok = parseDelay(value, values.replyDelay);
        else if (name == "last_move_marks")
            ok = parseSwitch(value, values.lastMoveMarks);
        else if (name == "level")
            ok = parseLevel(value, values.level);
        else if (name == "opponent")
            ok = parseOpponent(value, values.opponent);
        else if (name == "turn_view")
            ok = parseSwitch(value, values.turnView);
        else if (name == "coordinates")
            ok = parseSwitch(value, values.coordinates);
        else if (name == "player1_name")
            ok = parseName(value, values.player1Name);
        else if (name == "player2_name")
            ok = parseName(value, values.player2Name);
        else if (name == "language")
            ok = parseLanguage(value, values.language);
        else
            known = false;
        if (!known)
            problems.push_back(
                formatText(tr("line %d: unknown setting '%s' (left out)"), number, excerpt(name).c_str()));
        else if (!ok)
            problems.push_back(formatText(tr("line %d: '%s' is no value for %s (its default is used)"), number,
                                          excerpt(value).c_str(), name.c_str()));
    }
    return values;
}

std::string withSettingChanged(const std::string& text, const std::string& name, const std::string& value) {
    // The value's place on the last line that sets `name`: that line is the one that counts.
    std::size_t valueStart = std::string::npos, valueEnd = 0;
    for (std::size_t start = 0; start < text.size();) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        const SettingLine line = readSettingLine(text.substr(start, end - start));
        if (line.kind == SettingLine::kSetting && line.name == name) {
            valueStart = start + line.valueStart;
            valueEnd = start + line.valueEnd;
        }
        start = end + 1;
    }
    if (valueStart != std::string::npos) return text.substr(0, valueStart) + value + text.substr(valueEnd);
    const bool lineOpen = !text.empty() && text.back() != '\n';
    return text + (lineOpen ? "\n" : "") + name + " = " + value + "\n";
}

std::string settingsText(const Settings& values) {
    std::ostringstream out;
    char delay[32];
    std::snprintf(delay, sizeof delay, "%g", values.replyDelay);
    out << "# draughts3d settings, written by the game; see draughts3d(6).\n"
        << "# true: the game exactly as it first was\n"
        << "classic = " << (values.classic ? "true" : "false") << "\n"
        << "# how fast moves travel: off, fast, normal, slow\n"
        << "animation = " << animationName(values.animation) << "\n"
        << "# seconds the computer waits after your move has landed (0 to 5)\n"
        << "reply_delay = " << delay << "\n"
        << "# the last move stays marked on the board\n"
        << "last_move_marks = " << (values.lastMoveMarks ? "true" : "false") << "\n"
        << "# the computer: " << levelNames() << "\n"
        << "level = " << levelName(values.level) << "\n"
        << "# who plays against you: computer, two-players (a second person), watch\n"
        << "# (the computer against itself at the level above)\n"
        << "opponent = " << opponentName(values.opponent) << "\n"
        << "# Two players: the view turns to the side to move\n"
        << "turn_view = " << (values.turnView ? "true" : "false") << "\n"
        << "# the board's letters and digits\n"
        << "coordinates = " << (values.coordinates ? "true" : "false") << "\n"
        << "# Two players: the names of green and of pink in the record\n"
        << "player1_name = " << playerName(values, true) << "\n"
        << "player2_name = " << playerName(values, false) << "\n"
        << "# the language of the game's texts: auto (as the environment says), en, " << translatedLanguages() << "\n"
        << "language = " << values.language << "\n";
    return out.str();
}

std::string settingsPath() {
    const std::string folder = configFolder();
    return folder.empty() ? "" : folder + "settings.ini";
}

Settings loadSettings() {
    const std::string path = settingsPath();
    if (path.empty()) return Settings{};
    // No file yet: the defaults, quietly.
    if (::access(path.c_str(), F_OK) != 0 && errno == ENOENT) return Settings{};
    std::string text, error;
    if (!readFileBounded(path, kLargestSettingsFile, text, error)) {
        std::fprintf(stderr, tr("draughts3d: %s (the default settings are used)\n"), error.c_str());
        return Settings{};
    }
    std::vector<std::string> problems;
    const Settings values = parseSettings(text, problems);
    for (const std::string& problem : problems)
        std::fprintf(stderr, "draughts3d: %s: %s\n", path.c_str(), problem.c_str());
    return values;
}

std::string languageSetting() {
    const std::string path = settingsPath();
    std::string text, error;
    if (path.empty() || !readFileBounded(path, kLargestSettingsFile, text, error)) return Settings{}.language;
    std::vector<std::string> problems;
    return parseSettings(text, problems).language;
}

bool saveSetting(const std::string& name, const std::string& value, std::string& error) {
    const std::string path = settingsPath();
    if (path.empty()) {
        error = "no home folder for the settings";
        return false;
    }
    std::string text;
    ReadFault fault;
    if (!readFileBounded(path, kLargestSettingsFile, text, error, &fault)) {
        // A file the game could not read may still be the player's: it stays.
        if (fault.kind != ReadFault::kCannotOpen || fault.errorNumber != ENOENT) {
            error += " (the file is left as it is)";
            return false;
        }
        text = settingsText(Settings{});
    }
    if (!makeFolders(configFolder(), error)) return false;
    return writeFileAtomically(path, withSettingChanged(text, name, value), error);
}
