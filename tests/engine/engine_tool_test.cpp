// The command-line tool, driven as a user would: lines in, lines out.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <string>

#include <unistd.h>

namespace {

std::string runTool(const std::string& input, const char* env = "", const char* args = "") {
    // Each run gets a file of its own: ctest runs these tests side by side.
    static int runs = 0;
    const std::string inputPath = ::testing::TempDir() + "tool_input_" + std::to_string(getpid()) + "_" +
                                  std::to_string(runs++) + ".txt";
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
              std::string("ok\n") + kInitial +
                  "\na3b4 1\nc3b4 1\nc3d4 1\ne3d4 1\ne3f4 1\ng3f4 1\ng3h4 1\ncount 7\n");
}

TEST(EngineTool, PerftCountsSingleMovesAndWholeTurns) {
    EXPECT_EQ(runTool("init\nperft 2\nperftturn 3\nperftturn 4\n"),
              "ok\nperft 2 49\nperft 3 302\nperft 4 1469\n");
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

TEST(EngineTool, MatchPrintsTheScoreAndTheTimes) {
    const std::string text = runTool("", "", "--match beginner novice 2");
    EXPECT_EQ(text.substr(0, 30), "match beginner novice 2 games\n") << text;
    EXPECT_NE(text.find("\ngame 2: novice (side 1) v beginner: "), std::string::npos) << text;
    EXPECT_NE(text.find("\nscore beginner "), std::string::npos) << text;
    EXPECT_NE(text.find("\ntime per move novice: mean "), std::string::npos) << text;
    EXPECT_NE(runTool("", "", "--match club nobody 2").find("exit status"), std::string::npos);
}

}  // namespace
