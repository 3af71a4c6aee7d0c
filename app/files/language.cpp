#include "app/files/language.h"

#include <clocale>
#include <cstdlib>
#include <cstring>
#include <sstream>

#include "app/files/data_folder.h"
#include "engine/rules/translation.h"

#ifndef DRAUGHTS3D_LANGUAGES
#define DRAUGHTS3D_LANGUAGES ""
#endif

namespace {

std::string valueOf(EnvironmentLookup environment, const char* name) {
    const char* value = environment(name);
    return value ? value : "";
}

// Whether a locale or language name ("en", "en_GB.UTF-8", "C.UTF-8") stands for
// the game's own English.
bool isEnglish(const std::string& name) {
    for (const char* english : {"en", "C", "POSIX"}) {
        const std::size_t length = std::strlen(english);
        if (name.compare(0, length, english) == 0 &&
            (name.size() == length || std::strchr("_.@", name[length]) != nullptr))
            return true;
    }
    return false;
}

// The languages of a LANGUAGE-like list up to the first English one.
std::string beforeEnglish(const std::string& list) {
    std::string kept;
    std::istringstream names(list);
    std::string name;
    while (std::getline(names, name, ':')) {
        if (name.empty()) continue;
        if (isEnglish(name)) break;
        kept += (kept.empty() ? "" : ":") + name;
    }
    return kept;
}

}  // namespace

const char* translatedLanguages() { return DRAUGHTS3D_LANGUAGES; }

bool isLanguageSetting(const std::string& word) {
    if (word == "auto" || word == "en") return true;
    std::istringstream languages(translatedLanguages());
    std::string language;
    while (std::getline(languages >> std::ws, language, ','))
        if (word == language) return true;
    return false;
}

std::string chosenLanguages(const std::string& setting, EnvironmentLookup environment) {
    if (setting != "auto" && !setting.empty()) return beforeEnglish(setting);
    std::string locale = valueOf(environment, "LC_ALL");
    if (locale.empty()) locale = valueOf(environment, "LC_MESSAGES");
    if (locale.empty()) locale = valueOf(environment, "LANG");
    // gettext passes over LANGUAGE in the C locale.
    if (locale.empty() || locale == "C" || locale == "POSIX") return "";
    const std::string languages = valueOf(environment, "LANGUAGE");
    return beforeEnglish(languages.empty() ? locale : languages);
}

void startTranslation(const std::string& setting) {
    const std::string languages =
        chosenLanguages(setting, [](const char* name) -> const char* { return std::getenv(name); });
    if (languages.empty()) {
        // In the C locale gettext gives every text as written.
        std::setlocale(LC_MESSAGES, "C");
        return;
    }
    if (const std::string folder = findGameLocaleFolder(); !folder.empty()) bindtextdomain(kTextDomain, folder.c_str());
    bind_textdomain_codeset(kTextDomain, "UTF-8");
    setenv("LANGUAGE", languages.c_str(), 1);
    // The locale itself only has to be another than C: gettext follows
    // LANGUAGE then, and the C library has C.UTF-8 always.
    const char* locale = std::setlocale(LC_MESSAGES, "");
    if (!locale || std::strcmp(locale, "C") == 0 || std::strcmp(locale, "POSIX") == 0)
        std::setlocale(LC_MESSAGES, "C.UTF-8");
}
