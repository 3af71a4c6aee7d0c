// The moves shown outside classic mode and the advice, on a clock of plain
// numbers: when the computer's reply comes, what a take-back, a step forward
// over several moves and a reply typed over show, and how long a hint and a
// refusal stay. No window: the classes only work out what the screen presents.
#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>

#include "app/files/settings.h"
#include "app/screens/advice.h"
#include "app/screens/move_show.h"
#include "engine/classic/search.h"
#include "engine/game/turn.h"
#include "engine/levels/searcher.h"
#include "scene/move_animation.h"
#include "tests/engine/test_positions.h"

namespace {

void quiet(const char*) {}

// Waits (in real time: a search runs on its thread) until `done` holds; false
// after a minute, far beyond any level's budget even in a sanitizer build.
template <typename Done>
bool waitFor(Done done) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::minutes(1);
    while (!done()) {
        if (std::chrono::steady_clock::now() > end) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}

void playTyped(const char* move) {
    typedMove[1] = move[0] - 'a' + 1;
    typedMove[2] = move[1] - '0';
    typedMove[3] = move[2] - 'a' + 1;
    typedMove[4] = move[3] - '0';
    ASSERT_NE(playTypedMove(), kIllegal) << move;
}

int countMarks(const ScenePresentation& p, SquareMarkKind kind) {
    int n = 0;
    for (int i = 0; i < p.markCount; ++i) n += p.marks[i].kind == kind;
    return n;
}

bool marked(const ScenePresentation& p, Square square, SquareMarkKind kind) {
    for (int i = 0; i < p.markCount; ++i)
        if (p.marks[i].file == square.file && p.marks[i].rank == square.rank && p.marks[i].kind == kind) return true;
    return false;
}

// The last whole move on the history.
WholeMove lastMove() {
    const std::vector<HistorySpan> spans = wholeMoveSpans(history, historyCount);
    return wholeMoveFromRecords(&history[spans.back().first], spans.back().count);
}

class MoveShowTest : public ::testing::Test {
protected:
    void SetUp() override {
        searchTraceSink = quiet;
        settings = Settings{};
        show.setComputerLevel(Level::Classic);
        greenSide = 1;
        resetGame();
        show.startShowingMoves();
    }
    void TearDown() override { show.stopComputer(); }
    // A frame's advance, the game's end read from the board as the session reads it.
    void advance(double now) {
        GameStanding standing;
        standing.over = standing.winnerPicture = sideIsBlocked(1) || sideIsBlocked(2);
        show.advanceShownMoves(now, standing);
    }

    MoveShow show;
};

TEST_F(MoveShowTest, TheReplyComesOnceTheMoveHasLandedAndTheDelayHasPassed) {
    struct Case {
        AnimationSpeed animation;
        double delay;
    };
    for (const Case c : {Case{AnimationSpeed::Normal, 0.6}, Case{AnimationSpeed::Slow, 2.5},
                         Case{AnimationSpeed::Fast, 0}, Case{AnimationSpeed::Off, 1.0}}) {
        SCOPED_TRACE(std::string(animationName(c.animation)) + " " + std::to_string(c.delay));
        SetUp();
        settings.animation = c.animation;
        settings.replyDelay = c.delay;
        playTyped("c3d4");
        advance(10);
        const double landed = 10 + moveSeconds(lastMove(), animationFactor(c.animation));
        if (landed > 10) {
            EXPECT_GE(show.travelProgress(landed - 0.01), 0) << "c3-d4 travels until it lands";
        }
        EXPECT_EQ(show.travelProgress(landed), -1);
        if (landed + c.delay > 10) {
            advance(landed + c.delay - 0.01);
            EXPECT_EQ(jumpsPlayed(), 1) << "no reply before the move has landed and the delay passed";
            EXPECT_TRUE(show.computerToReply());
        }
        advance(landed + c.delay);
        ASSERT_EQ(jumpsPlayed(), 2) << "the reply is played when it is due";
        EXPECT_FALSE(show.computerToReply());
        const WholeMove reply = lastMove();
        if (c.animation != AnimationSpeed::Off) {
            EXPECT_GE(show.travelProgress(landed + c.delay + 0.01), 0) << "the reply travels in turn";
        }
        // Once it has landed, the reply alone is marked and written.
        const double replyLanded = landed + c.delay + moveSeconds(reply, animationFactor(c.animation));
        advance(replyLanded);
        ScenePresentation picture;
        show.presentMoves(replyLanded, picture);
        EXPECT_FALSE(picture.piecesGiven);
        EXPECT_TRUE(marked(picture, reply.from(), SquareMarkKind::MoveFrom));
        EXPECT_TRUE(marked(picture, reply.to(), SquareMarkKind::MoveTo));
        EXPECT_FALSE(marked(picture, Square{3, 3}, SquareMarkKind::MoveFrom));
        EXPECT_EQ(show.lastMovesText(), "You: c3-d4   Computer: " + wholeMoveText(reply));
        settings.lastMoveMarks = false;
        ScenePresentation unmarked;
        show.presentMoves(replyLanded, unmarked);
        EXPECT_EQ(unmarked.markCount, 0) << "the setting turns the marks off";
    }
}

TEST_F(MoveShowTest, ATakeBackEndsWhatTravelsAndTheReplyWaiting) {
    // Taken back while the player's move travels, and while the reply travels.
    for (const bool whileReplyTravels : {false, true}) {
        SCOPED_TRACE(whileReplyTravels ? "the reply travelling" : "the player's move travelling");
        SetUp();
        playTyped("c3d4");
        advance(0);
        if (whileReplyTravels) {
            advance(5);
            ASSERT_EQ(jumpsPlayed(), 2);
            ASSERT_GE(show.travelProgress(5.01), 0);
        }
        takeBack();
        ASSERT_EQ(jumpsPlayed(), 0);
        advance(5.05);
        EXPECT_EQ(show.travelProgress(5.06), -1);
        EXPECT_FALSE(show.computerToReply());
        ScenePresentation picture;
        show.presentMoves(5.06, picture);
        EXPECT_FALSE(picture.piecesGiven) << "the picture is the position taken back to";
        EXPECT_EQ(picture.markCount, 0);
        EXPECT_EQ(show.lastMovesText(), "");
        advance(30);
        EXPECT_EQ(jumpsPlayed(), 0) << "no reply to a move taken back";
    }
}

TEST_F(MoveShowTest, SteppingForwardOverSeveralMovesShowsOnlyTheLastTravelling) {
    double now = 0;
    for (int move = 0; move < 2; ++move) {
        if (move == 0)
            playTyped("c3d4");
        else
            ASSERT_TRUE(playChosenMove(listWholeMoves().front()).complete);
        advance(now += 0.01);
        advance(now += 5);  // the reply is played
        advance(now += 5);  // and has landed
        ASSERT_EQ(sideToMove, 1);
    }
    const Position after = currentPosition();
    const int jumps = jumpsPlayed();
    takeBack();
    takeBack();
    advance(now += 0.01);
    stepForward();  // c3-d4 and its reply
    ASSERT_EQ(sideToMove, 1);
    ASSERT_LT(jumpsPlayed(), jumps);
    const WholeMove reply = lastMove();
    advance(now += 0.01);
    ScenePresentation picture;
    show.presentMoves(now, picture);
    ASSERT_TRUE(picture.piecesGiven) << "the reply travels";
    EXPECT_EQ(picture.pieces[3][3], kEmpty) << "c3-d4 has landed at once";
    EXPECT_EQ(picture.pieces[4][4], kMan1);
    EXPECT_EQ(picture.pieces[reply.to().file][reply.to().rank], kEmpty) << "the reply has yet to arrive";
    ASSERT_GE(picture.floatingCount, 1);
    EXPECT_EQ(picture.floating[picture.floatingCount - 1].code, reply.movingCode);
    EXPECT_NEAR(picture.floating[picture.floatingCount - 1].file, reply.from().file, 0.01);
    EXPECT_NEAR(picture.floating[picture.floatingCount - 1].rank, reply.from().rank, 0.01);
    // The computer does not reply again: the player is to move.
    advance(now += 10);
    EXPECT_FALSE(show.computerToReply());
    EXPECT_NE(currentPosition(), after);
}

TEST_F(MoveShowTest, AReplyTypedOverIsPlayedAtOnceWithoutTravelling) {
    // The classic computer chooses on the spot; a level's search on its thread
    // must finish first, and the reply is played the moment it has.
    for (const Level level : {Level::Classic, Level::Beginner}) {
        SCOPED_TRACE(levelName(level));
        SetUp();
        show.setComputerLevel(level);
        show.setComputerSeed(3);
        playTyped("c3d4");
        advance(0);
        ASSERT_TRUE(show.computerToReply());
        EXPECT_TRUE(waitFor([&] {
            show.playWaitingReplyNow(0.1);
            return !show.computerToReply();
        }));
        EXPECT_EQ(jumpsPlayed(), 2);
        EXPECT_EQ(sideToMove, 1);
        EXPECT_EQ(show.travelProgress(0.1), -1) << "neither move travels";
        ScenePresentation picture;
        show.presentMoves(0.1, picture);
        EXPECT_FALSE(picture.piecesGiven);
        EXPECT_EQ(show.lastMovesText(), "You: c3-d4   Computer: " + wholeMoveText(lastMove()));
    }
}

TEST_F(MoveShowTest, AHintShowsTheClubLevelsBestMoveUntilAMoveOrItsTimeIsUp) {
    Advice advice;
    const WholeMove best = hintMove(currentPosition());
    ASSERT_EQ(best.squareCount, 2);
    advice.askForHint();
    ASSERT_TRUE(waitFor([&] {
        advice.advanceAdvice(5);
        return !advice.adviceText(5).empty();
    }));
    EXPECT_EQ(advice.adviceText(5), "Hint: " + wholeMoveText(best));
    ScenePresentation picture;
    advice.presentAdvice(5 + kAdviceSeconds - 0.1, picture);
    EXPECT_EQ(countMarks(picture, SquareMarkKind::Hint), 2);
    EXPECT_TRUE(marked(picture, best.from(), SquareMarkKind::Hint));
    EXPECT_TRUE(marked(picture, best.to(), SquareMarkKind::Hint));
    EXPECT_EQ(advice.adviceText(5 + kAdviceSeconds), "") << "the hint's time is up";
    ScenePresentation later;
    advice.presentAdvice(5 + kAdviceSeconds, later);
    EXPECT_EQ(later.markCount, 0);
    advice.movePlayed();
    EXPECT_EQ(advice.adviceText(5.1), "") << "a move drops the hint";

    // Asked for while the computer is to move: no hint.
    playTyped("c3d4");
    advice.askForHint();
    advice.advanceAdvice(6);
    EXPECT_EQ(advice.adviceText(6), "");

    // In positions of a game under way the hint is still the club level's one
    // best move, never a weaker level's or a choice among near equals.
    std::mt19937 rng(7);
    for (int game = 0; game < 24; ++game) {
        SetUp();
        if (!randomPlay(rng, 2 * (3 + game % 12)) || sideToMove != 1) continue;
        SCOPED_TRACE(describe(takeSnapshot()));
        const std::string expected = "Hint: " + wholeMoveText(hintMove(currentPosition()));
        Advice asked;
        asked.askForHint();
        ASSERT_TRUE(waitFor([&] {
            asked.advanceAdvice(5);
            return !asked.adviceText(5).empty();
        }));
        EXPECT_EQ(asked.adviceText(5), expected);
    }
}

TEST_F(MoveShowTest, ARefusalSaysWhyAndMarksTheCapturersUntilItsTimeIsUp) {
    Advice advice;
    setPieces({{"c3", kMan1}, {"d4", kMan2}, {"g3", kMan1}, {"f4", kMan2}, {"a1", kMan1}}, 1);
    advice.noteRefusedMove(20, 1, 1, 2, 2);  // a1-b2
    EXPECT_EQ(advice.adviceText(20), "A capture is compulsory: c3 takes on e5");
    ScenePresentation picture;
    advice.presentAdvice(20 + kAdviceSeconds - 0.1, picture);
    EXPECT_EQ(countMarks(picture, SquareMarkKind::MustCapture), 2);
    EXPECT_TRUE(marked(picture, Square{3, 3}, SquareMarkKind::MustCapture));
    EXPECT_TRUE(marked(picture, Square{7, 3}, SquareMarkKind::MustCapture));
    EXPECT_EQ(advice.adviceText(20 + kAdviceSeconds), "");
    ScenePresentation later;
    advice.presentAdvice(20 + kAdviceSeconds, later);
    EXPECT_EQ(later.markCount, 0);

    // A new refusal starts its own time.
    advice.noteRefusedMove(40, 1, 1, 1, 2);
    EXPECT_EQ(advice.adviceText(40 + kAdviceSeconds - 0.1), "Pieces stand on the dark squares only: a2 is a light square");
}

}  // namespace
