// The command-line tool, driven as a user would: lines in, lines out.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <map>
#include <sstream>
#include <string>

#include <unistd.h>

namespace {

std::string runTool(const std::string& input, const char* env = "", const char* args = "") {
    // Each run gets a file of its own: ctest runs these tests side by side.
    static int runs = 0;
    const std::string inputPath =
        ::testing::TempDir() + "tool_input_" + std::to_string(getpid()) + "_" + std::to_string(runs++) + ".txt";
    std::ofstream(inputPath) << input;
    const std::string command =
        std::string(env) + " " + DRAUGHTS_ENGINE_TOOL + " " + args + " < " + inputPath + " 2>/dev/null";
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return "popen failed";
    std::string out;
    char buffer[4096];
    size_t n;
    while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) out.append(buffer, n);
    const int status = pclose(pipe);
    std::remove(inputPath.c_str());
    if (status != 0) out += "\nexit status " + std::to_string(status);
    return out;
}

const char* kInitial = "pos .b.b.b.bb.b.b.b..b.b.b.b................w.w.w.w..w.w.w.ww.w.w.w. 1 -";

TEST(EngineTool, ShowsTheInitialPositionAndItsMoves) {
    EXPECT_EQ(runTool("init\nshow\nmoves\n"),
              std::string("ok\n") + kInitial + "\na3b4 1\nc3b4 1\nc3d4 1\ne3d4 1\ne3f4 1\ng3f4 1\ng3h4 1\ncount 7\n");
}

TEST(EngineTool, PerftCountsSingleMovesAndWholeTurns) {
    EXPECT_EQ(runTool("init\nperft 2\nperftturn 3\nperftturn 4\n"), "ok\nperft 2 49\nperft 3 302\nperft 4 1469\n");
}

TEST(EngineTool, PlayAndTakeBack) {
    EXPECT_EQ(runTool("init\nplay c3d5\nplay c3d4\nplay b6a5\nplay d4b6\ntakeback\nshow\n"),
              "ok\nillegal\nplayed c3d4 1\nplayed b6a5 1\nillegal\nok\n"
              "pos .b.b.b.bb.b.b.b..b.b.b.b................w.w.w.w..w.w.w.ww.w.w.w. 1 -\n");
}

TEST(EngineTool, PositionsAreCheckedAndRoundTrip) {
    const std::string p = "pos .......B..................b......w.................w........W... 2 -";
    EXPECT_EQ(runTool(p + "\nshow\n"), "ok\n" + p + "\n");
    EXPECT_EQ(runTool("pos x 1 -\n").substr(0, 7), "error: ");
    EXPECT_EQ(runTool("pos w............................................................... 1 -\n").substr(0, 7),
              "error: ")
        << "a8 is a light square";
    EXPECT_EQ(runTool(p.substr(0, 69) + " 3 -\n").substr(0, 7), "error: ");
    EXPECT_EQ(runTool(p.substr(0, 69) + " 1 z9\n").substr(0, 7), "error: ");
    EXPECT_EQ(runTool("frobnicate\ninit\n"), "error: unknown command 'frobnicate'\nok\n");
}

TEST(EngineTool, SearchReportsCandidatesAndChoiceBothWays) {
    const std::string input = "init\nplay c3d4\nsearch\n";
    const std::string fast = runTool(input);
    const std::string literal = runTool("literal on\n" + input);
    EXPECT_EQ("ok\n" + fast, literal);
    EXPECT_NE(fast.find("ok\nplayed c3d4 1\n0  0  0  0  0  0  0  \ncand "), std::string::npos) << fast;
    EXPECT_NE(fast.find("chosen "), std::string::npos);
    EXPECT_NE(fast.find("result "), std::string::npos);
    EXPECT_EQ(runTool(input, "DRAUGHTS3D_LITERAL_SEARCH=1"), fast);
}

TEST(EngineTool, SearchWithoutMovesChoosesNone) {
    EXPECT_EQ(runTool("pos ........................................................b....... 2 -\nsearch\n"),
              "ok\n\nchosen none\nresult -30000\n");
}

TEST(EngineTool, LevelsAndSeedsChooseWholeMoves) {
    // Side 2's man on b6 takes c5 and e3: one move, every landing square written.
    const std::string out = runTool(
        "pos .................b........w.................w..........w........ 2 -\nlevel club\nseed 12\nsearch\n");
    EXPECT_EQ(out.substr(0, 9), "ok\nok\nok\n") << out;
    EXPECT_EQ(out.substr(out.rfind("chosen")), "chosen b6d4f2\n") << out;
    EXPECT_EQ(runTool("level grandmaster\nseed x\n"),
              "error: unknown level 'grandmaster' (beginner, novice, club, strong, expert, classic)\n"
              "error: seed needs a whole number\n");
    const std::string again = "init\nlevel novice\nseed 3\nsearch\nsearch\n";
    const std::string twice = runTool(again);
    const std::string first = twice.substr(twice.find("chosen"), 12);
    EXPECT_EQ(twice.substr(twice.rfind("chosen"), 12), first);
    EXPECT_EQ(runTool("level classic\ninit\nplay c3d4\nsearch\n"), "ok\n" + runTool("init\nplay c3d4\nsearch\n"));
}

// A position given as its pieces, "Wa1 wg1 Bc5": W and w side 1's king and man, B and b side 2's.
std::string cellsOf(const std::string& pieces) {
    std::string cells(64, '.');
    std::istringstream in(pieces);
    for (std::string p; in >> p;) cells[(8 - (p[2] - '0')) * 8 + (p[1] - 'a')] = p[0];
    return cells;
}

// A game by the rules' draws: each side's king goes round its squares, side 1's
// a1 b2 c3, side 2's c5 d6 e7 f8, never within reach of the other's; a move
// written for a ply number is played instead. The result is asked one ply
// before the last and after it.
struct RuleCase {
    const char* pieces;
    int side;  // to move first
    const char* moves;
    int plies;
    const char* before;
    const char* at;
};

std::string ruleGame(const RuleCase& c) {
    const std::vector<std::string> rounds[3] = {{}, {"a1", "b2", "c3"}, {"c5", "d6", "e7", "f8"}};
    std::map<int, std::string> written;
    std::istringstream in(c.moves);
    for (std::string m; in >> m;) written[std::stoi(m)] = m.substr(m.find(':') + 1);
    std::string input = "pos " + cellsOf(c.pieces) + " " + std::to_string(c.side) + " -\n";
    int at[3] = {}, mover = c.side;
    for (int ply = 1; ply <= c.plies; ++ply, mover = 3 - mover) {
        if (ply == c.plies) input += "result\n";
        const std::vector<std::string>& round = rounds[mover];
        if (written.count(ply)) {
            input += "play " + written[ply] + "\n";
        } else {
            input += "play " + round[at[mover]];
            at[mover] = (at[mover] + 1) % round.size();
            input += round[at[mover]] + "\n";
        }
    }
    return input + "result\n";
}

TEST(EngineTool, ResultDeclaresEachRuleAtItsPly) {
    const char* const kBalance6 = "21:g1h2 46:a7b6 71:c1d2 96:b6a5";
    const RuleCase cases[] = {
        {"Wa1 Bc5", 1, "1:a1b2 2:c5d6 3:b2a1 4:d6c5 5:a1b2 6:c5d6 7:b2a1 8:d6c5", 8, "ongoing", "1/2-1/2 repetition"},
        {"Wa1 Bc5", 1, "", 30, "ongoing", "1/2-1/2 kings-only"},
        {"Wa1 Wh8 Wh6 Bc5", 1, "", 29, "ongoing", "1/2-1/2 three-kings"},
        // The lone king first: kings only would come at the same ply.
        {"Wa1 Wh8 Wh6 Bc5", 2, "", 30, "ongoing", "1/2-1/2 three-kings"},
        {"Wa1 wg1 Bc5 ba7", 1, "21:g1h2 46:a7b6", 60, "ongoing", "1/2-1/2 balance"},
        // Counted again from a promotion, and from a capture to five pieces.
        {"Wa1 wc1 Bc5 bh2 ba7", 1, "2:h2g1 27:c1d2 52:a7b6", 62, "ongoing", "1/2-1/2 balance"},
        {"Wa1 we1 wh2 Bc5 be3 ba7", 1, "20:e3f2 21:e1g3 46:a7b6 70:b6a5", 81, "ongoing", "1/2-1/2 balance"},
        {"Wa1 wg1 wc1 Bc5 ba7 bh8", 1, kBalance6, 120, "ongoing", "1/2-1/2 balance"},
        {"Wa1 wg1 wc1 we1 Bc5 ba7 bh8 bb8", 1, kBalance6, 120, "ongoing", "ongoing"},
        {"wg3 we1 bh4", 1, "1:e1f2", 1, "ongoing", "1-0 no-move"},
        {"bb6 bd8 wa5", 2, "1:d8c7", 1, "ongoing", "0-1 no-move"},
    };
    for (const RuleCase& c : cases) {
        std::istringstream out(runTool(ruleGame(c)));
        std::string answers;
        for (std::string line; std::getline(out, line);)
            if (line.rfind("played ", 0) != 0) answers += line + "\n";
        EXPECT_EQ(answers, std::string("ok\n") + c.before + "\n" + c.at + "\n") << c.pieces << " " << c.plies;
    }
    // Taking back and a new game follow the game.
    const std::string tail = "1/2-1/2 repetition\nok\nongoing\nok\nongoing\n";
    const std::string out = runTool(ruleGame(cases[0]) + "takeback\nresult\ninit\nresult\n");
    EXPECT_EQ(out.substr(out.size() - std::min(out.size(), tail.size())), tail);
}

// The level's search knows the game's past: side 1, ahead, moves its man
// rather than draw by its king's 15th move (without the counts, c3d4); side 2,
// behind, draws with its king (without the past, it moves its man: a7b6).
TEST(EngineTool, LevelsAvoidOrSeekTheKingsOnlyDraw) {
    const std::string ahead = runTool(ruleGame({"Wa1 Wh8 wg1 Bc5", 2, "", 29, "", ""}) + "level club\nsearch\n");
    EXPECT_EQ(ahead.substr(ahead.rfind("chosen"), 9), "chosen g1") << ahead;
    const std::string behind = runTool(ruleGame({"Wa1 Wh8 wg1 Bc5 ba7", 1, "", 29, "", ""}) + "level club\nsearch\n");
    EXPECT_EQ(behind.substr(behind.rfind("chosen"), 9), "chosen e7") << behind;
}

TEST(EngineTool, MatchPrintsTheScoreAndTheTimes) {
    const std::string text = runTool("", "", "--match beginner novice 2");
    EXPECT_EQ(text.substr(0, 30), "match beginner novice 2 games\n") << text;
    EXPECT_NE(text.find("\ngame 2: novice (side 1) v beginner: "), std::string::npos) << text;
    EXPECT_NE(text.find("\nscore beginner "), std::string::npos) << text;
    EXPECT_NE(text.find("\ndraws by reason: repetition "), std::string::npos) << text;
    EXPECT_NE(text.find("\ntime per move novice: mean "), std::string::npos) << text;
    EXPECT_NE(runTool("", "", "--match club nobody 2").find("exit status"), std::string::npos);
}

// --analyse on a file it cannot read (missing, or not PDN): nothing judged, exit status 1.
TEST(EngineTool, AnalyseRefusesAFileItCannotRead) {
    const std::string broken = ::testing::TempDir() + "not_a_game_" + std::to_string(getpid()) + ".pdn";
    std::ofstream(broken) << "1. c3-d4 {never closed\n";
    for (const std::string& file : {std::string("/nonexistent/game.pdn"), broken})
        EXPECT_EQ(runTool("", "", ("--analyse " + file).c_str()), "\nexit status 256") << file;
    std::remove(broken.c_str());
}

}  // namespace
