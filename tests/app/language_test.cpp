// The language the game speaks: chosen from the setting and the environment as
// gettext does, and Russian found in the build tree's .mo even on a machine
// without the ru_RU locale, English texts kept where nothing is translated.
#include "app/files/data_folder.h"
#include "app/files/language.h"
#include "app/files/settings.h"
#include "engine/rules/translation.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <clocale>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>

namespace {

std::map<std::string, std::string> environment;

const char* lookUp(const char* name) {
    const auto found = environment.find(name);
    return found == environment.end() ? nullptr : found->second.c_str();
}

TEST(LanguageTest, TheSettingFirstThenTheEnvironmentAsGettextReadsIt) {
    struct Case {
        const char* setting;
        std::map<std::string, std::string> environment;
        const char* languages;
    };
    const Case cases[] = {
        {"en", {{"LANG", "ru_RU.UTF-8"}, {"LANGUAGE", "ru"}}, ""},
        {"ru", {}, "ru"},
        {"ru", {{"LANG", "de_DE.UTF-8"}}, "ru"},
        {"auto", {{"LANGUAGE", "ru:en"}, {"LANG", "C.UTF-8"}}, "ru"},
        // No locale, or C: gettext passes over LANGUAGE.
        {"auto", {{"LANGUAGE", "ru:en"}}, ""},
        {"auto", {{"LANGUAGE", "ru"}, {"LC_ALL", "C"}, {"LANG", "ru_RU.UTF-8"}}, ""},
        {"auto", {{"LC_ALL", "ru_RU.UTF-8"}, {"LANG", "en_US.UTF-8"}}, "ru_RU.UTF-8"},
        {"auto", {{"LC_ALL", ""}, {"LC_MESSAGES", "ru_UA.UTF-8"}, {"LANG", "en_GB.UTF-8"}}, "ru_UA.UTF-8"},
        {"auto", {{"LANG", "ru_RU.UTF-8"}}, "ru_RU.UTF-8"},
        {"auto", {{"LANG", "en_US.UTF-8"}}, ""},
        // English ends the list: every text is English already.
        {"auto", {{"LANGUAGE", "en_GB:ru"}, {"LANG", "ru_RU.UTF-8"}}, ""},
        {"auto", {{"LANGUAGE", "de::ru:en:uk"}, {"LANG", "de_DE.UTF-8"}}, "de:ru"},
    };
    for (const Case& c : cases) {
        environment = c.environment;
        std::string said;
        for (const auto& [name, value] : c.environment) said += name + "=" + value + " ";
        EXPECT_EQ(chosenLanguages(c.setting, lookUp), c.languages) << c.setting << " with " << said;
    }
}

TEST(LanguageTest, TheSettingTakesAutoEnglishAndTheTranslatedLanguages) {
    for (const char* word : {"auto", "en", "ru"}) EXPECT_TRUE(isLanguageSetting(word)) << word;
    for (const char* word : {"", "RU", "fr", "ru_RU", "en:ru"}) EXPECT_FALSE(isLanguageSetting(word)) << word;
    std::vector<std::string> problems;
    EXPECT_EQ(parseSettings("language = ru\n", problems).language, "ru");
    EXPECT_EQ(parseSettings("language = klingon\n", problems).language, "auto");
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_NE(problems[0].find("no value for language"), std::string::npos) << problems[0];
    Settings russian;
    russian.language = "ru";
    problems.clear();
    EXPECT_EQ(parseSettings(settingsText(russian), problems).language, "ru");
    EXPECT_TRUE(problems.empty());
}

// A machine with C.UTF-8 alone, as this project's test machines are: Russian all the same.
TEST(LanguageTest, RussianWithoutItsLocaleAndEnglishWhereNothingIsTranslated) {
    for (const char* name : {"LANGUAGE", "LC_ALL", "LC_MESSAGES"}) unsetenv(name);
    setenv("LANG", "ru_RU.UTF-8", 1);
    startTranslation("auto");
    EXPECT_STREQ(tr("Start the game"), "Начать игру");
    EXPECT_EQ(formatText(tr("No piece of yours on %s"), "c5"), "На поле c5 нет вашей шашки");
    EXPECT_STREQ(tr("A text nobody translated"), "A text nobody translated");
    EXPECT_STREQ(trn("one text nobody translated", "%lu texts nobody translated", 1), "one text nobody translated");
    EXPECT_STREQ(trn("one text nobody translated", "%lu texts nobody translated", 5), "%lu texts nobody translated");
    EXPECT_STREQ(tr(""), "");
    // Numbers are written as ever.
    EXPECT_STREQ(std::setlocale(LC_NUMERIC, nullptr), "C");
    EXPECT_EQ(formatText("%g", 0.6), "0.6");

    startTranslation("en");
    EXPECT_STREQ(tr("Start the game"), "Start the game");
    unsetenv("LANG");
    startTranslation("ru");
    EXPECT_STREQ(tr("Start the game"), "Начать игру");
}

// The translations beside an installed program; none in a folder without them.
TEST(LanguageTest, TheLocaleFolderBesideTheProgram) {
    namespace fs = std::filesystem;
    const fs::path root = fs::temp_directory_path() / ("draughts3d-locale-" + std::to_string(::getpid()));
    fs::create_directories(root / "usr/bin");
    fs::create_directories(root / "usr/share/locale/ru/LC_MESSAGES");
    fs::create_directories(root / "opt/bin");
    std::ofstream(root / "usr/share/locale/ru/LC_MESSAGES/draughts3d.mo") << "mo";
    EXPECT_EQ(findLocaleFolder((root / "usr/bin/").string(), "/elsewhere/build/"),
              (root / "usr/bin/../share/locale/").string());
    EXPECT_EQ(findLocaleFolder((root / "opt/bin/").string(), "/elsewhere/build/"), "");
    // A program in a build tree finds the build tree's translations, wherever it stands in it.
    EXPECT_EQ(findLocaleFolder((root / "usr/share/x/y/").string(), (root / "usr").string()),
              (root / "usr/share/locale/").string());
    fs::remove_all(root);
}

}  // namespace
