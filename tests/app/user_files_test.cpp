// The player's files: XDG folders, atomic writes, bounded reads, the games folder, the game kept.
#include "app/files/game_files.h"
#include "app/files/game_keeping.h"
#include "app/files/user_files.h"

#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <tuple>

#include "engine/records/pdn_read.h"
#include "engine/records/pdn_write.h"
#include "engine/rules/position_text.h"
#include "engine/classic/search.h"
#include "engine/game/turn.h"

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
    EXPECT_EQ(first, folder + "/2026-12-08_14-05-33Z.pdn");
    EXPECT_EQ(second, folder + "/2026-12-08_14-05-33Z_2.pdn");
    EXPECT_EQ(fileText(first), pdnText(record));

    // _10 is later than _2 (an earlier version's name, in local time); other names are not records.
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

    // A FIFO in a record's place (or the settings') is refused at once, not waited on.
    const std::string fifo = folder + "/2028-01-01_00-00-00.pdn";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    latest = findLatestGame(folder);
    EXPECT_FALSE(latest.readable);
    std::string content;
    EXPECT_FALSE(readFileBounded(fifo, 100, content, error));

    // A PDN file that cannot be read says why, as the player is told; one over
    // the limit is refused without being read (a sparse file: no data written).
    EXPECT_EQ(readGamesFile(folder + "/missing.pdn").error.rfind("cannot open it: ", 0), 0u);
    EXPECT_EQ(readGamesFile(fifo).error, "it is not a regular file");
    const std::string big = folder + "/big.pdn";
    std::FILE* out = std::fopen(big.c_str(), "wb");
    ASSERT_TRUE(out);
    ASSERT_EQ(ftruncate(fileno(out), kMaxPdnFileBytes + 1), 0);
    std::fclose(out);
    EXPECT_EQ(readGamesFile(big).error, "it is larger than the 8 MiB a PDN file may have");
}

// A game started under one time zone and a later one under another are taken
// up in the order they were played; an earlier version's name, in this zone's
// time, is ordered among them.
TEST_F(UserFilesTest, TheLatestGameIsFoundWhateverTheTimeZone) {
    const std::string folder = (root / "games").string();
    GameRecord record = newGameRecord(1, initialPosition(1), 1796738733);
    std::string path, error;
    setenv("TZ", "JST-9", 1);
    tzset();
    ASSERT_TRUE(createGameFile(folder, 1796738733, pdnText(record), path, error)) << error;
    setenv("TZ", "EST5", 1);
    tzset();
    record.event = "later";
    ASSERT_TRUE(createGameFile(folder, 1796738733 + 60, pdnText(record), path, error)) << error;
    EXPECT_EQ(findLatestGame(folder).path, path);
    EXPECT_EQ(findLatestGame(folder).record.event, "later");
    ASSERT_TRUE(writeFileAtomically(folder + "/2026-12-08_09-07-00.pdn", pdnText(record), error));
    EXPECT_EQ(findLatestGame(folder).path, folder + "/2026-12-08_09-07-00.pdn");
}

// The keeping of the games played in these tests.
GameKeeping keeping;

// The line handed over as a play frame does, after `action`.
void follow(
    void (*action)() = [] {}, Side winner = 0) {
    action();
    keeping.followGame(GameLine{history, historyCount, historyForgotten, continuationSquare != Square{}, winner});
}
// A typed move and the computer's reply.
void play(const char* move) {
    typeSquare(move[0] - 'a' + 1, move[1] - '0');
    typeSquare(move[2] - 'a' + 1, move[3] - '0');
    ASSERT_NE(playTypedMove(), 0) << move;
    follow([] { playComputerReply(); });
}
// The line as a play frame outside classic mode hands it over: the keeping judges its end.
void judge(void (*action)() = [] {}) {
    action();
    keeping.followGame(GameLine{history, historyCount, historyForgotten, continuationSquare != Square{}, 0, true});
}
// A typed move of the side to move, either side's.
void move(const char* m) {
    for (int i : {0, 2}) typeSquare(m[i] - 'a' + 1, m[i + 1] - '0');
    ASSERT_NE(playTypedMove(), 0) << m;
    judge();
}
GameRecord onDisk() {
    const PdnFileGame file = readGamesFile(keeping.keptGamePath());
    return file.gameCount == 1 && file.game.ok ? file.game.record : GameRecord{};
}

// The keeping of the game being played, its games folder under `root`.
struct GameKeepingTest : UserFilesTest {
    void SetUp() override {
        UserFilesTest::SetUp();
        keeping.keepGamesIn(root.string() + "/");
        greenSide = 1;
        resetGame();
        searchTraceSink = [](const char*) {};
    }
    void TearDown() override {
        keeping.leaveGame();
        keeping.keepGamesIn("");
        UserFilesTest::TearDown();
    }
};

// Take-back and step forward mirrored, left abandoned, continued exactly in a
// new run, finished.
TEST_F(GameKeepingTest, TheRecordFollowsTheLineAndTheGameContinues) {
    keeping.keepNewGame(greenSide, currentPosition());
    play("g3h4");
    play("c3d4");
    follow(takeBack);
    EXPECT_EQ(onDisk().moves.size(), 2u);
    follow(stepForward);
    const Position reached = currentPosition();
    const std::string path = keeping.keptGamePath();
    keeping.leaveGame();
    EXPECT_EQ(onDisk().termination, "Abandoned");
    keeping.keepGamesIn(root.string() + "/");
    ASSERT_TRUE(keeping.canContinueGame() && keeping.continueLatestGame());
    EXPECT_EQ(currentPosition(), reached);
    EXPECT_EQ(historyCount, 4);
    play("a3b4");
    follow([] {}, 1);
    EXPECT_EQ(keeping.keptGamePath(), path);
    EXPECT_EQ(onDisk().moves.size(), 6u);
    EXPECT_TRUE(onDisk().result == GameResult::WhiteWins && onDisk().termination.empty());
    keeping.leaveGame();
    EXPECT_FALSE(keeping.canContinueGame());
}

// Two players and the computer against itself: the record names the players
// with their types, a resignation is the side's that resigned, and Continue
// takes each game up as what it was.
TEST_F(GameKeepingTest, PlayersOnRecordAreTakenUpAgainAsTheyWere) {
    keeping.keepNewGame(1, currentPosition(), {}, twoPlayersSeats(1, "Green", "Anna"));
    move("c3d4");
    EXPECT_TRUE(onDisk().white == "Green" && onDisk().black == "Anna" && onDisk().blackType == "human");
    keeping.leaveGame();
    keeping.keepGamesIn(root.string() + "/");
    ASSERT_TRUE(keeping.continueLatestGame(Level::Club));
    EXPECT_TRUE(keeping.keptGameSeats().twoPlayers() && keeping.keptGameSeats().side[2].name == "Anna");
    keeping.endByPlayer(Termination::Resignation, 2);
    EXPECT_EQ(onDisk().result, GameResult::WhiteWins);
    keeping.leaveGame();

    resetGame();
    keeping.keepNewGame(1, currentPosition(), 7, watchSeats(1, Level::Expert, Level::Novice));
    move("c3d4");
    keeping.leaveGame();
    keeping.keepGamesIn(root.string() + "/");
    ASSERT_TRUE(keeping.continueLatestGame(Level::Club));
    const Seats seats = keeping.keptGameSeats();
    EXPECT_TRUE(seats.watched() && seats.side[1].level == Level::Expert && seats.side[2].level == Level::Novice);
}

// Nothing written while an opened game stays on its file's line; a move off
// it starts a record from there, its start as a FEN. A bad file is named.
TEST_F(GameKeepingTest, AnOpenedGameIsRecordedFromWhereItLeavesTheFile) {
    const std::string file = root.string() + ".pdn";
    std::string error;
    std::ofstream(file) << "[BlackType \"human\"]\n1. c3-d4 f6-g5 2. b2-c3 *\n1. c3-d5 *\n";
    EXPECT_FALSE(keeping.openGameFile(file, 2, error));
    EXPECT_NE(error.find(".pdn: game 2, line 3: "), std::string::npos) << error;
    ASSERT_TRUE(keeping.openGameFile(file, 1, error) && fs::remove(file));
    EXPECT_EQ(greenSide, 2);
    for (void (*action)() : {takeBack, stepForward, takeBack}) follow(action);
    EXPECT_EQ(keeping.keptGamePath(), "");
    const Position branch = currentPosition();
    play("a3b4");  // not c3-b4, the file's f6-g5
    EXPECT_EQ(onDisk().start, branch);
    EXPECT_EQ(onDisk().moves.size(), 2u);
    EXPECT_NE(pdnText(onDisk()).find("[FEN \"B:W"), std::string::npos);
    // Taken back to before where the record starts: it starts anew from there.
    for (int i = 0; i < 2; ++i) follow(takeBack);
    EXPECT_EQ(onDisk().start, currentPosition());
    EXPECT_TRUE(onDisk().moves.empty());
}

// A games folder that cannot be written is said for the screen, with the
// reason, until a write succeeds.
TEST_F(GameKeepingTest, AFolderThatCannotBeWrittenIsSaid) {
    const std::string blocked = root.string() + "/blocked/";
    fs::create_directories(root);
    std::ofstream(root / "blocked") << "a file where the folder should be";
    keeping.keepGamesIn(blocked);
    keeping.keepNewGame(greenSide, currentPosition());
    EXPECT_EQ(keeping.keepingFault(), "Games cannot be kept (Not a directory): " + blocked);
    fs::remove(root / "blocked");
    play("c3d4");
    EXPECT_EQ(keeping.keepingFault(), "");
    EXPECT_EQ(onDisk().moves.size(), 2u);
}

// Two kings each shuffled: the third time the position comes, the game is
// drawn; taken back, it goes on; the player's own ends; a finished game is
// not offered to continue. The computer is named by its level.
TEST_F(GameKeepingTest, TheEndIsRecordedWithItsReasonAndIsNotContinued) {
    Position kings;
    std::string error;
    ASSERT_TRUE(parseCells(".....B.B" + std::string(48, '.') + "W.W.....", kings.cells, error)) << error;
    restorePosition(kings);
    keeping.keepNewGame(1, kings, {}, Level::Expert);
    for (const char* m : {"c1b2", "f8e7", "b2c1", "e7f8", "c1b2", "f8e7", "b2c1"}) move(m);
    EXPECT_FALSE(keeping.gameEnd().over);
    move("e7f8");
    EXPECT_EQ(keeping.gameEnd().why, Termination::Repetition);
    EXPECT_EQ(onDisk().black, "draughts3d Expert");
    // Each end taken back with the move before it, and the next one made.
    const std::tuple<Termination, GameResult, const char*> ends[] = {
        {Termination::Repetition, GameResult::Draw, "Repetition"},
        {Termination::Resignation, GameResult::BlackWins, "Resignation"},
        {Termination::DrawAgreed, GameResult::Draw, "Draw agreed"}};
    for (const auto& [how, result, termination] : ends) {
        if (how != Termination::Repetition) keeping.endByPlayer(how);
        EXPECT_TRUE(onDisk().result == result && onDisk().termination == termination) << termination;
        if (how == Termination::DrawAgreed) break;
        judge(takeBack);
        EXPECT_TRUE(!keeping.gameEnd().over && onDisk().result == GameResult::Unfinished && onDisk().termination.empty());
    }
    keeping.leaveGame();
    keeping.keepGamesIn(root.string() + "/");
    EXPECT_FALSE(keeping.canContinueGame());
}

// An opened file's ended game shows its end at its last position only, keeps
// nothing and leaves "Continue" to the player's own game; the levels named.
TEST_F(GameKeepingTest, AnOpenedFinishedGameShowsItsEndAndKeepsNothing) {
    keeping.keepNewGame(greenSide, currentPosition());
    play("c3d4");
    keeping.leaveGame();
    ASSERT_TRUE(keeping.canContinueGame() && keeping.continueLatestGame(Level::Novice));
    EXPECT_EQ(keeping.keptGameLevel(), Level::Novice);  // "draughts3d" names none
    keeping.leaveGame();
    const std::string file = root.string() + ".pdn";
    std::string error;
    std::ofstream(file) << "[Black \"draughts3d Strong\"]\n1. c3-d4 f6-g5 0-1\n";
    ASSERT_TRUE(keeping.openGameFile(file, 1, error, Level::Beginner) && fs::remove(file)) << error;
    EXPECT_EQ(keeping.keptGameLevel(), Level::Strong);
    judge();
    EXPECT_TRUE(keeping.gameEnd().fromFile && keeping.gameEnd().winner == 2 &&
                keeping.gameEnd().result == GameResult::BlackWins);
    judge(takeBack);
    EXPECT_FALSE(keeping.gameEnd().over);
    judge(stepForward);
    EXPECT_TRUE(keeping.gameEnd().over && keeping.openedGameUnplayed());
    keeping.leaveGame();
    EXPECT_TRUE(keeping.keptGamePath().empty() && keeping.canContinueGame());
}
}  // namespace
