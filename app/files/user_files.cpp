#include "app/files/user_files.h"

#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

std::string withSlash(std::string folder) {
    if (!folder.empty() && folder.back() != '/') folder += '/';
    return folder;
}

const char* homeFolder() {
    const char* home = std::getenv("HOME");
    if (home && *home) return home;
    const passwd* entry = getpwuid(getuid());
    return entry && entry->pw_dir && *entry->pw_dir ? entry->pw_dir : nullptr;
}

std::string failure(const std::string& what, const std::string& path) {
    return what + " " + path + ": " + std::strerror(errno);
}

// The folder part of a path, with its '/' ("./" for a bare name).
std::string folderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? "./" : path.substr(0, slash + 1);
}

bool writeAll(int fd, const std::string& content) {
    std::size_t done = 0;
    while (done < content.size()) {
        const ssize_t n = ::write(fd, content.data() + done, content.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            if (n == 0) errno = ENOSPC;
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    return true;
}

}  // namespace

std::string xdgFolder(const char* xdgValue, const char* home, const char* defaultUnderHome) {
    if (xdgValue && xdgValue[0] == '/') return withSlash(xdgValue) + "draughts3d/";
    if (!home || home[0] != '/') return "";
    return withSlash(home) + defaultUnderHome + "/draughts3d/";
}

std::string configFolder() { return xdgFolder(std::getenv("XDG_CONFIG_HOME"), homeFolder(), ".config"); }
std::string dataFolder() { return xdgFolder(std::getenv("XDG_DATA_HOME"), homeFolder(), ".local/share"); }
std::string cacheFolder() { return xdgFolder(std::getenv("XDG_CACHE_HOME"), homeFolder(), ".cache"); }

bool makeFolders(const std::string& folder, std::string& error) {
    if (folder.empty()) {
        error = "no folder named";
        return false;
    }
    const std::string path = withSlash(folder);
    for (std::size_t slash = path.find('/', 1); slash != std::string::npos; slash = path.find('/', slash + 1)) {
        const std::string part = path.substr(0, slash);
        if (::mkdir(part.c_str(), 0700) != 0 && errno != EEXIST) {
            error = failure("cannot create the folder", part);
            return false;
        }
    }
    struct stat info;
    const bool found = ::stat(path.c_str(), &info) == 0;
    if (!found || !S_ISDIR(info.st_mode)) {
        if (found) errno = ENOTDIR;
        error = failure("cannot use the folder", path);
        return false;
    }
    return true;
}

namespace {

// The file `path` leads to through symbolic links (the path itself when it is
// no link; after too many links, the last one reached).
std::string followLinks(std::string path) {
    constexpr int kMostLinks = 40;
    for (int hop = 0; hop < kMostLinks; ++hop) {
        char target[4096];
        const ssize_t length = ::readlink(path.c_str(), target, sizeof target);
        if (length <= 0 || static_cast<std::size_t>(length) >= sizeof target) break;
        const std::string next(target, static_cast<std::size_t>(length));
        path = next[0] == '/' ? next : folderOf(path) + next;
    }
    return path;
}

// Writes a temporary file beside `path` and puts it in place: renamed over the
// old file, or (when `replace` is false) linked to a name that must be new.
bool writeThroughTemporary(const std::string& path, const std::string& content, bool replace, std::string& error,
                           bool& exists) {
    exists = false;
    const std::string folder = folderOf(path);
    const std::string name = path.substr(folder.size());
    const std::string pattern = folder + '.' + name + kTemporarySuffix;
    std::vector<char> temporary(pattern.c_str(), pattern.c_str() + pattern.size() + 1);
    const int fd = ::mkstemp(temporary.data());
    if (fd < 0) {
        error = failure("cannot create a file in", folder);
        return false;
    }
    bool ok = writeAll(fd, content);
    if (!ok) error = failure("cannot write", temporary.data());
    if (ok && ::fsync(fd) != 0) {
        error = failure("cannot flush", temporary.data());
        ok = false;
    }
    if (::close(fd) != 0 && ok) {
        error = failure("cannot close", temporary.data());
        ok = false;
    }
    if (ok && replace && ::rename(temporary.data(), path.c_str()) != 0) {
        error = failure("cannot replace", path);
        ok = false;
    }
    if (ok && !replace && ::link(temporary.data(), path.c_str()) != 0) {
        exists = errno == EEXIST;
        error = failure("cannot create", path);
        ok = false;
    }
    if (!ok || !replace) ::unlink(temporary.data());
    if (!ok) return false;
    // The rename is on the disk once the folder is.
    const int folderFd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY);
    if (folderFd >= 0) {
        ::fsync(folderFd);
        ::close(folderFd);
    }
    return true;
}

}  // namespace

bool writeFileAtomically(const std::string& path, const std::string& content, std::string& error) {
    const std::string target = followLinks(path);
    // Only a file is replaced: never a device, a FIFO or a folder a link leads to.
    struct stat info;
    if (::lstat(target.c_str(), &info) == 0 && !S_ISREG(info.st_mode)) {
        error = "cannot replace " + target + ": it is not a regular file";
        return false;
    }
    bool exists;
    return writeThroughTemporary(target, content, true, error, exists);
}

bool createFileAtomically(const std::string& path, const std::string& content, std::string& error, bool& exists) {
    return writeThroughTemporary(path, content, false, error, exists);
}

bool readFileBounded(const std::string& path, std::size_t limit, std::string& content, std::string& error,
                     ReadFault* fault) {
    content.clear();
    ReadFault found;
    // Without waiting: a FIFO or a device in the file's place must not hold up
    // the start; only a regular file is read.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        if (fault) *fault = ReadFault{ReadFault::kCannotOpen, errno};
        error = failure("cannot open", path);
        return false;
    }
    struct stat info;
    bool ok = ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode);
    if (!ok) {
        error = path + " is not a regular file";
        found.kind = ReadFault::kNotRegular;
    }
    if (ok && static_cast<std::size_t>(info.st_size) > limit) {
        error = path + " is larger than " + std::to_string(limit) + " bytes";
        found.kind = ReadFault::kTooLarge;
        ok = false;
    }
    char buffer[65536];
    while (ok) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            found = ReadFault{ReadFault::kCannotRead, errno};
            error = failure("cannot read", path);
            ok = false;
        } else if (n == 0) {
            break;
        } else if (content.size() + static_cast<std::size_t>(n) > limit) {
            error = path + " is larger than " + std::to_string(limit) + " bytes";
            found.kind = ReadFault::kTooLarge;
            ok = false;
        } else {
            content.append(buffer, static_cast<std::size_t>(n));
        }
    }
    ::close(fd);
    if (fault) *fault = found;
    if (!ok) content.clear();
    return ok;
}
