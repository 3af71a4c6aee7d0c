// The player's files: XDG folders, atomic writes, bounded reads, the games folder.
#include "app/game_files.h"
#include "app/user_files.h"

#include <gtest/gtest.h>

#include <sys/resource.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "engine/pdn_write.h"

namespace {

namespace fs = std::filesystem;

std::string fileText(const fs::path& path) {
    std::ostringstream text;
    text << std::ifstream(path).rdbuf();
    return text.str();
}

class UserFilesTest : public ::testing::Test {
protected:
    void SetUp() override {
        root = fs::temp_directory_path() / ("draughts3d-files-" + std::to_string(::getpid()));
        fs::remove_all(root);
        setenv("TZ", "UTC", 1);
        tzset();
    }
    void TearDown() override { fs::remove_all(root); }
    fs::path root;
};

TEST_F(UserFilesTest, XdgFoldersFollowTheRules) {
    EXPECT_EQ(xdgFolder("/x/cfg", "/home/u", ".config"), "/x/cfg/draughts3d/");
    EXPECT_EQ(xdgFolder(nullptr, "/home/u", ".config"), "/home/u/.config/draughts3d/");
    EXPECT_EQ(xdgFolder("", "/home/u/", ".local/share"), "/home/u/.local/share/draughts3d/");
    EXPECT_EQ(xdgFolder("relative/data", "/home/u", ".local/share"), "/home/u/.local/share/draughts3d/");
    EXPECT_EQ(xdgFolder(nullptr, nullptr, ".config"), "");
    setenv("XDG_DATA_HOME", root.c_str(), 1);
    EXPECT_EQ(gamesFolder(), root.string() + "/draughts3d/games/");
    unsetenv("XDG_DATA_HOME");
}

// A write that fails half-way (the file size limit, as a full disk would) leaves
// the old file whole and no temporary file behind; the next write replaces it.
TEST_F(UserFilesTest, AtomicWriteKeepsTheOldFileWhenTheWriteFails) {
    std::string error;
    ASSERT_TRUE(makeFolders((root / "a/b").string(), error)) << error;
    const std::string path = (root / "a/b/settings.ini").string();
    ASSERT_TRUE(writeFileAtomically(path, "old\n", error)) << error;

    rlimit saved;
    getrlimit(RLIMIT_FSIZE, &saved);
    rlimit small = saved;
    small.rlim_cur = 100;
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    setrlimit(RLIMIT_FSIZE, &small);
    const bool written = writeFileAtomically(path, std::string(5000, 'x'), error);
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_FALSE(written);
    EXPECT_NE(error.find("cannot write"), std::string::npos) << error;
    EXPECT_EQ(fileText(path), "old\n");
    EXPECT_EQ(std::distance(fs::directory_iterator(root / "a/b"), fs::directory_iterator()), 1);

    EXPECT_FALSE(writeFileAtomically((root / "missing/x").string(), "x", error));
    ASSERT_TRUE(writeFileAtomically(path, "new\n", error)) << error;
    std::string content;
    EXPECT_TRUE(readFileBounded(path, 4, content, error));
    EXPECT_EQ(content, "new\n");
    EXPECT_FALSE(readFileBounded(path, 3, content, error));
    EXPECT_NE(error.find("larger than 3 bytes"), std::string::npos) << error;
}

// Games of the same second get their own files; the latest is found by its
// name, and it can be continued only while it has no result.
TEST_F(UserFilesTest, GamesFolderKeepsEveryGameAndFindsTheLatest) {
    const std::string folder = (root / "games").string();
    EXPECT_EQ(findLatestGame(folder).path, "");
    GameRecord record = newGameRecord(1, initialPosition(1), 1796738733);
    std::string first, second, error;
    ASSERT_TRUE(createGameFile(folder, 1796738733, pdnText(record), first, error)) << error;
    ASSERT_TRUE(createGameFile(folder, 1796738733, "second", second, error)) << error;
    EXPECT_EQ(first, folder + "/2026-12-08_14-05-33.pdn");
    EXPECT_EQ(second, folder + "/2026-12-08_14-05-33_2.pdn");
    EXPECT_EQ(fileText(first), pdnText(record));

    // _10 is later than _2; other names are not records.
    const std::string tenth = folder + "/2026-12-08_14-05-33_10.pdn";
    for (const char* other : {"/2026-12-08_14-05-34.pdn.txt", "/notes.pdn", "/.2026-12-08_14-05-35.pdn.tmp-ab12cd"})
        ASSERT_TRUE(writeFileAtomically(folder + other, "x", error));
    ASSERT_TRUE(writeFileAtomically(tenth, pdnText(record), error));
    LatestGame latest = findLatestGame(folder);
    EXPECT_EQ(latest.path, tenth);
    EXPECT_TRUE(latest.readable && latest.unfinished);
    EXPECT_EQ(latest.record.greenSide, 1);

    record.result = resultForWinner(record, 1);
    ASSERT_TRUE(writeFileAtomically(tenth, pdnText(record), error));
    latest = findLatestGame(folder);
    EXPECT_TRUE(latest.readable);
    EXPECT_FALSE(latest.unfinished);

    ASSERT_TRUE(writeFileAtomically(folder + "/2027-01-01_00-00-00.pdn", "1. c3-c5 *", error));
    latest = findLatestGame(folder);
    EXPECT_FALSE(latest.readable || latest.unfinished);
    EXPECT_NE(latest.error.find("2027-01-01_00-00-00.pdn: game 1, line 1"), std::string::npos) << latest.error;
}

}  // namespace
