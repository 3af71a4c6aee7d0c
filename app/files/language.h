#pragma once
// The language the game speaks, chosen once at start, before anything is said:
// the setting `language` when it names one, else the environment as gettext
// reads it (LANGUAGE, then LC_ALL, LC_MESSAGES, LANG). The texts come from the
// game's own .mo files (app/files/data_folder.h) and do not need the C library
// to have the language's locale: a machine with only C.UTF-8 speaks Russian
// too. Numbers are written as before whatever the language (only the messages
// category of the locale is set). Texts are looked up with tr()
// (engine/rules/translation.h).

#include <string>

// The languages the game has a translation for (one po/<language>.po each),
// as a list for people: "ru", "ru, uk".
const char* translatedLanguages();

// Whether `word` is a value of the setting: "auto" (the environment's
// language), "en" (English, the language the game is written in) or a
// translated language.
bool isLanguageSetting(const std::string& word);

// The environment variable `name`'s value, or null when it is not set.
using EnvironmentLookup = const char* (*)(const char*);

// The languages to look texts up in, as gettext's LANGUAGE takes them ("ru",
// "ru:de"), for a setting and an environment; "" for English. For "auto", as
// gettext does: the locale named by the first set of LC_ALL, LC_MESSAGES and
// LANG, unless LANGUAGE lists languages; none of them, or the locale "C" or
// "POSIX", mean English. The list ends before English: every text is English
// already, and a later language must not be taken for a missing English one.
std::string chosenLanguages(const std::string& setting, EnvironmentLookup environment);

// Chooses the language for this program from `setting` and its environment and
// makes tr() speak it. Call it first thing in main.
void startTranslation(const std::string& setting);
