#pragma once
// The player's settings: read from $XDG_CONFIG_HOME/draughts3d/settings.ini at
// start, changed in place (atomically, the player's other lines kept) when a
// setting changes, overridden for one run by the command line. A missing file means the defaults; a line that
// cannot be read, an unknown setting or a value out of range is named on
// standard error and its default used: the game always starts.
//
//   classic = false          true: the game exactly as it first was (no
//                            travelling pieces, marks, pacing or held end)
//   animation = normal       how fast moves travel: off, fast, normal, slow
//   reply_delay = 0.6        seconds the computer waits after your move lands (0 to 5)
//   last_move_marks = true   the last move stays marked on the board
//   level = classic          the computer: beginner, novice, club, strong, expert
//                            or classic (the original computer); classic mode
//                            always plays classic
//   opponent = computer      who plays against you: computer (at `level`),
//                            two-players (a second person at the same board)
//                            or watch (the computer against itself, both sides
//                            at `level`); a file without it (an older one) means
//                            computer. Not in classic mode.
//   turn_view = true         Two players: the view turns to the side to move
//   coordinates = true       the board's letters and digits (not in classic mode)
//   player1_name = Green     Two players: the names of green and of pink in
//   player2_name = Pink      the record (up to 24 characters)
//   language = auto          the language of the game's texts: auto (as the
//                            environment says), en, or ru
//
// Lines are `name = value`; blank lines and lines starting with # or ; are
// comments, as is the rest of a line from a # or ; after a space; a [section]
// line is passed over.

#include <optional>
#include <string>
#include <vector>

#include "engine/levels/levels.h"

// How fast moves are shown: not at all, or each duration times 0.5, 1 or 2.
enum class AnimationSpeed { Off, Fast, Normal, Slow };
double animationFactor(AnimationSpeed speed);
// "off", "fast", "normal", "slow", and back; false for another word.
const char* animationName(AnimationSpeed speed);
bool parseAnimation(const std::string& word, AnimationSpeed& speed);

// Who plays against the player: the computer at its level, a second person
// at the same board taking turns, or nobody: the computer plays both sides
// while the person watches.
enum class Opponent { Computer, TwoPlayers, Watch };
// "computer", "two-players", "watch", and back; false for another word.
const char* opponentName(Opponent opponent);
bool parseOpponent(const std::string& word, Opponent& opponent);

struct Settings {
    bool classic = false;
    AnimationSpeed animation = AnimationSpeed::Normal;
    double replyDelay = 0.6;
    bool lastMoveMarks = true;
    Level level = Level::Classic;
    Opponent opponent = Opponent::Computer;
    // Computer v computer, as the command line's --watch GREEN PINK gives them
    // for one run; otherwise both sides play at `level`.
    std::optional<Level> watchGreenLevel, watchPinkLevel;
    bool turnView = true;
    bool coordinates = true;
    // Two players: green's and pink's names ("" for "Green" and "Pink").
    std::string player1Name, player2Name;
    // "auto", "en" or a translated language (app/files/language.h).
    std::string language = "auto";
};

// The levels of green and of pink when the computer plays itself.
Level watchLevelOf(const Settings& values, bool green);
// The name of green's (true) or pink's player in Two players.
std::string playerName(const Settings& values, bool green);

// The settings of this run.
extern Settings settings;

// The settings a text gives; each problem found is added to `problems` as one
// line naming the line of the text ("line 3: unknown setting 'colour'").
Settings parseSettings(const std::string& text, std::vector<std::string>& problems);
// The text of a new settings file: every setting with its comment.
std::string settingsText(const Settings& values);
// `text` with setting `name` set to `value` in place: the last line that sets it
// (the one that counts) gets the new value, its blanks and a comment after it
// kept; with no such line, "name = value" is added at the end. Every other
// byte stays as it was: comments, unknown settings, values out of range.
std::string withSettingChanged(const std::string& text, const std::string& name, const std::string& value);

// The settings file's path ("" when no home folder can be told).
std::string settingsPath();
// Reads the settings file; its problems go to standard error, naming the file.
Settings loadSettings();
// The language setting alone, read without a word: the language is chosen
// before anything is said.
std::string languageSetting();
// Sets one setting in the settings file (withSettingChanged), written
// atomically: through a symbolic link, the file it leads to. A missing file is
// made from settingsText's defaults. A file that is there but cannot be read
// (too large, not a regular file, unreadable) is never overwritten: false, with
// the reason in `error`, as for a write that fails.
bool saveSetting(const std::string& name, const std::string& value, std::string& error);
