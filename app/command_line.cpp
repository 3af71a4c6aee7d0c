#include "app/command_line.h"

#include <cstdio>
#include <cstring>

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
    std::perror("draughts3d: cannot write to standard output");
    return kExitWriteError;
}

}  // namespace

CommandLine parseCommandLine(int argc, const char* const argv[]) {
    CommandLine result;
    for (int i = 1; i < argc; ++i) {
        const char* arg = argv[i];
        if (std::strcmp(arg, "--help") == 0 || std::strcmp(arg, "-h") == 0) {
            result.action = CommandAction::ShowHelp;
        } else if (std::strcmp(arg, "--version") == 0) {
            if (result.action != CommandAction::ShowHelp) result.action = CommandAction::ShowVersion;
        } else if (std::strcmp(arg, "--windowed") == 0 || std::strcmp(arg, "--fullscreen") == 0) {
            const DisplayChoice wanted = arg[2] == 'w' ? DisplayChoice::Windowed : DisplayChoice::Fullscreen;
            if (result.display != DisplayChoice::Ask && result.display != wanted)
                return misuse("--windowed and --fullscreen exclude each other", arg);
            result.display = wanted;
        } else if (std::strcmp(arg, "--classic") == 0) {
            result.classic = true;
        } else if (std::strncmp(arg, "--animation", 11) == 0 && (arg[11] == '\0' || arg[11] == '=')) {
            const char* word = arg[11] == '=' ? arg + 12 : (i + 1 < argc ? argv[++i] : "");
            if (!parseAnimation(word, result.animation))
                return misuse("--animation takes off, fast, normal or slow", word);
            result.animationGiven = true;
        } else if (arg[0] == '-') {
            return misuse("unknown option", arg);
        } else {
            return misuse("unexpected argument", arg);
        }
    }
    return result;
}

const char* usageText() {
    return "Usage: draughts3d [--windowed | --fullscreen] [--classic] [--animation SPEED]\n"
           "       draughts3d --help | --version\n"
           "\n"
           "Draughts against the computer on a board in a 3D room.\n"
           "\n"
           "  --windowed    play in a 640x480 window without asking\n"
           "  --fullscreen  play fullscreen without asking\n"
           "  --classic     the game exactly as it first was: moves shown at once,\n"
           "                no marks, the computer's reply at once, the end not held\n"
           "  --animation SPEED  how fast moves travel: off, fast, normal, slow\n"
           "  --help        show this text and exit\n"
           "  --version     show the version and exit\n"
           "\n"
           "Without --windowed or --fullscreen the game asks at start. Settings are kept in\n"
           "$XDG_CONFIG_HOME/draughts3d/settings.ini (classic, animation, reply_delay,\n"
           "last_move_marks); the options above override them for one run.\n"
           "Mouse: left click a menu item, or a square to move from and one to move to;\n"
           "right click forgets what you typed; right drag turns the view.\n"
           "Keys and mouse in full: see the manual page draughts3d(6).\n";
}

int answerCommandLine(const CommandLine& commandLine) {
    switch (commandLine.action) {
        case CommandAction::Play: return -1;
        case CommandAction::ShowHelp: std::fputs(usageText(), stdout); return answered();
        case CommandAction::ShowVersion: std::printf("draughts3d %s\n", DRAUGHTS3D_VERSION); return answered();
        case CommandAction::Misuse:
            std::fprintf(stderr, "draughts3d: %s: '%s'\n\n%s", commandLine.problem, commandLine.offending,
                         usageText());
            return kExitMisuse;
    }
    return -1;
}

Settings withCommandLine(Settings values, const CommandLine& commandLine) {
    if (commandLine.classic) values.classic = true;
    if (commandLine.animationGiven) values.animation = commandLine.animation;
    return values;
}
