// Times the "Your games" list: writes N kept games (500 by default) of 80
// plies of seeded random play, with their names as the game gives them, into a
// folder of its own, then reads the folder as the list does when it opens, five
// times, and prints the fastest and the slowest in milliseconds. Every tenth
// record is damaged, as the list must name them and go on.
//
//   draughts3d-list-bench [N]

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <random>
#include <string>
#include <vector>

#include "app/files/game_files.h"
#include "app/files/game_list.h"
#include "app/files/user_files.h"
#include "engine/game/game_state.h"
#include "engine/records/game_record.h"
#include "engine/records/pdn_write.h"
#include "engine/rules/board.h"
#include "engine/rules/whole_moves.h"

namespace {

// A game of up to 80 plies of random whole moves from the initial position.
GameRecord randomGame(std::mt19937& random, std::time_t start) {
    resetGame();
    GameRecord record = newGameRecord(1, currentPosition(), start, "draughts3d Club");
    HistoryRecord records[kMaxWholeMoveJumps];
    for (int ply = 0; ply < 80; ++ply) {
        const std::vector<WholeMove> moves = listWholeMoves();
        if (moves.empty()) break;
        const WholeMove& move = moves[random() % moves.size()];
        playWholeMove(move, records);
        record.moves.push_back(move);
    }
    markAbandoned(record);
    return record;
}

}  // namespace

int main(int argc, char* argv[]) {
    const int count = argc > 1 ? std::atoi(argv[1]) : 500;
    if (count < 1) {
        std::fprintf(stderr, "usage: draughts3d-list-bench [N]\n");
        return 2;
    }
    char folderTemplate[] = "/tmp/draughts3d-list-bench-XXXXXX";
    if (!mkdtemp(folderTemplate)) return 1;
    const std::string folder = std::string(folderTemplate) + "/";
    std::mt19937 random(1);
    const std::time_t first = 1767225600;  // 2026-01-01
    std::string error;
    for (int i = 0; i < count; ++i) {
        const std::time_t start = first + i * 3600;
        const std::string text = i % 10 == 9 ? std::string("[Event \"x\"]\n1. zz-qq {\n")
                                             : pdnText(randomGame(random, start));
        if (!writeFileAtomically(folder + gameFileName(start), text, error)) {
            std::fprintf(stderr, "list bench: %s\n", error.c_str());
            return 1;
        }
    }
    double fastest = 1e9, slowest = 0;
    std::size_t listed = 0, unreadable = 0;
    for (int run = 0; run < 5; ++run) {
        const auto begin = std::chrono::steady_clock::now();
        const std::vector<KeptGameEntry> entries = listKeptGames(folder);
        const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - begin).count();
        fastest = std::min(fastest, ms);
        slowest = std::max(slowest, ms);
        listed = entries.size();
        unreadable = 0;
        for (const KeptGameEntry& entry : entries) unreadable += entry.readable ? 0 : 1;
    }
    std::printf("%zu records listed (%zu unreadable): %.1f ms fastest, %.1f ms slowest of 5\n", listed, unreadable,
                fastest, slowest);
    for (int i = 0; i < count; ++i) std::remove((folder + gameFileName(first + i * 3600)).c_str());
    std::remove(folderTemplate);
    return listed == static_cast<std::size_t>(count) ? 0 : 1;
}
