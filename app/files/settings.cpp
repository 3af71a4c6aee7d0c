#include "app/files/settings.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <sstream>

#include "app/files/user_files.h"

Settings settings;

namespace {

constexpr std::size_t kLargestSettingsFile = 64 * 1024;
constexpr double kLongestReplyDelay = 5.0;

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

bool parseDelay(const std::string& word, double& seconds) {
    char* end = nullptr;
    const double value = std::strtod(word.c_str(), &end);
    if (word.empty() || end != word.c_str() + word.size() || !(value >= 0 && value <= kLongestReplyDelay)) return false;
    seconds = value;
    return true;
}

}  // namespace

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
        line = trimmed(line);
        if (line.empty() || line[0] == '#' || line[0] == ';' || line[0] == '[') continue;
        const std::string where = "line " + std::to_string(number) + ": ";
        const std::size_t equals = line.find('=');
        if (equals == std::string::npos) {
            problems.push_back(where + "not a setting (name = value): '" + line + "'");
            continue;
        }
        const std::string name = trimmed(line.substr(0, equals));
        std::string value = line.substr(equals + 1);
        // A comment may follow the value after a space: "animation = slow  # mine".
        for (std::size_t at = 1; at < value.size(); ++at)
            if ((value[at] == '#' || value[at] == ';') && (value[at - 1] == ' ' || value[at - 1] == '\t')) {
                value.erase(at);
                break;
            }
        value = trimmed(value);
        bool known = true, read = false;
        if (name == "classic")
            read = parseSwitch(value, values.classic);
        else if (name == "animation")
            read = parseAnimation(value, values.animation);
        else if (name == "reply_delay")
            read = parseDelay(value, values.replyDelay);
        else if (name == "last_move_marks")
            read = parseSwitch(value, values.lastMoveMarks);
        else if (name == "level")
            read = parseLevel(value, values.level);
        else
            known = false;
        if (!known)
            problems.push_back(where + "unknown setting '" + name + "' (left out)");
        else if (!read)
            problems.push_back(where + "'" + value + "' is no value for " + name + " (its default is used)");
    }
    return values;
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
        << "level = " << levelName(values.level) << "\n";
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
        std::fprintf(stderr, "draughts3d: %s (the default settings are used)\n", error.c_str());
        return Settings{};
    }
    std::vector<std::string> problems;
    const Settings values = parseSettings(text, problems);
    for (const std::string& problem : problems)
        std::fprintf(stderr, "draughts3d: %s: %s\n", path.c_str(), problem.c_str());
    return values;
}

bool saveSettings(const Settings& values, std::string& error) {
    const std::string path = settingsPath();
    if (path.empty()) {
        error = "no home folder for the settings";
        return false;
    }
    if (!makeFolders(configFolder(), error)) return false;
    return writeFileAtomically(path, settingsText(values), error);
}
