// The language chosen from the setting and the environment as gettext does; Russian
// without the ru_RU locale, English where nothing is translated.
#include "app/files/language.h"
#include "app/files/settings.h"
#include "engine/rules/translation.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace {

std::map<std::string, std::string> environment;

const char* lookUp(const char* name) {
    const auto found = environment.find(name);
    return found == environment.end() ? nullptr : found->second.c_str();
}

TEST(LanguageTest, TheSettingFirstThenTheEnvironmentAsGettextReadsIt) {
    const struct {
        const char* setting;
        std::map<std::string, std::string> environment;
        const char* languages;
    } cases[] = {
        {"en", {{"LANG", "ru_RU.UTF-8"}, {"LANGUAGE", "ru"}}, ""},
        {"auto", {{"LANGUAGE", "ru:en"}, {"LANG", "C.UTF-8"}}, "ru"},
        // No locale, or C: gettext passes over LANGUAGE.
        {"auto", {{"LANGUAGE", "ru:en"}}, ""},
        {"auto", {{"LANGUAGE", "ru"}, {"LC_ALL", "C"}, {"LANG", "ru_RU.UTF-8"}}, ""},
        {"auto", {{"LC_ALL", "ru_RU.UTF-8"}, {"LANG", "en_US.UTF-8"}}, "ru_RU.UTF-8"},
        {"auto", {{"LC_ALL", ""}, {"LC_MESSAGES", "ru_UA.UTF-8"}, {"LANG", "en_GB.UTF-8"}}, "ru_UA.UTF-8"},
        // English ends the list: every text is English already.
        {"auto", {{"LANGUAGE", "en_GB:ru"}, {"LANG", "ru_RU.UTF-8"}}, ""},
        {"auto", {{"LANGUAGE", "de::ru:en:uk"}, {"LANG", "de_DE.UTF-8"}}, "de:ru"},
    };
    for (const auto& c : cases) {
        environment = c.environment;
        EXPECT_EQ(chosenLanguages(c.setting, lookUp), c.languages) << c.setting << ", case " << (&c - cases);
    }
    std::vector<std::string> problems;
    EXPECT_EQ(parseSettings("language = ru\nlanguage = RU\n", problems).language, "ru");
    EXPECT_EQ(problems.size(), 1u);
}

// A machine with C.UTF-8 alone, as this project's test machines are: Russian all the same.
TEST(LanguageTest, RussianWithoutItsLocaleAndEnglishWhereNothingIsTranslated) {
    for (const char* name : {"LANGUAGE", "LC_ALL", "LC_MESSAGES"}) unsetenv(name);
    setenv("LANG", "ru_RU.UTF-8", 1);
    startTranslation("auto");
    EXPECT_STREQ(tr("Start the game"), "Начать игру");
    EXPECT_EQ(formatText(tr("No piece of yours on %s"), "c5"), "На поле c5 нет вашей шашки");
    EXPECT_STREQ(tr("A text nobody translated"), "A text nobody translated");
    EXPECT_STREQ(trn("one text nobody translated", "%lu texts nobody translated", 5), "%lu texts nobody translated");
    EXPECT_STREQ(tr(""), "");
    // Russian has three plural forms: 1, 2 to 4, 5 and more (and 11 to 14).
    for (const auto& [count, form] : {std::pair{21, "партия"}, {3, "партии"}, {12, "партий"}})
        EXPECT_EQ(formatText(trn("%s: there is no game %d (the file holds %d)",
                                 "%s: there is no game %d (the file holds %d)", count),
                             "a.pdn", 40, count),
                  "a.pdn: партии 40 нет (в файле " + std::to_string(count) + " " + form + ")");
    EXPECT_STREQ(std::setlocale(LC_NUMERIC, nullptr), "C");  // numbers are written as ever

    startTranslation("en");
    EXPECT_STREQ(tr("Start the game"), "Start the game");
}

// A Cyrillic letter is two bytes and one cell of the HUD's fixed-width font:
// a click is judged against the cells a line covers.
TEST(LanguageTest, ATextCoversOneCellACharacter) {
    EXPECT_EQ(characterCount("Press R"), 7u);
    EXPECT_EQ(characterCount("Нажмите R"), 9u);
    EXPECT_EQ(characterCount("«c3» — №1…"), 10u);
}

}  // namespace
