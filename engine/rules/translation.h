#pragma once
// The game's texts in the player's language. Every text a player reads is
// written in English in the code and looked up here, in the game's own gettext
// domain (po/<language>.po, compiled into share/locale/<language>/LC_MESSAGES/
// draughts3d.mo); a text without a translation stays English. The language is
// chosen once at start (app/files/language.h); until then, and in programs that
// never choose one (the tests), every text is the English one.
//
// Header only, on nothing but the C library's gettext, so that every layer may
// use it (tests/layering/check_layers.sh lets each folder include this file).
// The markers are the keywords po/CMakeLists.txt gives xgettext:
//   tr("...")                  a text, translated now
//   trn("one", "many", n)      a text with a number: the form the language uses for n
//   N_("...")                  a text in a table, marked only: tr() it where it is shown

#include <libintl.h>

#include <cstdarg>
#include <cstdio>
#include <string>

constexpr const char* kTextDomain = "draughts3d";

// The translation of `english`, or `english` itself when there is none ("" stays "").
inline const char* tr(const char* english) { return english[0] ? dgettext(kTextDomain, english) : english; }

// The form of a text with a number that suits `n` (Russian has three).
inline const char* trn(const char* one, const char* many, unsigned long n) {
    return dngettext(kTextDomain, one, many, n);
}

// Marks a text for translation without translating it.
constexpr const char* N_(const char* english) { return english; }

// The characters of a UTF-8 text, as many as the cells it covers in a
// fixed-width font: every byte but those that go on a character (10xxxxxx).
inline std::size_t characterCount(const std::string& text) {
    std::size_t count = 0;
    for (const char c : text) count += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    return count;
}

// printf into a string, for a translated text with its values: a translation
// may reorder them ("%2$s ... %1$s").
inline std::string formatText(const char* format, ...) __attribute__((format(printf, 1, 2)));
inline std::string formatText(const char* format, ...) {
    va_list arguments;
    va_start(arguments, format);
    va_list again;
    va_copy(again, arguments);
    const int length = std::vsnprintf(nullptr, 0, format, arguments);
    va_end(arguments);
    std::string text(length > 0 ? static_cast<std::size_t>(length) : 0, '\0');
    if (length > 0) std::vsnprintf(text.data(), text.size() + 1, format, again);
    va_end(again);
    return text;
}
