#pragma once
// Where the game's pictures (the folder "Textures/") and its translations (the
// folder "locale/" of .mo files) are found.

#include <string>

// The first of these folders that holds every picture of the game:
//   1. the current folder ("");
//   2. `executableFolder`/../share/draughts3d/ (the installed data folder);
//   3. `sourceFolder`/ (the source tree the build came from), but only for a
//      program that still stands in its build tree `buildFolder`: an
//      installed or packaged game never reaches back into a source tree.
// Each folder is returned with a trailing '/' (the current folder as "").
// When none holds them all, the current folder: the pictures are then reported
// missing under their plain names ("Textures/Pol.bmp").
// Empty folder names are skipped.
std::string findDataFolder(const std::string& executableFolder, const std::string& sourceFolder,
                           const std::string& buildFolder);

// The folder of the running program (from /proc/self/exe), with a trailing
// '/'; "" when it cannot be told.
std::string runningExecutableFolder();

// findDataFolder for the running program and the source tree it was built from.
std::string findGameDataFolder();

// The first of these folders that holds a translation of the game
// (<language>/LC_MESSAGES/draughts3d.mo), with a trailing '/':
//   1. `executableFolder`/../share/locale/ (installed, or the program in its
//      build tree, which compiles the translations into `buildFolder`/share/locale);
//   2. `buildFolder`/share/locale/, for a program anywhere under `buildFolder`
//      (the tests).
// "" when none does: gettext then looks in the system's own folder.
std::string findLocaleFolder(const std::string& executableFolder, const std::string& buildFolder);

// findLocaleFolder for the running program and the build tree it was built in.
std::string findGameLocaleFolder();
