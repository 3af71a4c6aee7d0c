#include "app/files/game_files.h"

#include <dirent.h>

#include <cstring>

#include "app/files/user_files.h"

namespace {

constexpr int kMaxCopies = 1000;
constexpr std::size_t kStampLength = 19;  // "2026-12-08_14-05-33"

// What a record's file name says: when its game started and its copy number
// (0 when the name is not a record's).
struct RecordName {
    std::time_t start = 0;
    int copy = 0;
    bool laterThan(const RecordName& other) const {
        return start != other.start ? start > other.start : copy > other.copy;
    }
};

RecordName readRecordName(const std::string& name) {
    RecordName read;
    const char* shape = "dddd-dd-dd_dd-dd-dd";
    if (name.size() < kStampLength + 4 || name.compare(name.size() - 4, 4, ".pdn") != 0) return read;
    for (std::size_t i = 0; i < kStampLength; ++i)
        if (shape[i] == 'd' ? name[i] < '0' || name[i] > '9' : name[i] != shape[i]) return read;
    const bool utc = name[kStampLength] == 'Z';
    const std::size_t restAt = kStampLength + (utc ? 1 : 0);
    const std::string rest = name.substr(restAt, name.size() - 4 - restAt);
    const bool digits = rest.find_first_not_of("0123456789", 1) == std::string::npos;
    if (!rest.empty() && (rest.size() < 2 || rest.size() > 5 || rest[0] != '_' || !digits)) return read;
    std::tm time = {};
    time.tm_year = std::stoi(name.substr(0, 4)) - 1900;
    time.tm_mon = std::stoi(name.substr(5, 2)) - 1;
    time.tm_mday = std::stoi(name.substr(8, 2));
    time.tm_hour = std::stoi(name.substr(11, 2));
    time.tm_min = std::stoi(name.substr(14, 2));
    time.tm_sec = std::stoi(name.substr(17, 2));
    time.tm_isdst = -1;
    read.start = utc ? timegm(&time) : std::mktime(&time);
    read.copy = rest.empty() ? 1 : std::stoi(rest.substr(1));
    return read;
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
    std::tm utc = {};
    gmtime_r(&start, &utc);
    char stamp[64];
    std::strftime(stamp, sizeof stamp, "%Y-%m-%d_%H-%M-%SZ", &utc);
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

bool readRecordFileName(const std::string& name, std::time_t& start, int& copy) {
    const RecordName read = readRecordName(name);
    start = read.start;
    copy = read.copy;
    return read.copy != 0;
}

LatestGame findLatestGame(const std::string& folder) {
    LatestGame latest;
    DIR* dir = folder.empty() ? nullptr : opendir(folder.c_str());
    if (!dir) return latest;
    std::string bestName;
    RecordName best;
    while (const dirent* entry = readdir(dir)) {
        const std::string name = entry->d_name;
        const RecordName read = readRecordName(name);
        if (read.copy != 0 && (best.copy == 0 || read.laterThan(best))) {
            bestName = name;
            best = read;
        }
    }
    closedir(dir);
    if (best.copy == 0) return latest;
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
