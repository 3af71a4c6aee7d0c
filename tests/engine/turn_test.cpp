// The turn driver: typing, take-back, the computer's reply and whole games.
#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "engine/rules/rules.h"
#include "engine/classic/search.h"
#include "engine/game/turn.h"
#include "tests/engine/test_positions.h"

namespace {

void quiet(const char*) {}

class Turn : public ::testing::Test {
protected:
    void SetUp() override {
        resetEngineState();
        setupInitialPosition();
        viewAngleX = viewAngleY = 0;
        searchTraceSink = quiet;
    }
    // One play frame with these keys pressed and the arrows held.
    void frame(const std::vector<int>& presses) {
        MoveKeys keys = held;
        for (int k : presses) keys.presses[keys.pressCount++] = k;
        readMoveKeys(keys);
        turnStep();
    }
    MoveKeys held;
};

TEST_F(Turn, TypedMoveIsPlayedAndTheComputerAnswersNextFrame) {
    frame({'A'});
    EXPECT_EQ(typedMove[1], 1);
    frame({'3'});
    frame({'B'});
    EXPECT_EQ(historyCount, 0);
    frame({'4'});
    EXPECT_EQ(historyCount, 1);
    EXPECT_EQ(history[0].sideBefore, 1);
    EXPECT_EQ(board[2][4], 1);
    EXPECT_EQ(sideToMove, 2);
    frame({});
    EXPECT_EQ(historyCount, 2);
    EXPECT_EQ(history[1].sideBefore, 2);
    EXPECT_EQ(sideToMove, 1);
}

TEST_F(Turn, LettersAndDigitsFillFromThenTo) {
    frame({'A', 'B', '3', '4'});
    EXPECT_EQ(board[2][4], 1) << "A, B, 3, 4 in one frame play a3-b4";
    SetUp();
    frame({'A', 'A'});
    EXPECT_EQ(typedMove[1], 1);
    EXPECT_EQ(typedMove[3], 1) << "a second press of A fills the to-file";
    frame({'U'});
    EXPECT_EQ(typedMove[1] + typedMove[3], 0);
    frame({'C'});
    EXPECT_EQ(typedMove[1], 3) << "after U the next letter is a from-file again";
}

TEST_F(Turn, IllegalTypedMoveIsDiscarded) {
    const Snapshot before = takeSnapshot();
    frame({'C', '3', 'D', '5'});
    EXPECT_EQ(takeSnapshot(), before);
    EXPECT_EQ(historyCount, 0);
    for (int i = 0; i < 5; ++i) EXPECT_EQ(typedMove[i], 0);
    frame({'D', '4', 'E', '5'});  // an empty from-square is tried as a man of side 1
    EXPECT_EQ(takeSnapshot(), before);
}

TEST_F(Turn, TakeBackUndoesTheReplyAndTheHumanMove) {
    const Snapshot start = takeSnapshot();
    frame({'C', '3', 'D', '4'});
    frame({});
    EXPECT_EQ(historyCount, 2);
    frame({'9'});
    EXPECT_EQ(historyCount, 0);
    EXPECT_EQ(takeSnapshot(), start);
    frame({'9'});
    EXPECT_EQ(takeSnapshot(), start) << "nothing more to take back";
}

TEST_F(Turn, TakeBackOfTheComputersFirstMoveLetsItPlayAgain) {
    sideToMove = 2;
    frame({});
    EXPECT_EQ(historyCount, 1);
    EXPECT_EQ(sideToMove, 1);
    frame({'9'});
    // Undone, side 2 to move, and the computer replays within the same frame.
    EXPECT_EQ(historyCount, 1);
    EXPECT_EQ(sideToMove, 1);
}

TEST_F(Turn, ArrowKeysTurnTheViewWithinTheirLimits) {
    held.upHeld = true;
    int seen[6];
    for (int& v : seen) {
        frame({});
        v = viewAngleX;
    }
    EXPECT_EQ(seen[0], 3);
    EXPECT_EQ(seen[3], 12);
    EXPECT_EQ(seen[5], 12);
    held.upHeld = false;
    held.downHeld = true;
    for (int i = 0; i < 20; ++i) frame({});
    EXPECT_EQ(viewAngleX, -24);
    held.downHeld = false;
    held.leftHeld = true;
    frame({});
    frame({});
    EXPECT_EQ(viewAngleY, 6);
    held.rightHeld = true;
    frame({});
    EXPECT_EQ(viewAngleY, 6) << "left and right together cancel";
}

TEST_F(Turn, FullHistoryDropsItsOldestRecord) {
    historyCount = kHistoryCapacity;
    for (int i = 0; i < kHistoryCapacity; ++i) history[i].fromFile = i;
    frame({'C', '3', 'D', '4'});
    EXPECT_EQ(historyCount, kHistoryCapacity);
    EXPECT_EQ(history[0].fromFile, 1);
    EXPECT_EQ(history[kHistoryCapacity - 1].fromFile, 3);
    EXPECT_EQ(history[kHistoryCapacity - 1].toRank, 4);
    EXPECT_EQ(historyForgotten, 1);
}

// 0 plays again what 9 took back, a move and its reply at a time, only where
// it is allowed; the same move keeps the taken-back line, another forgets it.
TEST_F(Turn, StepForwardRedoesWhatTakeBackTookBack) {
    Snapshot seen[3] = {takeSnapshot()};
    for (int i : {1, 2}) {
        frame(i == 1 ? std::vector<int>{'G', '3', 'H', '4'} : std::vector<int>{'C', '3', 'D', '4'});
        frame({});
        seen[i] = takeSnapshot();
    }
    const struct {
        std::vector<int> keys;
        bool allowed;
        int at;  // -1: not looked at
    } steps[] = {{{'9', '9'}, true, 0}, {{'0'}, false, 0},  {{'0'}, true, 1}, {{'0', '0'}, true, 2},
                 {{'9', '0'}, true, 2}, {{'9', '9', 'G', '3', 'H', '4'}, true, -1}, {{}, true, 1}, {{'0'}, true, 2}};
    for (const auto& step : steps) {
        held.zeroStepsForward = step.allowed;
        frame(step.keys);
        if (step.at < 0) continue;
        EXPECT_EQ(takeSnapshot(), seen[step.at]) << "step to " << step.at;
    }
    frame({'9', 'E', '3', 'F', '4'});
    frame({});
    const Snapshot elsewhere = takeSnapshot();
    frame({'0'});
    EXPECT_TRUE(takeSnapshot() == elsewhere && elsewhere != seen[2]) << "a different move forgets the line";
}

// Two at the board: side 2's player types from the far side (c3 d4 is f6-e5),
// and 9 and 0 go one whole move at a time, whoever played it.
TEST_F(Turn, TheFarSideTypesTurnedSquaresAndStepsGoAMoveAtATime) {
    held.steps = StepScope::OneMove;
    MoveKeys keys = held;
    for (int k : {'C', '3', 'D', '4'}) keys.presses[keys.pressCount++] = k;
    readMoveKeys(keys);
    ASSERT_NE(playTypedMove(), kIllegal);
    keys.typedFromSide2 = true;
    readMoveKeys(keys);
    EXPECT_TRUE(typedMove[1] == 6 && typedMove[2] == 6 && typedMove[3] == 5 && typedMove[4] == 5);
    ASSERT_NE(playTypedMove(), kIllegal);
    const Snapshot both = takeSnapshot();
    readMoveKeys(MoveKeys{1, {'9'}, false, false, false, false, true, false, StepScope::OneMove});
    EXPECT_TRUE(historyCount == 1 && sideToMove == 2 && board[6][6] == kMan2);
    readMoveKeys(MoveKeys{1, {'0'}, false, false, false, false, true, false, StepScope::OneMove});
    EXPECT_EQ(takeSnapshot(), both);
}

// A long game taken up again: its history starts where a whole move begins.
TEST_F(Turn, SetHistoryKeepsTheLastWholeMoves) {
    std::vector<HistoryRecord> line(kHistoryCapacity + 5, HistoryRecord{});
    for (int i = 0; i < int(line.size()); ++i) line[i].fromFile = i, line[i].sideBefore = 1 + i % 2;
    line[5] = line[6] = line[4];  // records 4 to 6: one capture of three jumps
    line[5].continuationFileBefore = line[6].continuationFileBefore = 3;
    setHistory(line.data(), int(line.size()));
    EXPECT_EQ(historyForgotten, 7);
    EXPECT_EQ(historyCount, kHistoryCapacity - 2);
    EXPECT_EQ(history[0].fromFile, 7);
}

// A whole game: the human's moves typed key by key (a seeded choice among the
// legal ones), the computer's replies through turnStep, take-backs now and then,
// until a side is blocked.
TEST_F(Turn, WholeGameEndsWithABlockedSide) {
    std::mt19937 rng(7);
    int humanMoves = 0, takeBacks = 0;
    for (int frameCount = 0; frameCount < 2000; ++frameCount) {
        if (sideIsBlocked(1) || sideIsBlocked(2)) break;
        if (sideToMove == 2) {
            const int before = historyCount;
            frame({});
            ASSERT_EQ(historyCount, before + 1) << "the computer moves in its frame";
            continue;
        }
        if (historyCount > 2 && std::uniform_int_distribution<int>(0, 9)(rng) == 0) {
            const int before = historyCount;
            frame({'9'});
            ASSERT_LT(historyCount, before);
            ASSERT_EQ(sideToMove, 1);
            ++takeBacks;
            continue;
        }
        MoveList list;
        listLegalMoves(list);
        ASSERT_GT(list.count, 0);
        const ListedMove& m = list.moves[std::uniform_int_distribution<int>(0, list.count - 1)(rng)];
        frame({'A' + m.fromFile - 1, '0' + m.fromRank, 'A' + m.toFile - 1, '0' + m.toRank});
        ++humanMoves;
    }
    EXPECT_TRUE(sideIsBlocked(1) || sideIsBlocked(2));
    EXPECT_GT(humanMoves, 5);
    EXPECT_GT(takeBacks, 0);
}

}  // namespace
