#pragma once
// The game's command line: draughts3d [--windowed | --fullscreen] [--classic]
// [--animation off|fast|normal|slow] [--level NAME | --two-players |
// --watch GREEN PINK] [FILE.pdn [--game N]] [--review FILE.pdn [--game N]]
// | --help | --version

#include "app/files/settings.h"

// How the display mode is chosen at start-up.
enum class DisplayChoice { Ask, Windowed, Fullscreen };

// What the program does after reading its command line.
enum class CommandAction { Play, ShowHelp, ShowVersion, Misuse };

struct CommandLine {
    CommandAction action = CommandAction::Play;
    DisplayChoice display = DisplayChoice::Ask;
    // --classic, and --animation with its speed, for this run only.
    bool classic = false;
    bool animationGiven = false;
    AnimationSpeed animation = AnimationSpeed::Normal;
    // --level NAME, for this run only.
    bool levelGiven = false;
    Level level = Level::Classic;
    // --two-players, or --watch GREEN PINK with the two levels, for this run only.
    bool opponentGiven = false;
    Opponent opponent = Opponent::Computer;
    Level watchGreenLevel = Level::Classic, watchPinkLevel = Level::Classic;
    // A PDN file to open, and which of its games (1 for the first).
    const char* gameFile = nullptr;
    int gameNumber = 1;
    // --review FILE.pdn: that file's game (gameNumber) opens in the review instead.
    const char* reviewFile = nullptr;
    // For Misuse: what was wrong, e.g. "unknown option '-display'".
    const char* problem = "";
    const char* offending = "";
};

// Reads argv[1..argc-1]. --windowed and --fullscreen exclude each other; the
// last of several --help/--version wins over playing; --animation takes its
// speed, --level its name and --game its number (1 or more, with a file) as the
// next argument or after '='; --watch takes two levels as the next two
// arguments. --level, --two-players and --watch exclude each other, and
// --classic excludes the last two; one argument that is no option names the
// file; anything else is misuse.
CommandLine parseCommandLine(int argc, const char* const argv[]);

// The usage text (several lines, ending in a line break).
const char* usageText();

// Handles --help, --version and misuse: prints to standard output (help,
// version) or standard error (misuse: the problem and the usage). Returns the
// exit status (0; 1 when standard output would not take the help or the version,
// said on standard error; 2 for misuse), or -1 when the game should be played.
int answerCommandLine(const CommandLine& commandLine);
// The settings of the file with the command line's choices over them.
Settings withCommandLine(Settings values, const CommandLine& commandLine);
