// The board, the initial position and the rules of movement.
#include <gtest/gtest.h>

#include "engine/game/game_state.h"
#include "engine/rules/board.h"
#include "engine/rules/rules.h"
#include "engine/rules/scratch.h"
#include "engine/classic/search.h"
#include "tests/engine/test_positions.h"

namespace {

std::vector<std::string> legalMoveNames() {
    MoveList list;
    listLegalMoves(list);
    std::vector<std::string> names;
    for (int i = 0; i < list.count; ++i) {
        const ListedMove& m = list.moves[i];
        std::string s;
        s += char('a' + m.fromFile - 1);
        s += char('0' + m.fromRank);
        s += char('a' + m.toFile - 1);
        s += char('0' + m.toRank);
        names.push_back(s);
    }
    return names;
}

// Reach map of the piece on `square` as "sq=kind" entries in scan order.
std::string reachOf(const char* square) {
    const Square s = sq(square);
    computeReach(s.file, s.rank, board[s.file][s.rank]);
    std::string out;
    for (int f = 1; f <= 8; ++f)
        for (int r = 1; r <= 8; ++r)
            if (reachMap[f][r] != 0) {
                if (!out.empty()) out += ' ';
                out += char('a' + f - 1);
                out += char('0' + r);
                out += '=' + std::to_string(reachMap[f][r]);
            }
    return out;
}

TEST(InitialPosition, TwelveMenEachOnTheDarkSquaresOfTheirThreeRanks) {
    resetEngineState();
    setupInitialPosition();
    int men1 = 0, men2 = 0;
    for (int f = 1; f <= 8; ++f)
        for (int r = 1; r <= 8; ++r) {
            if ((f + r) % 2 != 0 || r == 4 || r == 5) {
                EXPECT_EQ(board[f][r], 0) << f << ',' << r;
            }
            men1 += board[f][r] == 1;
            men2 += board[f][r] == 2;
        }
    EXPECT_EQ(men1, 12);
    EXPECT_EQ(men2, 12);
    for (const char* s : {"a1", "c1", "e1", "g1", "b2", "d2", "f2", "h2", "a3", "c3", "e3", "g3"})
        EXPECT_EQ(board[sq(s).file][sq(s).rank], 1) << s;
    for (const char* s : {"b6", "d6", "f6", "h6", "a7", "c7", "e7", "g7", "b8", "d8", "f8", "h8"})
        EXPECT_EQ(board[sq(s).file][sq(s).rank], 2) << s;
}

TEST(InitialPosition, LeavesTurnHistoryAndTypedMoveAlone) {
    resetEngineState();
    sideToMove = 2;
    continuationSquare = Square{3, 3};
    historyCount = 5;
    typedMove[1] = 4;
    setupInitialPosition();
    EXPECT_EQ(sideToMove, 2);
    EXPECT_EQ(continuationSquare, (Square{3, 3}));
    EXPECT_EQ(historyCount, 5);
    EXPECT_EQ(typedMove[1], 4);
}

TEST(InitialPosition, ClearCandidatesResetsEveryEntry) {
    candidateCount = 3;
    candidates[999].score = 5;
    candidates[0] = CandidateMove{1, 2, 3, 4, 7};
    clearCandidates();
    EXPECT_EQ(candidateCount, 0);
    for (const CandidateMove& c : candidates) {
        EXPECT_EQ(c.score, -30000);
        EXPECT_EQ(c.fromFile + c.fromRank + c.toFile + c.toRank, 0);
    }
}

TEST(MoveGeneration, InitialPositionHasSevenPlainMovesInScanOrder) {
    resetEngineState();
    setupInitialPosition();
    EXPECT_EQ(legalMoveNames(),
              (std::vector<std::string>{"a3b4", "c3b4", "c3d4", "e3d4", "e3f4", "g3f4", "g3h4"}));
    EXPECT_EQ(isLegalMove(3, 3, 4, 4, 1), kPlainMove);
    EXPECT_EQ(isLegalMove(3, 3, 4, 5, 1), kIllegal);
}

TEST(MoveGeneration, ManMovesForwardOnlyButCapturesBackwards) {
    setPieces({{"d4", 1}}, 1);
    EXPECT_EQ(reachOf("d4"), "c5=1 e5=1");
    setPieces({{"d4", 1}, {"c3", 2}}, 1);
    EXPECT_EQ(reachOf("d4"), "b2=2 c5=1 e5=1");
    EXPECT_EQ(legalMoveNames(), std::vector<std::string>{"d4b2"});
    setPieces({{"d4", 2}}, 2);
    EXPECT_EQ(reachOf("d4"), "c3=1 e3=1");
}

TEST(MoveGeneration, NothingIsCapturedOverTheEdgeOrOverTwoPieces) {
    setPieces({{"b4", 1}, {"a5", 2}}, 1);
    EXPECT_EQ(reachOf("b4"), "c5=1");
    setPieces({{"c3", 1}, {"d4", 2}, {"e5", 2}}, 1);
    EXPECT_EQ(reachOf("c3"), "b4=1");
    setPieces({{"c3", 1}, {"d4", 1}}, 1);
    EXPECT_EQ(reachOf("c3"), "b4=1");
}

TEST(MoveGeneration, FlyingKingLandsAnywhereBehindItsCapture) {
    setPieces({{"a1", 11}, {"d4", 2}}, 1);
    EXPECT_EQ(reachOf("a1"), "b2=1 c3=1 e5=2 f6=2 g7=2 h8=2");
}

TEST(MoveGeneration, KingMustLandWhereItCanCaptureAgain) {
    setPieces({{"a1", 11}, {"d4", 2}, {"g5", 2}}, 1);
    EXPECT_EQ(reachOf("a1"), "b2=1 c3=1 f6=2");
}

TEST(MoveGeneration, KingProbeSeesTheFirstCapturedPieceGone) {
    // From e5 the king could only "capture again" over d4 itself; that piece is
    // already gone, so no landing square is preferred.
    setPieces({{"a1", 11}, {"d4", 2}, {"c5", 2}}, 1);
    EXPECT_EQ(reachOf("a1"), "b2=1 c3=1 e5=2 f6=2 g7=2 h8=2");
    EXPECT_EQ(takeSnapshot().cells[4][4], 2) << "the probe puts the position back";
}

TEST(MoveGeneration, KingStopsAtOwnPiecesAndAtTwoInARow) {
    setPieces({{"a1", 11}, {"d4", 1}}, 1);
    EXPECT_EQ(reachOf("a1"), "b2=1 c3=1");
    setPieces({{"a1", 11}, {"d4", 2}, {"e5", 2}}, 1);
    EXPECT_EQ(reachOf("a1"), "b2=1 c3=1");
    setPieces({{"a1", 11}, {"h8", 2}}, 1);
    EXPECT_EQ(reachOf("a1"), "b2=1 c3=1 d4=1 e5=1 f6=1 g7=1");
}

TEST(MoveGeneration, KingCanCaptureLooksInEveryDirection) {
    setPieces({{"d4", 22}, {"b2", 1}}, 2);
    EXPECT_TRUE(kingCanCapture(4, 4, 22));
    setPieces({{"d4", 22}, {"a1", 1}}, 2);
    EXPECT_FALSE(kingCanCapture(4, 4, 22)) << "a piece on the edge cannot be captured";
    setPieces({{"d4", 22}, {"f6", 1}, {"g7", 2}}, 2);
    EXPECT_FALSE(kingCanCapture(4, 4, 22));
}

TEST(MoveGeneration, EmptySquareKeepsThePreviousMap) {
    setPieces({{"d4", 1}}, 1);
    EXPECT_TRUE(computeReach(4, 4, 1));
    EXPECT_TRUE(computeReach(5, 5, 0));
    EXPECT_EQ(reachMap[3][5], 1);
}

TEST(Legality, ForcedCaptureForbidsEveryPlainMove) {
    setPieces({{"a1", 1}, {"d4", 1}, {"e5", 2}}, 1);
    EXPECT_TRUE(sideHasCapture(1));
    EXPECT_EQ(isLegalMove(1, 1, 2, 2, 1), kIllegal);
    EXPECT_EQ(isLegalMove(4, 4, 3, 5, 1), kIllegal);
    EXPECT_EQ(isLegalMove(4, 4, 6, 6, 1), kCapture);
}

TEST(Legality, OnlyTheContinuingPieceMayMove) {
    setPieces({{"c3", 1}, {"d4", 2}, {"g3", 1}, {"h4", 2}, {"f2", 2}}, 1, sq("c3"));
    EXPECT_EQ(isLegalMove(3, 3, 5, 5, 1), kCapture);
    EXPECT_EQ(isLegalMove(7, 3, 5, 1, 1), kIllegal) << "another piece's capture";
}

TEST(Legality, WrongSideWrongCodeAndOffBoardAreIllegal) {
    resetEngineState();
    setupInitialPosition();
    EXPECT_EQ(isLegalMove(2, 6, 1, 5, 2), kIllegal) << "side 2 is not to move";
    EXPECT_EQ(isLegalMove(3, 3, 4, 4, 11), kIllegal) << "code differs from the square";
    EXPECT_EQ(isLegalMove(3, 3, 9, 9, 1), kIllegal);
    EXPECT_EQ(isLegalMove(0, 0, 1, 1, 0), kIllegal);
    EXPECT_EQ(isLegalMove(-5, 100, 3, 3, 1), kIllegal);
}

TEST(Blocked, NoPiecesOrNoMoveMeansBlocked) {
    setPieces({{"a1", 1}}, 1);
    EXPECT_TRUE(sideIsBlocked(2));
    EXPECT_FALSE(sideIsBlocked(1));
    // Side 1's men on a7 and c7 are stopped by b8/d8 and cannot capture.
    setPieces({{"a7", 1}, {"b8", 2}, {"h8", 2}}, 1);
    EXPECT_TRUE(sideIsBlocked(1));
    EXPECT_FALSE(sideIsBlocked(2));
    EXPECT_TRUE(sideIsBlocked(3));
}

// The check the sanitizer build makes after every move: each kind of unsound
// position is named, and the positions of a game are sound.
TEST(SoundPosition, EachFaultIsNamedAndGamePositionsPass) {
    setPieces({{"c3", 1}, {"d4", 2}}, 1, sq("c3"));
    EXPECT_EQ(positionFault(), nullptr) << "c3 can capture d4";
    resetEngineState();
    setupInitialPosition();
    EXPECT_TRUE(positionIsSound());

    struct Case {
        std::vector<Placed> pieces;
        Side side;
        Square cont;
        const char* fault;
    };
    const std::vector<Case> cases = {
        {{{"c3", 5}}, 1, {}, "an unknown piece code"},
        {{{"c4", 1}}, 1, {}, "a piece on a light square"},
        {{{"b8", 1}}, 1, {}, "a man left uncrowned on the far rank"},
        {{{"a1", 2}}, 1, {}, "a man left uncrowned on the far rank"},
        {{{"c3", 1}}, 3, {}, "no side to move"},
        {{{"c3", 1}}, 1, {3, 9}, "continuation square off the board"},
        {{{"c3", 2}, {"d4", 1}}, 1, sq("c3"), "continuation square without a piece of the side to move"},
        {{{"c3", 1}, {"e5", 2}}, 1, sq("c3"), "continuation square on a piece that cannot capture"},
    };
    for (const Case& c : cases) {
        setPieces(c.pieces, c.side, c.cont);
        const char* fault = positionFault();
        EXPECT_STREQ(fault ? fault : "sound", c.fault) << c.pieces[0].square;
    }
    setPieces({}, 1);
    board[0][3] = kMan1;
    EXPECT_STREQ(positionFault(), "a piece outside the playing area");
    setPieces({}, 1);
    int placed = 0;
    for (int f = 1; f <= 8; ++f)
        for (int r = 1; r <= 8 && placed < 13; ++r)
            if ((f + r) % 2 == 0 && r < 8) board[f][r] = kKing1, ++placed;
    EXPECT_STREQ(positionFault(), "more than twelve pieces a side");
}

}  // namespace
