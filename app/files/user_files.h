#pragma once
// The files a player keeps: where they live and how they are written and read.
// Settings go under the XDG config folder, game records under the XDG data
// folder. A file is always replaced whole (a crash or a power cut leaves the old
// one or the new one, never half of either), and a file is read only up to a
// stated size, so a damaged or foreign file cannot stop the game from starting.
// No SDL, no GL.

#include <cstddef>
#include <string>

// "$XDG_CONFIG_HOME/draughts3d/" (default "$HOME/.config/draughts3d/") and
// "$XDG_DATA_HOME/draughts3d/" (default "$HOME/.local/share/draughts3d/"), with a
// trailing '/'. As the XDG rules say, an unset, empty or relative XDG_* value
// means the default. "" when not even a home folder can be told.
std::string configFolder();
std::string dataFolder();
// "$XDG_CACHE_HOME/draughts3d/" (default "$HOME/.cache/draughts3d/"): what the
// game can work out again, kept so that it need not (a game's analysis).
std::string cacheFolder();
// The same from given values (null for unset), for the folder above.
std::string xdgFolder(const char* xdgValue, const char* home, const char* defaultUnderHome);

// Creates `folder` and every missing folder above it (mode 0700, as XDG asks).
// True when it exists as a folder afterwards.
bool makeFolders(const std::string& folder, std::string& error);

// Replaces the file at `path` with `content` atomically: a temporary file in the
// same folder is written, flushed to the disk (fsync), renamed over `path`, and
// the folder itself is flushed. On any failure the old file is left as it was,
// the temporary file is removed and `error` says what failed. When `path` is a
// symbolic link, the file it leads to is replaced so (the temporary file beside
// it) and the link stays. Anything but a regular file (a device, a FIFO, a
// folder) is never replaced.
bool writeFileAtomically(const std::string& path, const std::string& content, std::string& error);
// The same for a file that must not exist yet: it appears whole at `path` or
// not at all; when `path` already exists nothing changes and `exists` is set.
bool createFileAtomically(const std::string& path, const std::string& content, std::string& error, bool& exists);

// Why a file could not be read, for a caller that words it in its own way.
struct ReadFault {
    enum Kind { kNone, kCannotOpen, kNotRegular, kTooLarge, kCannotRead };
    Kind kind = kNone;
    int errorNumber = 0;  // errno, for kCannotOpen and kCannotRead
};

// Reads the whole file at `path` when it is a regular file of at most `limit`
// bytes; a larger file is refused before it is read, and anything else (a FIFO,
// a device, a folder) at once, without waiting on it. `error` names the path
// and the fault; `fault`, when given, says which fault it was.
bool readFileBounded(const std::string& path, std::size_t limit, std::string& content, std::string& error,
                     ReadFault* fault = nullptr);

// The temporary name writeFileAtomically uses beside `path` ends in this (and
// starts with a dot, so folder listings pass over it).
constexpr const char* kTemporarySuffix = ".tmp-XXXXXX";
