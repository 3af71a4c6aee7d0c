#include "app/files/command_line.h"

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "engine/records/quoted_text.h"
#include "engine/rules/translation.h"

#ifndef DRAUGHTS3D_VERSION
#define DRAUGHTS3D_VERSION "unknown"
#endif

namespace {

constexpr int kExitWriteError = 1;
constexpr int kExitMisuse = 2;

CommandLine misuse(const char* problem, const char* offending) {
    CommandLine result;
    result.action = CommandAction::Misuse;
    result.problem = problem;
    result.offending = offending;
    return result;
}

// The status after printing what was asked for: 0 once it is all written, or,
// when it could not be (a full disk, a closed standard output), 1 after saying so
// on standard error.
int answered() {
    if (std::fflush(stdout) == 0 && !std::ferror(stdout)) return 0;
    std::perror(tr("draughts3d: cannot write to standard output"));
    return kExitWriteError;
}

// The value of option `name` when argv[i] is it: what follows '=' in
// "--name=value", or the next argument (i moves on to it; "" when there is
// none). Null when argv[i] is another argument.
const char* optionValue(const char* name, int argc, const char* const argv[], int& i) {
    const std::size_t length = std::strlen(name);
    const char* arg = argv[i];
    if (std::strncmp(arg, name, length) != 0) return nullptr;
    if (arg[length] == '=') return arg + length + 1;
    if (arg[length] != '\0') return nullptr;
    return i + 1 < argc ? argv[++i] : "";
}

}  // namespace

CommandLine parseCommandLine(int argc, const char* const argv[]) {
    CommandLine result;
    bool gameGiven = false;
    for (int i = 1; i < argc; ++i) {
        const char* arg = argv[i];
        if (std::strcmp(arg, "--help") == 0 || std::strcmp(arg, "-h") == 0) {
            result.action = CommandAction::ShowHelp;
        } else if (std::strcmp(arg, "--version") == 0) {
            if (result.action != CommandAction::ShowHelp) result.action = CommandAction::ShowVersion;
        } else if (std::strcmp(arg, "--windowed") == 0 || std::strcmp(arg, "--fullscreen") == 0) {
            const DisplayChoice wanted = arg[2] == 'w' ? DisplayChoice::Windowed : DisplayChoice::Fullscreen;
            if (result.display != DisplayChoice::Ask && result.display != wanted)
                return misuse(N_("--windowed and --fullscreen exclude each other"), arg);
            result.display = wanted;
        } else if (const char* word = optionValue("--level", argc, argv, i)) {
            if (!parseLevel(word, result.level))
                return misuse(N_("--level takes beginner, novice, club, strong, expert or classic"), word);
            result.levelGiven = true;
        } else if (std::strcmp(arg, "--two-players") == 0) {
            result.opponentGiven = true;
            result.opponent = Opponent::TwoPlayers;
        } else if (std::strcmp(arg, "--watch") == 0) {
            const char* green = i + 1 < argc ? argv[++i] : "";
            if (!parseLevel(green, result.watchGreenLevel))
                return misuse(N_("--watch takes two levels (beginner, novice, club, strong, expert, classic)"), green);
            const char* pink = i + 1 < argc ? argv[++i] : "";
            if (!parseLevel(pink, result.watchPinkLevel))
                return misuse(N_("--watch takes two levels: green's, then pink's"), pink);
            result.opponentGiven = true;
            result.opponent = Opponent::Watch;
        } else if (std::strcmp(arg, "--classic") == 0) {
            result.classic = true;
        } else if (const char* speed = optionValue("--animation", argc, argv, i)) {
            if (!parseAnimation(speed, result.animation))
                return misuse(N_("--animation takes off, fast, normal or slow"), speed);
            result.animationGiven = true;
        } else if (const char* number = optionValue("--game", argc, argv, i)) {
            char* end = nullptr;
            const long value = std::strtol(number, &end, 10);
            if (!std::isdigit(static_cast<unsigned char>(number[0])) || *end != '\0' || value < 1 || value > 1000000)
                return misuse(N_("--game takes the number of a game of the file, 1 for the first"), number);
            result.gameNumber = static_cast<int>(value);
            gameGiven = true;
        } else if (const char* review = optionValue("--review", argc, argv, i)) {
            if (!review[0] || result.reviewFile) return misuse(N_("--review takes one PDN file"), review);
            result.reviewFile = review;
        } else if (arg[0] == '-') {
            return misuse(N_("unknown option"), arg);
        } else if (result.gameFile) {
            return misuse(N_("one game file at a time"), arg);
        } else {
            result.gameFile = arg;
        }
    }
    if (result.reviewFile && result.gameFile && result.action == CommandAction::Play)
        return misuse(N_("a game file to play or --review, not both"), result.gameFile);
    if (gameGiven && !result.gameFile && !result.reviewFile && result.action == CommandAction::Play)
        return misuse(N_("--game needs a PDN file"), "--game");
    if (result.action == CommandAction::Play && result.opponentGiven) {
        const char* option = result.opponent == Opponent::Watch ? "--watch" : "--two-players";
        if (result.levelGiven) return misuse(N_("--level, --two-players and --watch exclude each other"), option);
        if (result.classic) return misuse(N_("classic mode has the computer alone as opponent"), option);
    }
    return result;
}

const char* usageText() {
    static std::string text;
    text =
        tr("Usage: draughts3d [--windowed | --fullscreen] [--classic] [--animation SPEED]\n"
           "                 [--level LEVEL | --two-players | --watch LEVEL LEVEL]\n"
           "                 [FILE.pdn [--game N]]\n"
           "       draughts3d --help | --version\n"
           "\n"
           "Draughts in a 3D room: against the computer, two people at one board, or\n"
           "the computer against itself.\n"
           "\n"
           "  --windowed    play in a 640x480 window without asking\n"
           "  --fullscreen  play fullscreen without asking\n"
           "  --classic     the game exactly as it first was: moves shown at once,\n"
           "                no marks, the computer's reply at once, the end not held\n"
           "  --animation SPEED  how fast moves travel: off, fast, normal, slow\n"
           "  --level LEVEL how the computer plays: beginner, novice, club, strong,\n"
           "                expert, or classic (the original computer, the default)\n"
           "  --two-players two people at one board, taking turns (not with --classic)\n"
           "  --watch LEVEL LEVEL  the computer against itself, green at the first level\n"
           "                and pink at the second; a key or click pauses it\n"
           "  FILE.pdn      open a game of a PDN file at its last position, playing the\n"
           "                side it names human (White when none); 9 and 0 step through it;\n"
           "                on the computer's turn Return asks for its move\n"
           "  --game N      which game of the file (the first by default)\n"
           "  --help        show this text and exit\n"
           "  --version     show the version and exit\n"
           "\n"
           "Without --windowed or --fullscreen the game asks at start. Settings are kept in\n"
           "$XDG_CONFIG_HOME/draughts3d/settings.ini (classic, animation, reply_delay,\n"
           "last_move_marks, level, opponent, turn_view, coordinates, player1_name,\n"
           "player2_name); the options above override them for one run. With a FILE,\n"
           "--two-players and --watch play the opened game on from its position.\n"
           "Playing: T shows a hint (the club level's move for you) for a few seconds;\n"
           "O offers the computer a draw; R, then R again, resigns (not in classic mode).\n"
           "Every game is kept as it is played, in $XDG_DATA_HOME/draughts3d/games/;\n"
           "the start menu offers to continue one left unfinished.\n"
           "Mouse: left click a menu item, or a square to move from and one to move to;\n"
           "right click forgets what you typed; right drag turns the view.\n"
           "Keys and mouse in full: see the manual page draughts3d(6).\n");
    text +=
        tr("\n"
           "Review: draughts3d [--windowed | --fullscreen] --review FILE.pdn [--game N]\n"
           "  --review FILE.pdn  review game N of a PDN file from its start (not in classic\n"
           "                mode): Left and Right step through it, N asks for the\n"
           "                computer's analysis of every move, P copies the game.\n"
           "\"Your games\" on the start menu lists the games kept for review; V on the\n"
           "play screen reviews the game played.\n");
    return text.c_str();
}

int answerCommandLine(const CommandLine& commandLine) {
    switch (commandLine.action) {
        case CommandAction::Play: return -1;
        case CommandAction::ShowHelp: std::fputs(usageText(), stdout); return answered();
        case CommandAction::ShowVersion: std::printf("draughts3d %s\n", DRAUGHTS3D_VERSION); return answered();
        case CommandAction::Misuse:
            std::fprintf(stderr, tr("draughts3d: %s: '%s'\n\n%s"), tr(commandLine.problem),
                         excerpt(commandLine.offending).c_str(), usageText());
            return kExitMisuse;
    }
    return -1;
}

Settings withCommandLine(Settings values, const CommandLine& commandLine) {
    if (commandLine.classic) values.classic = true;
    if (commandLine.animationGiven) values.animation = commandLine.animation;
    if (commandLine.levelGiven) {
        values.level = commandLine.level;
        values.opponent = Opponent::Computer;
    }
    if (commandLine.opponentGiven) values.opponent = commandLine.opponent;
    if (commandLine.opponentGiven && commandLine.opponent == Opponent::Watch) {
        values.watchGreenLevel = commandLine.watchGreenLevel;
        values.watchPinkLevel = commandLine.watchPinkLevel;
    }
    return values;
}
