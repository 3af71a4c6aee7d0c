// The keeping of the game being played: its record follows the game's line.
#include "app/game_keeping.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "engine/pdn_read.h"
#include "engine/pdn_write.h"
#include "engine/search.h"
#include "engine/turn.h"

namespace {

namespace fs = std::filesystem;

class GameKeepingTest : public ::testing::Test {
protected:
    void SetUp() override {
        fs::remove_all(folder);
        keepGamesIn(folder.string() + "/");
        greenSide = 1;
        resetGame();
        searchTraceSink = [](const char*) {};
    }
    void TearDown() override {
        leaveGame();
        keepGamesIn("");
        fs::remove_all(folder);
    }
    // A typed move and the computer's reply, then the line handed over as a play frame does.
    void play(const char* move) {
        typeSquare(move[0] - 'a' + 1, move[1] - '0');
        typeSquare(move[2] - 'a' + 1, move[3] - '0');
        ASSERT_NE(playTypedMove(), 0) << move;
        playComputerReply();
        follow();
    }
    void follow(Side winner = 0) {
        followGame(GameLine{history, historyCount, historyForgotten, continuationSquare != Square{}, winner});
    }
    GameRecord onDisk(const std::string& path) {
        const PdnFile file = readPdnFile(path);
        EXPECT_TRUE(file.error.empty() && file.games.size() == 1 && file.games[0].ok) << path;
        return file.games.empty() ? GameRecord{} : file.games[0].record;
    }
    const fs::path folder = fs::temp_directory_path() / ("draughts3d-keeping-" + std::to_string(::getpid()));
};

// Made at the start, every move on disk, take-back and step forward mirrored,
// left abandoned, continued exactly in a new run, finished.
TEST_F(GameKeepingTest, TheRecordFollowsTheLineAndTheGameContinues) {
    keepNewGame(greenSide, currentPosition());
    const std::string path = keptGamePath();
    EXPECT_EQ(onDisk(path).moves.size(), 0u);
    play("g3h4");
    play("c3d4");
    EXPECT_EQ(onDisk(path).moves.size(), 4u);
    takeBack();
    follow();
    EXPECT_EQ(onDisk(path).moves.size(), 2u);
    stepForward();
    follow();
    const Position reached = currentPosition();
    const int records = historyCount;
    leaveGame();
    EXPECT_EQ(onDisk(path).termination, "Abandoned");

    greenSide = 2;
    resetGame();
    keepGamesIn(folder.string() + "/");
    ASSERT_TRUE(canContinueGame());
    ASSERT_TRUE(continueLatestGame());
    EXPECT_EQ(currentPosition(), reached);
    EXPECT_EQ(greenSide, 1);
    EXPECT_EQ(historyCount, records);
    EXPECT_EQ(keptGamePath(), path);
    play("a3b4");
    follow(1);
    const GameRecord finished = onDisk(path);
    EXPECT_EQ(finished.moves.size(), 6u);
    EXPECT_EQ(finished.result, GameResult::WhiteWins);
    EXPECT_EQ(finished.termination, "");
    leaveGame();
    EXPECT_FALSE(canContinueGame());
}

// Nothing written while an opened game stays on its file's line; a move off
// it starts a record from there, its start as a FEN.
TEST_F(GameKeepingTest, AnOpenedGameIsRecordedFromWhereItLeavesTheFile) {
    const PdnFile file = readPdnText("[BlackType \"human\"]\n1. c3-d4 f6-g5 2. b2-c3 *\n");
    ASSERT_TRUE(file.games[0].ok);
    openRecordedGame(file.games[0].record);
    EXPECT_EQ(greenSide, 2);
    EXPECT_EQ(historyCount, 3);
    takeBack();
    follow();
    stepForward();
    follow();
    EXPECT_EQ(keptGamePath(), "");
    takeBack();
    follow();
    const Position branch = currentPosition();
    play("a3b4");  // f6-g5 was c3-b4 here
    ASSERT_NE(keptGamePath(), "");
    const GameRecord kept = onDisk(keptGamePath());
    EXPECT_EQ(kept.start, branch);
    EXPECT_EQ(kept.moves.size(), 2u);
    EXPECT_NE(pdnText(kept).find("[FEN \"B:W"), std::string::npos);
}

TEST_F(GameKeepingTest, AFailedWriteIsSaidOnceAndTheGameGoesOn) {
    fs::create_directories(folder);
    std::ofstream(folder / "games") << "a file where the folder would be";
    keepGamesIn((folder / "games/").string());
    testing::internal::CaptureStderr();
    keepNewGame(greenSide, currentPosition());
    play("g3h4");
    const std::string said = testing::internal::GetCapturedStderr();
    EXPECT_NE(said.find("cannot be kept"), std::string::npos);
    EXPECT_EQ(said.find("cannot be kept"), said.rfind("cannot be kept"));
    EXPECT_EQ(historyCount, 2);
}

}  // namespace
