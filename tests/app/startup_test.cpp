// What the game reads before it opens a window: the command line and the
// folder of its pictures. No display needed.
#include "app/files/command_line.h"
#include "app/files/data_folder.h"
#include "app/files/settings.h"
#include "engine/records/pdn_read.h"
#include "engine/records/quoted_text.h"
#include "textures/room_pictures.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

CommandLine parse(std::vector<const char*> args) {
    args.insert(args.begin(), "draughts3d");
    return parseCommandLine(static_cast<int>(args.size()), args.data());
}

TEST(CommandLineTest, OptionsAndMisuse) {
    struct Case {
        std::vector<const char*> args;
        CommandAction action;
        DisplayChoice display;
    };
    const Case cases[] = {
        {{}, CommandAction::Play, DisplayChoice::Ask},
        {{"--windowed"}, CommandAction::Play, DisplayChoice::Windowed},
        {{"--fullscreen"}, CommandAction::Play, DisplayChoice::Fullscreen},
        {{"--windowed", "--windowed"}, CommandAction::Play, DisplayChoice::Windowed},
        {{"--help"}, CommandAction::ShowHelp, DisplayChoice::Ask},
        {{"--version", "--help"}, CommandAction::ShowHelp, DisplayChoice::Ask},
        {{"--version"}, CommandAction::ShowVersion, DisplayChoice::Ask},
        {{"--windowed", "--fullscreen"}, CommandAction::Misuse, DisplayChoice::Ask},
        // freeglut's and X's own options are not the game's.
        {{"-display", ":199"}, CommandAction::Misuse, DisplayChoice::Ask},
        {{"--help", "-geometry"}, CommandAction::Misuse, DisplayChoice::Ask},
        {{"--window"}, CommandAction::Misuse, DisplayChoice::Ask},
        {{"game.pdn", "--windowed"}, CommandAction::Play, DisplayChoice::Windowed},
        {{"a.pdn", "b.pdn"}, CommandAction::Misuse, DisplayChoice::Ask},
        {{"--game", "2"}, CommandAction::Misuse, DisplayChoice::Ask},
        {{"a.pdn", "--game", "0"}, CommandAction::Misuse, DisplayChoice::Ask},
        {{"--classic", "--animation", "slow"}, CommandAction::Play, DisplayChoice::Ask},
        {{"--animation=off", "--windowed"}, CommandAction::Play, DisplayChoice::Windowed},
        {{"--animation", "quick"}, CommandAction::Misuse, DisplayChoice::Ask},
        {{"--animation"}, CommandAction::Misuse, DisplayChoice::Ask},
        {{"--level", "expert"}, CommandAction::Play, DisplayChoice::Ask},
        {{"--level=grandmaster"}, CommandAction::Misuse, DisplayChoice::Ask},
        {{"--two-players", "a.pdn"}, CommandAction::Play, DisplayChoice::Ask},
        {{"--watch", "club", "novice", "a.pdn"}, CommandAction::Play, DisplayChoice::Ask},
        {{"--watch", "club"}, CommandAction::Misuse, DisplayChoice::Ask},
        {{"--watch", "club", "master"}, CommandAction::Misuse, DisplayChoice::Ask},
        {{"--two-players", "--level", "club"}, CommandAction::Misuse, DisplayChoice::Ask},
        {{"--classic", "--watch", "club", "club"}, CommandAction::Misuse, DisplayChoice::Ask},
    };
    for (const Case& c : cases) {
        std::string line;
        for (const char* arg : c.args) line += std::string(arg) + " ";
        SCOPED_TRACE(line);
        const CommandLine got = parse(c.args);
        EXPECT_EQ(got.action, c.action);
        if (c.action != CommandAction::Misuse) {
            EXPECT_EQ(got.display, c.display);
        }
    }
    EXPECT_STREQ(parse({"-display", ":199"}).offending, "-display");
    EXPECT_TRUE(parse({"--game=3", "a.pdn"}).gameNumber == 3 && parse({"a.pdn"}).gameFile == std::string("a.pdn"));
    // The command line over the settings file, for this run.
    Settings fromFile;
    fromFile.animation = AnimationSpeed::Fast;
    const Settings run = withCommandLine(fromFile, parse({"--classic", "--animation", "slow"}));
    EXPECT_TRUE(run.classic);
    EXPECT_EQ(run.animation, AnimationSpeed::Slow);
    EXPECT_EQ(withCommandLine(fromFile, parse({})).animation, AnimationSpeed::Fast);
    EXPECT_EQ(withCommandLine(fromFile, parse({"--level", "novice"})).level, Level::Novice);
    fromFile.opponent = Opponent::TwoPlayers;
    EXPECT_EQ(withCommandLine(fromFile, parse({"--level", "novice"})).opponent, Opponent::Computer);
    const Settings watched = withCommandLine(fromFile, parse({"--watch", "expert", "beginner", "a.pdn"}));
    EXPECT_TRUE(watched.opponent == Opponent::Watch && watchLevelOf(watched, true) == Level::Expert &&
                watchLevelOf(watched, false) == Level::Beginner);
    for (const char* option :
         {"--windowed", "--fullscreen", "--classic", "--animation", "--game", "--help", "--version"}) {
        EXPECT_NE(std::string(usageText()).find(option), std::string::npos) << option;
    }
}

// The settings file: every setting read, each bad line named with its line and
// left at its default, and what the game writes read back the same.
TEST(SettingsTest, GoodBadAndUnknownLinesAndTheWrittenFileReadBack) {
    std::vector<std::string> problems;
    const Settings read = parseSettings(
        "# mine\n[game]\nclassic = yes\nanimation=slow  # mine\n  reply_delay = 1.2  \nlast_move_marks = off\n"
        "level = strong\nopponent = two-players\nturn_view = off\ncoordinates = no\nplayer2_name = Анна\n", problems);
    EXPECT_TRUE(problems.empty());
    EXPECT_TRUE(read.opponent == Opponent::TwoPlayers && !read.turnView && !read.coordinates);
    EXPECT_TRUE(playerName(read, true) == "Green" && playerName(read, false) == "Анна");
    EXPECT_TRUE(read.classic);
    EXPECT_EQ(read.animation, AnimationSpeed::Slow);
    EXPECT_DOUBLE_EQ(read.replyDelay, 1.2);
    EXPECT_FALSE(read.lastMoveMarks);
    EXPECT_EQ(read.level, Level::Strong);

    const Settings bad = parseSettings("animation = quick\ncolour = red\nreply_delay = -1\nreply_delay = 9\n"
                                       "classic\nlast_move_marks = maybe\nreply_delay = 0.3x\nlevel = master\n"
                                       "opponent = friend\nplayer1_name = \"Q\"\n", problems);
    const Settings defaults;
    EXPECT_EQ(bad.animation, defaults.animation);
    EXPECT_DOUBLE_EQ(bad.replyDelay, defaults.replyDelay);
    EXPECT_EQ(bad.lastMoveMarks, defaults.lastMoveMarks);
    EXPECT_TRUE(bad.opponent == Opponent::Computer && bad.player1Name.empty());
    ASSERT_EQ(problems.size(), 10u);
    for (int line = 1; line <= 10; ++line)
        EXPECT_EQ(problems[line - 1].rfind("line " + std::to_string(line) + ":", 0), 0u) << problems[line - 1];
    EXPECT_NE(problems[1].find("unknown setting 'colour'"), std::string::npos);

    problems.clear();
    const Settings again = parseSettings(settingsText(read), problems);
    EXPECT_TRUE(problems.empty());
    EXPECT_EQ(settingsText(again), settingsText(read));
}

std::string fileText(const fs::path& path) {
    std::ostringstream text;
    text << std::ifstream(path, std::ios::binary).rdbuf();
    return text.str();
}

// A change of one setting rewrites its line only (the player's comments, CRLF,
// unknown settings and values out of range kept), through a link to the file
// it leads to; a file the game could not read stays as it is, and that is said.
TEST(SettingsTest, AChangeKeepsEveryOtherLineAndTheLink) {
    EXPECT_EQ(withSettingChanged("level = club\nlevel = master", "level", "strong"), "level = club\nlevel = strong");
    EXPECT_EQ(withSettingChanged("level = club", "animation", "off"), "level = club\nanimation = off\n");
    const fs::path root = fs::temp_directory_path() / ("draughts3d-settings-" + std::to_string(::getpid()));
    const fs::path link = root / "config/draughts3d/settings.ini", mine = root / "dotfiles/settings.ini";
    fs::create_directories(link.parent_path());
    fs::create_directories(mine.parent_path());
    setenv("XDG_CONFIG_HOME", (root / "config").c_str(), 1);
    const std::string others = "\r\ncolour = red\r\nreply_delay = 9\r\n";
    std::ofstream(mine, std::ios::binary) << "# mine\r\nlevel = club  # was novice" + others;
    fs::create_symlink(mine, link);
    std::string error;
    ASSERT_TRUE(saveSetting("level", "expert", error)) << error;
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(fileText(mine), "# mine\r\nlevel = expert  # was novice" + others);
    fs::remove(link);
    fs::create_symlink("/dev/zero", link);
    EXPECT_FALSE(saveSetting("level", "club", error));
    EXPECT_NE(error.find("left as it is"), std::string::npos) << error;
    EXPECT_TRUE(fs::is_symlink(link));
    fs::remove(link);
    ASSERT_TRUE(saveSetting("level", "novice", error)) << error;
    std::vector<std::string> problems;
    EXPECT_EQ(parseSettings(fileText(link), problems).level, Level::Novice);
    EXPECT_TRUE(problems.empty());
    unsetenv("XDG_CONFIG_HOME");
    fs::remove_all(root);
}

// A message quotes a short excerpt of its input, control characters and bytes
// that are not UTF-8 escaped: never megabytes, never a terminal's escape sequence.
TEST(MessagesTest, QuoteAShortEscapedExcerpt) {
    EXPECT_EQ(excerpt(std::string("a\0b\n\x1b[2J\xff\xd0\x98", 11) + std::string(50, 'x')),
              "a\\0b\\n\\x1b[2J\\xff\xd0\x98" + std::string(30, 'x') + "...");
    std::vector<std::string> problems;
    parseSettings(std::string(6 << 20, 'q') + " = 1\n\x1b]0;owned\x07 = 2\nlevel = \x9b" + std::string(6 << 20, 'q'),
                  problems);
    problems.push_back(readPdnText("1. " + std::string(6 << 20, 'c') + " *").games.at(0).error);
    ASSERT_EQ(problems.size(), 4u);
    for (const std::string& problem : problems) {
        EXPECT_LT(problem.size(), 120u) << problem.substr(0, 120);
        EXPECT_EQ(problem.find_first_of("\x1b\x07\x9b"), std::string::npos) << problem;
    }
}

// A scratch tree: <root>/cwd, <root>/prefix/bin (the program), <root>/prefix/share/draughts3d,
// <root>/source.
class DataFolderTest : public ::testing::Test {
protected:
    void SetUp() override {
        root = fs::temp_directory_path() / ("draughts3d-data-" + std::to_string(::getpid()));
        fs::remove_all(root);
        for (const char* dir : {"cwd", "prefix/bin", "prefix/share/draughts3d", "source"})
            fs::create_directories(root / dir);
        saved = fs::current_path();
        fs::current_path(root / "cwd");
    }
    void TearDown() override {
        fs::current_path(saved);
        fs::remove_all(root);
    }
    // Puts the nine pictures (or all but the last `missing`) under <folder>/Textures.
    void pictures(const fs::path& folder, int missing = 0) {
        fs::create_directories(folder / "Textures");
        for (int i = 0; i < kRoomPictureCount - missing; ++i)
            std::ofstream(folder / "Textures" / kRoomPictures[i]) << "BM";
    }
    // The program in <root>/prefix/bin, built in <root>/prefix or elsewhere.
    std::string find(const char* build = "prefix") {
        return findDataFolder((root / "prefix/bin").string(), (root / "source").string(), (root / build).string());
    }
    std::string installed() { return (root / "prefix/bin").string() + "/../share/draughts3d/"; }
    fs::path root, saved;
};

TEST_F(DataFolderTest, CurrentFolderThenInstalledDataThenSourceTree) {
    EXPECT_EQ(find(), "") << "nowhere: the current folder, so the errors name Textures/...";
    pictures(root / "source");
    EXPECT_EQ(find(), (root / "source").string() + "/");
    EXPECT_EQ(find("build"), "") << "a program outside its build tree never looks into the source tree";
    pictures(root / "prefix/share/draughts3d", 1);
    EXPECT_EQ(find(), (root / "source").string() + "/") << "an incomplete set is passed over";
    pictures(root / "prefix/share/draughts3d");
    EXPECT_EQ(find(), installed());
    pictures(root / "cwd");
    EXPECT_EQ(find(), "");
    EXPECT_EQ(findDataFolder("", "", ""), "");
}

TEST(RunningProgramTest, ExecutableFolderIsThisTestsFolder) {
    const std::string folder = runningExecutableFolder();
    ASSERT_FALSE(folder.empty());
    EXPECT_EQ(folder.back(), '/');
    EXPECT_TRUE(fs::exists(folder + "startup_tests"));
}

}  // namespace
