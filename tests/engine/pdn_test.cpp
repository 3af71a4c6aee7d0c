// Game records in PDN: real games in the forms other programs write, the
// writer's round trip, a pink-side game turned, and the inputs refused.
#include <gtest/gtest.h>

#include <sys/resource.h>

#include <chrono>
#include <fstream>
#include <sstream>

#include "engine/game/game_state.h"
#include "engine/records/pdn_read.h"
#include "engine/records/pdn_write.h"
#include "tests/engine/test_positions.h"

namespace {

const std::string kGames = std::string(DRAUGHTS_PDN_FOLDER) + "/games.pdn";
// The most a PDN file may have (app/files/game_files.h).
constexpr std::size_t kMaxPdnBytes = std::size_t(8) << 20;

std::string fileText(const std::string& path) {
    std::ostringstream text;
    text << std::ifstream(path, std::ios::binary).rdbuf();
    return text.str();
}

// Five games written by hand from the engine's own play (full paths with
// comments, a variation and marks; from/to-only captures with 'x' and moves
// without separator; numbered squares under both numberings with FEN ranges,
// kings and a trailing dot), with the final positions that play reached and
// how each stands by the rules.
TEST(Pdn, ToolReplaysRealGamesToTheirFinalPositions) {
    FILE* pipe = popen((std::string(DRAUGHTS_ENGINE_TOOL) + " --replay " + kGames).c_str(), "r");
    ASSERT_TRUE(pipe);
    std::string out;
    char buffer[4096];
    for (size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;) out.append(buffer, n);
    EXPECT_EQ(pclose(pipe), 0);
    EXPECT_EQ(out,
              "game 1: ok 75 moves, FEN B:WKf2:B, result 1-0 no-move\n"
              "game 2: ok 36 moves, FEN W:Wa1,a3,c3,e1,h4:Ba5,b6,c7,f4,h6,h8, result ongoing\n"
              "game 3: ok 21 moves, FEN B:Wa1,a7,c1,d2,e1,e3,f6,h2:B, result 1-0 no-move\n"
              "game 4: ok 9 moves, FEN B:Wb2,Kb8,c7,d2,e3,g1,h4,Kh8:B, result 1-0 no-move\n"
              "game 5: ok 24 moves, FEN W:Wb2:Ba7,e7,Kf2, result ongoing\n");
}

// Written, read back and written again: the same bytes, the same final position;
// only game 1's capture over a freed square gets the rule's comment.
TEST(Pdn, WriteReadWriteGivesTheSameBytes) {
    const PdnFile file = readPdnText(fileText(kGames));
    ASSERT_EQ(file.games.size(), 5u);
    for (const PdnGame& game : file.games) {
        ASSERT_TRUE(game.ok) << game.error;
        const std::string written = pdnText(game.record);
        const PdnFile again = readPdnText(written);
        ASSERT_EQ(again.games.size(), 1u);
        ASSERT_TRUE(again.games[0].ok) << again.games[0].error << "\n" << written;
        EXPECT_EQ(pdnText(again.games[0].record), written);
        EXPECT_EQ(again.games[0].finalPosition, game.finalPosition) << game.number;
        EXPECT_EQ(written.find("{draughts3d takes") != std::string::npos, game.number == 1) << written;
        EXPECT_EQ(written.find("[FEN") != std::string::npos, game.number >= 3) << written;
    }
}

// The player chose pink: the computer (side 2, ranks 6-8) opens as White. The
// file shows a standard game (White from ranks 1-3, the player named Black), and
// reading it gives back the game as it was played.
TEST(Pdn, PinkSideGameIsWrittenTurnedAndReadBack) {
    resetEngineState();
    greenSide = 2;
    GameRecord record = newGameRecord(2, initialPosition(2), 1796738733);
    restorePosition(record.start);
    for (int ply = 0; ply < 30; ++ply) {
        const std::vector<WholeMove> moves = listWholeMoves();
        ASSERT_FALSE(moves.empty());
        const WholeMove& move = moves[ply * 7 % moves.size()];
        HistoryRecord records[kMaxWholeMoveJumps];
        ASSERT_TRUE(playWholeMove(move, records).complete);
        record.moves.push_back(move);
    }
    EXPECT_GE(record.moves[0].from().rank, 6);
    const std::string text = pdnText(record);
    EXPECT_NE(text.find("[Black \"Player\"]\n"), std::string::npos);
    EXPECT_NE(text.find("\n1. " + wholeMoveText(record.moves[0], true) + ' '), std::string::npos) << text;
    EXPECT_LE(wholeMoveText(record.moves[0], true)[1], '3');
    EXPECT_EQ(text.find("[FEN"), std::string::npos);
    const PdnFile file = readPdnText(text);
    ASSERT_TRUE(file.games.at(0).ok) << file.games[0].error;
    const GameRecord& back = file.games[0].record;
    EXPECT_EQ(back.greenSide, 2);
    EXPECT_EQ(back.start, record.start);
    ASSERT_EQ(back.moves.size(), record.moves.size());
    for (size_t i = 0; i < back.moves.size(); ++i) EXPECT_TRUE(back.moves[i].samePath(record.moves[i])) << i;
    EXPECT_EQ(playRecord(back), 30);
    EXPECT_EQ(pdnView(currentPosition(), 2), file.games[0].finalPosition);
    greenSide = 1;
}

// What other programs read in a written game: a game Black opens numbers its
// first move "1...", a tag's quote and backslash are escaped (and read back as
// they were), and the winner is White or Black as the player's colour says.
TEST(Pdn, WrittenAsOtherProgramsReadIt) {
    resetEngineState();
    GameRecord record = newGameRecord(1, initialPosition(2), 1796738733);
    record.event = "a \\ and a \" quote";
    restorePosition(record.start);
    sideToMove = 2;
    const std::vector<WholeMove> moves = listWholeMoves();
    ASSERT_FALSE(moves.empty());
    record.moves.push_back(moves[0]);
    const std::string text = pdnText(record);
    EXPECT_NE(text.find("\n1... " + wholeMoveText(moves[0]) + ' '), std::string::npos) << text;
    EXPECT_NE(text.find("[Event \"a \\\\ and a \\\" quote\"]"), std::string::npos) << text;
    const PdnFile back = readPdnText(text);
    ASSERT_TRUE(back.games.at(0).ok) << back.games[0].error;
    EXPECT_EQ(back.games[0].record.event, record.event);

    for (const Side green : {Side{1}, Side{2}}) {
        record.greenSide = green;
        EXPECT_EQ(resultForWinner(record, green), GameResult::WhiteWins) << "the player, green, is White";
        EXPECT_EQ(resultForWinner(record, otherSide(green)), GameResult::BlackWins);
    }
}

// Tags in Windows-1251 or UTF-8 (with or without a byte-order mark) read alike.
TEST(Pdn, ReadsTagsInEitherEncoding) {
    const std::string utf8 = "\xD0\x98\xD0\xB2\xD0\xB0\xD0\xBD\xD0\xBE\xD0\xB2";  // "Иванов"
    for (const std::string prefix : {"", "\xEF\xBB\xBF"}) {
        for (const std::string& name : {utf8, std::string("\xC8\xE2\xE0\xED\xEE\xE2")}) {
            const PdnFile file = readPdnText(prefix + "[White \"" + name + "\"]\n1. c3-d4 *\n");
            ASSERT_EQ(file.games.size(), 1u);
            EXPECT_EQ(file.games[0].record.white, utf8);
        }
    }
}

// Every fault names its game and line; the other games of the file still read.
TEST(Pdn, RefusesBadInputWithTheGameAndLine) {
    struct Case {
        const char* text;
        int line;
        const char* reason;
    };
    const Case cases[] = {
        {"1. c3-d4 f6-e5\n2. d4-c5 *", 2, "d4-c5 is not a legal move for White"},
        {"1. c3-d4 b6-a5 2. d4-e5 b8-a7 *", 1, "b8-a7 is not a legal move for Black"},
        {"[FEN \"W:We1:Bd2,d4,f2,f4\"]\n1. e1xe1 *", 2, "could be e1:c3:e5:g3:e1 or e1:g3:e5:c3:e1"},
        {"[FEN \"W:Wz9:B1\"]\n*", 1, "'z9' is neither a1..h8 nor a number"},
        {"[FEN \"W:Wa2:Bb8\"]\n*", 1, "light square a2"},
        {"[FEN \"W:Wa1,c1:Bc1\"]\n*", 1, "names c1 twice"},
        {"[FEN \"W:W20-32:Bb8\"]\n*", 1, "more than twelve pieces a side"},
        {"[FEN \"X:Wa1:Bb8\"]\n*", 1, "must begin with W or B"},
        {"[GameType \"20\"]\n1. 32-28 *", 1, "GameType 20 is not Russian draughts"},
        {"1. c3-d4\n{ never closed\n*", 2, "comment '{' is never closed"},
        {"1. c3-d4 (1... b6-a5\n*", 1, "variation '(' is never closed"},
        {"[Event unquoted]\n*", 1, "must be [Name \"value\"]"},
        {"[Event \"no end]\n*", 1, "no closing quote"},
        {"1. c3-d4 }", 1, "unexpected '}'"},
        {"1. c3-d4 hello *", 1, "cannot read 'hello'"},
        {"1. c3-d9 *", 1, "cannot read 'c3-d9'"},
        {"1. 22-33 *", 1, "cannot read '22-33'"},
        {"[FEN \"W:Wa1:B\"]\n1. a1-b2 b8-a7 *", 2, "b8-a7 is not a legal move for Black"},
    };
    for (const Case& c : cases) {
        // The bad game between two good ones.
        const std::string text = std::string("1. c3-d4 *\n\n") + c.text + "\n\n[Event \"after\"]\n1. e3-f4 1-0\n";
        const PdnFile file = readPdnText(text);
        ASSERT_EQ(file.games.size(), 3u) << c.text;
        EXPECT_TRUE(file.games[0].ok && file.games[2].ok) << c.text;
        EXPECT_EQ(file.games[2].record.result, GameResult::WhiteWins) << c.text;
        const PdnGame& bad = file.games[1];
        EXPECT_FALSE(bad.ok) << c.text;
        EXPECT_EQ(bad.errorLine, c.line + 2) << c.text << ": " << bad.error;
        EXPECT_NE(bad.error.find(c.reason), std::string::npos) << c.text << ": " << bad.error;
    }
    EXPECT_EQ(pdnGameError("f.pdn", readPdnText("\n1. c3-c5 *").games.at(0)),
              "f.pdn: game 1, line 2: c3-c5 is not a legal move for White");
    EXPECT_EQ(readPdnText(" { nothing but a comment } ").error, "no game in the file");
}

// Hostile files. Games that each open a comment or a variation never closed
// are read in time that grows with the file (each was read to the end: 1 MiB
// took 40 s); 8 MiB (the most a file may have) of empty games, or of one endless
// game, in a few times the file's memory (678 MB for 1 MiB of empty games),
// every game counted and the one asked for read. Run alone, as ctest runs it,
// the growth of the peak is this test's.
TEST(Pdn, HostileFilesAreReadInLinearTimeAndBoundedMemory) {
    std::string unclosed;
    while (unclosed.size() < 1024 * 1024) unclosed += "[A \"\"]{\n[A \"\"](\n";
    const auto start = std::chrono::steady_clock::now();
    const PdnFileGame last = readPdnGame(unclosed, 131072);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
    EXPECT_TRUE(last.found && last.gameCount == 131072);
    EXPECT_EQ(last.game.error, "a variation '(' is never closed");

    std::string empty, endless = "[FEN \"W:WKa1:BKh2\"]\n";
    for (std::size_t i = 0; i < kMaxPdnBytes / 2; ++i) empty += "*\n";
    while (endless.size() < kMaxPdnBytes - 24) endless += "a1-b2 h2-g1 b2-a1 g1-h2\n";
    for (const std::string* text : {&empty, &endless}) {
        rusage before, after;
        getrusage(RUSAGE_SELF, &before);
        const PdnFileGame first = readPdnGame(*text, 1);
        getrusage(RUSAGE_SELF, &after);
        EXPECT_LT(after.ru_maxrss - before.ru_maxrss, 4 * long(kMaxPdnBytes / 1024));  // kilobytes
        EXPECT_TRUE(first.found);
        EXPECT_EQ(first.gameCount, text == &empty ? int(kMaxPdnBytes / 2) : 1);
        EXPECT_EQ(first.game.error, text == &empty ? "" : "the game has more than 10000 moves");
    }
}

}  // namespace
