#include "app/files/data_folder.h"

#include "textures/room_pictures.h"

#include <glob.h>
#include <unistd.h>

#include <climits>
#include <cstdlib>

#ifndef DRAUGHTS3D_SOURCE_DIR
#define DRAUGHTS3D_SOURCE_DIR ""
#endif
#ifndef DRAUGHTS3D_BUILD_DIR
#define DRAUGHTS3D_BUILD_DIR ""
#endif

namespace {

std::string withSlash(std::string folder) {
    if (!folder.empty() && folder.back() != '/') folder += '/';
    return folder;
}

bool holdsThePictures(const std::string& folder) {
    for (const char* picture : kRoomPictures)
        if (access((folder + "Textures/" + picture).c_str(), R_OK) != 0) return false;
    return true;
}

bool holdsATranslation(const std::string& folder) {
    glob_t found{};
    const bool any = glob((folder + "*/LC_MESSAGES/draughts3d.mo").c_str(), GLOB_NOSORT, nullptr, &found) == 0;
    globfree(&found);
    return any;
}

// Whether `folder` is `tree` or lies under it (both with a trailing '/').
bool isUnder(const std::string& folder, const std::string& tree) {
    return !tree.empty() && folder.compare(0, tree.size(), tree) == 0;
}

std::string canonical(const std::string& folder) {
    char resolved[PATH_MAX];
    if (folder.empty() || !realpath(folder.c_str(), resolved)) return withSlash(folder);
    return withSlash(resolved);
}

}  // namespace

std::string findDataFolder(const std::string& executableFolder, const std::string& sourceFolder,
                           const std::string& buildFolder) {
    std::string candidates[3];
    int count = 0;
    candidates[count++] = "";
    if (!executableFolder.empty()) candidates[count++] = withSlash(executableFolder) + "../share/draughts3d/";
    if (!sourceFolder.empty() && isUnder(withSlash(executableFolder), withSlash(buildFolder)))
        candidates[count++] = withSlash(sourceFolder);
    for (int i = 0; i < count; ++i)
        if (holdsThePictures(candidates[i])) return candidates[i];
    return "";
}

std::string runningExecutableFolder() {
    char path[PATH_MAX];
    const ssize_t length = readlink("/proc/self/exe", path, sizeof path - 1);
    if (length <= 0) return "";
    std::string folder(path, static_cast<size_t>(length));
    const size_t slash = folder.rfind('/');
    if (slash == std::string::npos) return "";
    return folder.substr(0, slash + 1);
}

std::string findGameDataFolder() {
    return findDataFolder(runningExecutableFolder(), DRAUGHTS3D_SOURCE_DIR, canonical(DRAUGHTS3D_BUILD_DIR));
}

std::string findLocaleFolder(const std::string& executableFolder, const std::string& buildFolder) {
    std::string candidates[2];
    int count = 0;
    if (!executableFolder.empty()) candidates[count++] = withSlash(executableFolder) + "../share/locale/";
    if (!buildFolder.empty() && isUnder(withSlash(executableFolder), withSlash(buildFolder)))
        candidates[count++] = withSlash(buildFolder) + "share/locale/";
    for (int i = 0; i < count; ++i)
        if (holdsATranslation(candidates[i])) return candidates[i];
    return "";
}

std::string findGameLocaleFolder() {
    return findLocaleFolder(runningExecutableFolder(), canonical(DRAUGHTS3D_BUILD_DIR));
}
