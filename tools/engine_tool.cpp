// draughts3d-engine: drives the rules and the computer player through standard
// input and output, one command a line. For debugging, for tests, and for anyone
// who wants to check a position.
//
//   init                          the initial position, side 1 to move
//   pos <64 chars> <side> <cont>  rank 8 down to rank 1, files a..h; . w W b B
//   show                          the position in the same form
//   moves                         legal moves in search order, then "count N"
//   perft N / perftturn N         leaves N single moves / N whole turns deep
//   play c3d4                     the turn driver's handling of a typed move
//   takeback                      the take-back key
//   search                        the computer's search for the side to move
//   literal on|off                run the plain reference search instead
//   level NAME, seed N            the level and seed `search` plays with
//   hint                          the club level's best move
//   why c3d4                      why a typed move is refused
//   result                        how the game stands by the rules: "ongoing",
//                                 or its PDN result and why ("1/2-1/2 repetition")
//
// draughts3d-engine --match A B N plays N games between two levels.
//
// draughts3d-engine --replay FILE checks a PDN file instead: one line per game,
// "game N: ok M moves, FEN <final position>, result <as the command says it>"
// or "game N: error line L: <reason>";
// exit status 1 when any game (or the file) could not be read.
//
// draughts3d-engine --analyse FILE [--game N] [--ms M] judges every move of a
// game with the analysis the game's review runs (engine/levels/analysis.h):
// "ply N <move> eval <White's value after it, in men> best <the best move
// there> <?, ?? or ->", then a summary line; exit status 1 when the file or
// its game cannot be read.

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iomanip>
#include <iostream>
#include <sstream>
#include <string>

#include "app/files/game_files.h"
#include "app/files/language.h"
#include "engine/rules/board.h"
#include "engine/rules/execute.h"
#include "engine/rules/game_end.h"
#include "engine/records/game_record.h"
#include "engine/records/pdn_read.h"
#include "engine/levels/analysis.h"
#include "engine/levels/level_match.h"
#include "engine/levels/searcher.h"
#include "engine/levels/levels.h"
#include "engine/rules/perft.h"
#include "engine/rules/position_text.h"
#include "engine/rules/refusal.h"
#include "engine/rules/rules.h"
#include "engine/rules/translation.h"
#include "engine/classic/search.h"
#include "engine/game/history_judge.h"
#include "engine/game/turn.h"
#include "engine/classic/literal_search.h"

namespace {

bool useLiteral = std::getenv("DRAUGHTS3D_LITERAL_SEARCH") != nullptr;
Level searchLevelChoice = Level::Classic;
std::uint64_t searchSeed = 0;

std::string setPosition(std::istringstream& in) {
    std::string cells, sideText, contText, extra;
    if (!(in >> cells >> sideText >> contText) || (in >> extra)) return "error: expected pos <64 chars> <side> <cont>";
    Position next;
    std::string error;
    if (!parseCells(cells, next.cells, error)) return "error: " + error;
    if (sideText != "1" && sideText != "2") return "error: side must be 1 or 2";
    if (contText != "-" && !parseSquare(contText, next.continuation)) return "error: bad continuation square";
    next.side = sideText[0] - '0';
    resetGame();
    restorePosition(next);
    return "ok";
}

void runSearch() {
    const Side side = sideToMove;
    const std::int32_t result = useLiteral ? literalSearchMoves(0, side) : searchMoves(0, side);
    restoreRootPosition();
    std::fflush(stdout);
    std::cout << '\n';
    for (int i = 0; i < candidateCount; ++i) {
        const CandidateMove& c = candidates[i];
        std::cout << "cand " << squareName(c.fromFile, c.fromRank) << squareName(c.toFile, c.toRank) << ' ' << c.score
                  << '\n';
    }
    if (computerActive == 1) {
        chooseComputerMove();
        std::cout << "chosen " << squareName(typedMove[1], typedMove[2]) << squareName(typedMove[3], typedMove[4])
                  << '\n';
        clearTypedMove();
    } else {
        std::cout << "chosen none\n";
    }
    rootListFilled = 0;
    std::cout << "result " << result << '\n';
}

// How a judged game stands: "ongoing", or the PDN result and the reason word,
// "1-0 no-move" or "1/2-1/2 kings-only"; `white` is the side that moved first.
std::string resultLine(const GameJudge& judge, Side white) {
    if (!judge.ended()) return "ongoing";
    const char* result = judge.winner() == 0 ? "1/2-1/2" : judge.winner() == white ? "1-0" : "0-1";
    return std::string(result) + ' ' + endReasonWord(judge.reason());
}

// --replay: every game of the file replayed, one line each, as it is read.
int replayFile(const char* path) {
    std::string bytes, error;
    if (!readGamesFileBytes(path, bytes, error)) {
        std::fprintf(stderr, "draughts3d-engine: %s: %s\n", path, error.c_str());
        return 1;
    }
    int status = 0;
    const int count = readPdnGames(bytes, [&](const PdnGame& game) {
        if (game.ok) {
            const GameJudge judge = judgeGame(game.record.start, game.record.moves);
            std::printf("game %d: ok %zu moves, FEN %s, result %s\n", game.number, game.record.moves.size(),
                        fenText(game.finalPosition).c_str(), resultLine(judge, game.record.greenSide).c_str());
        } else {
            std::printf("game %d: error line %d: %s\n", game.number, game.errorLine ? game.errorLine : game.line,
                        game.error.c_str());
            status = 1;
        }
    });
    if (count == 0) {
        std::fprintf(stderr, tr("draughts3d-engine: %s: no game in the file\n"), path);
        return 1;
    }
    return std::fflush(stdout) == 0 ? status : 1;
}

// --analyse: one line for each move of game `number`, then the summary.
int analyseFile(const char* path, int number, int milliseconds) {
    const PdnFileGame file = readGamesFile(path, number);
    if (!file.error.empty()) {
        std::fprintf(stderr, "draughts3d-engine: %s: %s\n", path, file.error.c_str());
        return 1;
    }
    if (!file.found) {
        std::fprintf(stderr, tr("draughts3d-engine: %s: no game %d (the file has %d)\n"), path, number, file.gameCount);
        return 1;
    }
    if (!file.game.ok) {
        std::fprintf(stderr, "draughts3d-engine: %s\n", pdnGameError(path, file.game).c_str());
        return 1;
    }
    const GameRecord& record = file.game.record;
    AnalysisRequest request;
    request.start = record.start;
    request.moves = record.moves;
    request.secondsPerPosition = milliseconds / 1000.0;
    const auto started = std::chrono::steady_clock::now();
    const GameAnalysis analysis = analyseGame(request);
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    // PDN names the squares from White's side; White is the record's green side.
    const Side white = record.greenSide;
    const bool turned = white == 2;
    int marks[3][3] = {};  // [side][mark]
    for (std::size_t ply = 0; ply < analysis.moveCount(); ++ply) {
        const WholeMove& played = record.moves[ply];
        const MoveVerdict verdict = moveVerdict(analysis, ply, played);
        const WholeMove& best = analysis.positions[ply].best;
        ++marks[analysis.positions[ply].sideToMove][static_cast<int>(verdict.mark)];
        std::printf("ply %zu %s eval %.2f best %s %s\n", ply + 1, wholeMoveText(played, turned).c_str(),
                    valueFor(analysis, ply + 1, white) / 100.0,
                    best.squareCount ? wholeMoveText(best, turned).c_str() : "none", moveMarkText(verdict.mark));
    }
    const Side black = otherSide(white);
    std::printf("summary %zu plies: White %d ? %d ??, Black %d ? %d ??; %.2f s\n", analysis.moveCount(),
                marks[white][1], marks[white][2], marks[black][1], marks[black][2], seconds);
    return std::fflush(stdout) == 0 ? 0 : 1;
}

// Every square the piece stands on, run together: "b6d4f2".
std::string landingText(const WholeMove& move) {
    std::string text;
    for (int i = 0; i < move.squareCount; ++i) text += squareName(move.squares[i].file, move.squares[i].rank);
    return text;
}

// A level's search of the live position, knowing the game's past as the game's does.
void runLevelSearch() {
    LevelRequest request = requestForGame(judgeHistory());
    request.position = currentPosition();
    request.level = searchLevelChoice;
    request.seed = searchSeed;
    const LevelResult result = searchLevel(request);
    std::cout << "level " << levelName(searchLevelChoice) << " depth " << result.depth << " score " << result.score
              << " nodes " << result.nodes << '\n';
    std::cout << "chosen " << (result.hasMove ? landingText(result.move) : "none") << '\n';
}

void quiet(const char*) {}

std::string seconds(double s) {
    std::ostringstream out;
    out << std::fixed << std::setprecision(3) << s << " s";
    return out.str();
}

int runMatch(Level a, Level b, int games) {
    searchTraceSink = quiet;
    const char* nameA = levelName(a);
    const char* nameB = levelName(b);
    std::cout << "match " << nameA << " " << nameB << " " << games << " games" << std::endl;
    const MatchResult result = playMatch(a, b, games, [&](const MatchGame& g) {
        const char* side1 = g.aIsSide1 ? nameA : nameB;
        const char* side2 = g.aIsSide1 ? nameB : nameA;
        const std::string outcome = g.scoreA == 0.5 ? "drawn" : std::string(g.scoreA == 1 ? nameA : nameB) + " wins";
        std::cout << "game " << g.number << ": " << side1 << " (side 1) v " << side2 << ": " << outcome << ", "
                  << g.moves << " moves, " << g.ending << "; last pos " << positionText(g.last) << std::endl;
    });
    const double percent = result.games > 0 ? 100.0 * result.scoreA() / result.games : 0;
    std::cout << "score " << nameA << " " << result.scoreA() << " of " << result.games << " (" << std::fixed
              << std::setprecision(1) << percent << "%): " << nameA << " wins " << result.winsA << ", draws "
              << result.draws << ", " << nameB << " wins " << result.winsB << '\n';
    std::cout << "draws by reason:";
    for (EndReason reason :
         {EndReason::Repetition, EndReason::KingsOnly, EndReason::ThreeKings, EndReason::Balance, EndReason::None})
        std::cout << ' ' << (reason == EndReason::None ? "move-cap" : endReasonWord(reason)) << ' '
                  << result.drawsBy[static_cast<int>(reason)] << (reason == EndReason::None ? "\n" : ",");
    for (const auto& [name, times] : {std::pair<const char*, MatchTimes>{nameA, result.timesA}, {nameB, result.timesB}})
        std::cout << "time per move " << name << ": mean " << seconds(times.meanSeconds()) << ", worst "
                  << seconds(times.worstSeconds) << ", " << times.moves << " moves\n";
    return 0;
}

bool parseMove(const std::string& text, Square& from, Square& to) {
    return text.size() == 4 && parseSquare(text.substr(0, 2), from) && parseSquare(text.substr(2, 2), to);
}

}  // namespace

// The help, translated where it is printed; the commands and their answers stay as they are.
const char* const kUsage =
    N_("Usage: draughts3d-engine [--help | --version | --replay FILE | --match LEVEL LEVEL GAMES]\n"
       "\n"
       "--replay FILE replays every game of a PDN file: one line per game, \"game N: ok M\n"
       "moves, FEN <final position>, result <as the result command says it>\" or \"game N:\n"
       "error line L: <reason>\"; exit status 1 when any game could not be read.\n"
       "\n"
       "Reads commands on standard input, one a line, and answers on standard output:\n"
       "  init                          the initial position, side 1 to move\n"
       "  pos <64 chars> <side> <cont>  set a position: rank 8 down to rank 1, files a..h,\n"
       "                                . w W b B; side 1 or 2; continuation square or -\n"
       "  show                          the position in the same form\n"
       "  moves                         legal moves in search order, then \"count N\"\n"
       "  perft N, perftturn N          leaf count N single moves / N whole turns deep\n"
       "  play c3d4                     play a typed move\n"
       "  takeback                      the take-back key\n"
       "  search                        the computer's search for the side to move\n"
       "  literal on|off                run the plain reference search instead\n"
       "  level NAME                    the level search plays: beginner, novice, club,\n"
       "                                strong, expert or classic (the original computer)\n"
       "  seed N                        the seed that picks among equally good moves\n"
       "  hint                          the club level's best move for the side to move\n"
       "  why c3d4                      why a typed move is refused, or \"legal\"\n"
       "  result                        how the game stands by the rules since init or\n"
       "                                pos: ongoing, 1-0 or 0-1 no-move (side 1 is White),\n"
       "                                or 1/2-1/2 and repetition, kings-only, three-kings\n"
       "                                or balance\n"
       "\n"
       "--match A B N plays N games between levels A and B from varied openings, each\n"
       "taking both sides, by the rules' endings and draws, and prints each game, the\n"
       "score, the draws by reason and the time per move.\n");
// --analyse, said after the rest of the help.
const char* const kAnalyseUsage =
    N_("\n"
       "draughts3d-engine --analyse FILE [--game N] [--ms M] judges every move of a game\n"
       "of a PDN file (the first by default) with the strong level's search, M\n"
       "milliseconds a position (300 by default): one line per ply, \"ply N <move> eval\n"
       "<White's value after it, in men> best <the best move there> <mark>\", the mark ?\n"
       "for a move that lost a man or more against the best, ?? for two or more, -\n"
       "otherwise; then a summary line. Exit status 1 when the file or the game cannot\n"
       "be read.\n");

// The whole help, as the environment's language says it.
std::string usage() { return std::string(tr(kUsage)) + tr(kAnalyseUsage); }

int main(int argc, char* argv[]) {
    // The tool speaks the environment's language (the game's setting is the game's).
    startTranslation("auto");
    // The help and the version must arrive: when standard output will not take
    // them (a full disk, a closed stream), say so on standard error, status 1.
    const auto answered = [] {
        if (std::fflush(stdout) == 0 && !std::ferror(stdout)) return 0;
        std::perror(tr("draughts3d-engine: cannot write to standard output"));
        return 1;
    };
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            std::fputs(usage().c_str(), stdout);
            return answered();
        }
        if (std::strcmp(argv[i], "--version") == 0) {
            std::printf("draughts3d-engine %s\n", DRAUGHTS3D_VERSION);
            return answered();
        }
        if (std::strcmp(argv[i], "--replay") == 0 && i + 1 < argc) return replayFile(argv[i + 1]);
        if (std::strcmp(argv[i], "--analyse") == 0 && i + 1 < argc) {
            const char* path = argv[i + 1];
            int number = 1, milliseconds = static_cast<int>(kAnalysisSecondsPerPosition * 1000);
            bool fine = true;
            for (int j = i + 2; j < argc && fine; j += 2) {
                const bool game = std::strcmp(argv[j], "--game") == 0, ms = std::strcmp(argv[j], "--ms") == 0;
                const long value = j + 1 < argc ? std::strtol(argv[j + 1], nullptr, 10) : 0;
                fine = (game || ms) && value >= 1 && value <= 1000000;
                (game ? number : milliseconds) = static_cast<int>(value);
            }
            if (!fine) {
                std::fprintf(stderr, tr("draughts3d-engine: --analyse takes FILE [--game N] [--ms M]\n\n%s"),
                             usage().c_str());
                return 2;
            }
            return analyseFile(path, number, milliseconds);
        }
        if (std::strcmp(argv[i], "--match") == 0) {
            Level a, b;
            const int games = i + 3 < argc ? std::atoi(argv[i + 3]) : 0;
            if (i + 4 != argc || !parseLevel(argv[i + 1], a) || !parseLevel(argv[i + 2], b) || games <= 0) {
                std::fprintf(stderr, tr("draughts3d-engine: --match needs two levels (%s) and a number of games\n\n%s"),
                             levelNames().c_str(), usage().c_str());
                return 2;
            }
            return runMatch(a, b, games);
        }
        std::fprintf(stderr, tr("draughts3d-engine: unknown option: '%s'\n\n%s"), argv[i], usage().c_str());
        return 2;
    }
    std::ios::sync_with_stdio(true);
    resetGame();

    std::string line;
    while (std::getline(std::cin, line)) {
        std::istringstream in(line);
        std::string command;
        if (!(in >> command)) continue;
        if (command == "init") {
            resetGame();
            sideToMove = 1;
            std::cout << "ok\n";
        } else if (command == "pos") {
            std::cout << setPosition(in) << '\n';
        } else if (command == "show") {
            std::cout << "pos " << positionText(currentPosition()) << '\n';
        } else if (command == "moves") {
            MoveList list;
            listLegalSteps(list);
            for (int i = 0; i < list.count; ++i) {
                const ListedMove& m = list.moves[i];
                std::cout << squareName(m.fromFile, m.fromRank) << squareName(m.toFile, m.toRank) << ' ' << int(m.kind)
                          << '\n';
            }
            std::cout << "count " << list.count << '\n';
        } else if (command == "perft" || command == "perftturn") {
            int depth = -1;
            if (!(in >> depth) || depth < 0 || depth > 12) {
                std::cout << "error: " << command << " needs a depth from 0 to 12\n";
            } else {
                std::cout << "perft " << depth << ' ' << perft(depth, command == "perftturn") << '\n';
            }
        } else if (command == "play") {
            std::string move;
            Square from, to;
            if (!(in >> move) || !parseMove(move, from, to)) {
                std::cout << "error: expected play <from><to> such as c3d4\n";
            } else {
                typedMove[1] = from.file;
                typedMove[2] = from.rank;
                typedMove[3] = to.file;
                typedMove[4] = to.rank;
                const MoveKind kind = playTypedMove();
                if (kind == kIllegal)
                    std::cout << "illegal\n";
                else
                    std::cout << "played " << move << ' ' << kind << '\n';
            }
        } else if (command == "takeback") {
            takeBack();
            std::cout << "ok\n";
        } else if (command == "search") {
            if (searchLevelChoice == Level::Classic)
                runSearch();
            else
                runLevelSearch();
        } else if (command == "level") {
            std::string name;
            in >> name;
            if (parseLevel(name, searchLevelChoice))
                std::cout << "ok\n";
            else
                std::cout << "error: unknown level '" << name << "' (" << levelNames() << ")\n";
        } else if (command == "seed") {
            std::string text;
            in >> text;
            char* end = nullptr;
            const unsigned long long value = std::strtoull(text.c_str(), &end, 10);
            if (text.empty() || text[0] == '-' || *end != '\0') {
                std::cout << "error: seed needs a whole number\n";
            } else {
                searchSeed = value;
                std::cout << "ok\n";
            }
        } else if (command == "hint") {
            const WholeMove move = hintMove(currentPosition());
            std::cout << "hint " << (move.squareCount > 0 ? landingText(move) : "none") << '\n';
        } else if (command == "why") {
            std::string text;
            Square from, to;
            if (!(in >> text) || !parseMove(text, from, to)) {
                std::cout << "error: expected why <from><to> such as c3d4\n";
            } else {
                const MoveRefusal refusal = whyRefused(currentPosition(), from, to);
                if (!refusal.refused()) {
                    std::cout << "legal\n";
                } else {
                    // The pieces that can capture follow the reason: "... [c3 g3]".
                    std::string marked;
                    for (const Square& c : refusal.capturers)
                        marked += (marked.empty() ? "" : " ") + squareName(c.file, c.rank);
                    std::cout << refusal.reason << (marked.empty() ? "" : " [" + marked + "]") << '\n';
                }
            }
        } else if (command == "result") {
            std::cout << resultLine(judgeHistory(), 1) << '\n';
        } else if (command == "literal") {
            std::string mode;
            in >> mode;
            if (mode == "on" || mode == "off") {
                useLiteral = mode == "on";
                std::cout << "ok\n";
            } else {
                std::cout << "error: literal on|off\n";
            }
        } else {
            std::cout << "error: unknown command '" << command << "'\n";
        }
        std::cout << std::flush;
    }
    return 0;
}
