#include "app/files/game_list.h"

#include <dirent.h>

#include <algorithm>

#include "app/files/game_files.h"
#include "engine/records/pdn_syntax.h"

namespace {

// The computer's name as the game writes it ("draughts3d Club") made the level's
// title; plain "draughts3d" is classic mode's computer; any other name stays.
std::string opponentOf(const std::string& name) {
    const std::string prefix = "draughts3d";
    if (name == prefix) return "Classic";
    if (name.compare(0, prefix.size() + 1, prefix + " ") == 0) return name.substr(prefix.size() + 1);
    return name;
}

}  // namespace

KeptGameEntry keptGameEntry(const std::string& bytes) {
    KeptGameEntry entry;
    bool first = true;
    splitPdnGames(pdnTextAsUtf8(bytes), [&](const GameText& game) {
        if (!first) return;
        first = false;
        if (!game.error.empty()) {
            entry.error = "line " + std::to_string(game.errorLine) + ": " + game.error;
            return;
        }
        std::string white, black, whiteType, blackType, result;
        for (const PdnTag& tag : game.tags) {
            if (equalsIgnoringCase(tag.name, "White")) white = tag.value;
            if (equalsIgnoringCase(tag.name, "Black")) black = tag.value;
            if (equalsIgnoringCase(tag.name, "WhiteType")) whiteType = tag.value;
            if (equalsIgnoringCase(tag.name, "BlackType")) blackType = tag.value;
            if (equalsIgnoringCase(tag.name, "Result")) result = tag.value;
            if (equalsIgnoringCase(tag.name, "Termination")) entry.termination = tag.value;
        }
        const bool whiteHuman = equalsIgnoringCase(whiteType, "human"),
                   blackHuman = equalsIgnoringCase(blackType, "human");
        entry.readable = true;
        entry.twoPlayers = whiteHuman && blackHuman;
        entry.watched = equalsIgnoringCase(whiteType, "program") && equalsIgnoringCase(blackType, "program");
        entry.playerWhite = !(blackHuman && !whiteHuman);
        entry.opponent = entry.twoPlayers ? "" : opponentOf(entry.playerWhite ? black : white);
        if (!parseResult(game.resultToken, entry.result)) parseResult(result, entry.result);
        entry.plies = static_cast<int>(game.moves.size());
    });
    if (first) entry.error = "no game in the file";
    return entry;
}

std::vector<KeptGameEntry> listKeptGames(const std::string& folder) {
    std::vector<KeptGameEntry> entries;
    DIR* dir = folder.empty() ? nullptr : opendir(folder.c_str());
    if (!dir) return entries;
    const std::string slashed = folder.back() == '/' ? folder : folder + '/';
    while (const dirent* found = readdir(dir)) {
        std::time_t start = 0;
        int copy = 0;
        if (!readRecordFileName(found->d_name, start, copy)) continue;
        const std::string path = slashed + found->d_name;
        std::string bytes, error;
        KeptGameEntry entry;
        if (readGamesFileBytes(path, bytes, error))
            entry = keptGameEntry(bytes);
        else
            entry.error = error;
        entry.path = path;
        entry.start = start;
        entry.copy = copy;
        entries.push_back(std::move(entry));
    }
    closedir(dir);
    std::sort(entries.begin(), entries.end(), [](const KeptGameEntry& a, const KeptGameEntry& b) {
        return a.start != b.start ? a.start > b.start : a.copy > b.copy;
    });
    return entries;
}
