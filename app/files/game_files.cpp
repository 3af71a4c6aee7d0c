#include "app/files/game_files.h"

#include <dirent.h>

#include <cstring>

#include "app/files/user_files.h"

namespace {

constexpr int kMaxCopies = 1000;
constexpr std::size_t kStampLength = 19;  // "2026-12-08_14-05-33"

// The copy number of a record's file name, or 0 when the name is not one.
int copyOfName(const std::string& name) {
    const char* shape = "dddd-dd-dd_dd-dd-dd";
    if (name.size() < kStampLength + 4 || name.compare(name.size() - 4, 4, ".pdn") != 0) return 0;
    for (std::size_t i = 0; i < kStampLength; ++i)
        if (shape[i] == 'd' ? name[i] < '0' || name[i] > '9' : name[i] != shape[i]) return 0;
    const std::string rest = name.substr(kStampLength, name.size() - 4 - kStampLength);
    if (rest.empty()) return 1;
    const bool digits = rest.find_first_not_of("0123456789", 1) == std::string::npos;
    if (rest.size() < 2 || rest.size() > 5 || rest[0] != '_' || !digits) return 0;
    return std::stoi(rest.substr(1));
}

// Why a PDN file could not be read, as the player is told.
std::string unreadableBecause(const ReadFault& fault) {
    switch (fault.kind) {
        case ReadFault::kCannotOpen: return std::string("cannot open it: ") + std::strerror(fault.errorNumber);
        case ReadFault::kNotRegular: return "it is not a regular file";
        case ReadFault::kTooLarge:
            return "it is larger than the " + std::to_string(kMaxPdnFileBytes >> 20) + " MiB a PDN file may have";
        case ReadFault::kCannotRead:
        case ReadFault::kNone: break;
    }
    return std::string("cannot read it: ") + std::strerror(fault.errorNumber);
}

}  // namespace

bool readGamesFileBytes(const std::string& path, std::string& bytes, std::string& error) {
    ReadFault fault;
    if (readFileBounded(path, kMaxPdnFileBytes, bytes, error, &fault)) return true;
    error = unreadableBecause(fault);
    return false;
}

PdnFileGame readGamesFile(const std::string& path, int number) {
    std::string bytes, error;
    if (readGamesFileBytes(path, bytes, error)) return readPdnGame(bytes, number);
    PdnFileGame file;
    file.error = error;
    return file;
}

std::string gamesFolder() {
    const std::string data = dataFolder();
    return data.empty() ? "" : data + "games/";
}

std::string gameFileName(std::time_t start, int copy) {
    std::tm local = {};
    localtime_r(&start, &local);
    char stamp[64];
    std::strftime(stamp, sizeof stamp, "%Y-%m-%d_%H-%M-%S", &local);
    return std::string(stamp) + (copy > 1 ? "_" + std::to_string(copy) : "") + ".pdn";
}

bool createGameFile(const std::string& folder, std::time_t start, const std::string& content, std::string& path,
                    std::string& error) {
    if (!makeFolders(folder, error)) return false;
    const std::string slashed = folder.back() == '/' ? folder : folder + '/';
    for (int copy = 1; copy <= kMaxCopies; ++copy) {
        path = slashed + gameFileName(start, copy);
        bool exists = false;
        if (createFileAtomically(path, content, error, exists)) return true;
        if (!exists) return false;
    }
    error = "too many games started at " + gameFileName(start);
    return false;
}

LatestGame findLatestGame(const std::string& folder) {
    LatestGame latest;
    DIR* dir = folder.empty() ? nullptr : opendir(folder.c_str());
    if (!dir) return latest;
    std::string bestName;
    int bestCopy = 0;
    while (const dirent* entry = readdir(dir)) {
        const std::string name = entry->d_name;
        const int copy = copyOfName(name);
        if (copy == 0) continue;
        const int order = bestCopy == 0 ? 1 : name.compare(0, kStampLength, bestName, 0, kStampLength);
        if (order > 0 || (order == 0 && copy > bestCopy)) {
            bestName = name;
            bestCopy = copy;
        }
    }
    closedir(dir);
    if (bestCopy == 0) return latest;
    latest.path = (folder.back() == '/' ? folder : folder + '/') + bestName;
    const PdnFileGame file = readGamesFile(latest.path);
    if (!file.error.empty()) {
        latest.error = latest.path + ": " + file.error;
    } else if (!file.game.ok) {
        latest.error = pdnGameError(latest.path, file.game);
    } else {
        latest.readable = true;
        latest.record = file.game.record;
        latest.unfinished = latest.record.result == GameResult::Unfinished;
    }
    return latest;
}
