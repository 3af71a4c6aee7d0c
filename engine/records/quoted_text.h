#pragma once
// Input quoted in a message: a word of a PDN file, a line of the settings, an
// argument. What a file holds or a player types may be megabytes long or hold
// control characters; a message shows a short excerpt of it, escaped, so that
// it stays one short line and a terminal never receives the input's own escape
// sequences.

#include <cstddef>
#include <string>

// How many characters of an input a message shows at most; of a file's path,
// which the player needs whole to find the file, more.
constexpr std::size_t kExcerptCharacters = 40;
constexpr std::size_t kPathExcerptCharacters = 160;

// At most `limit` characters of `text`, then "..." when it goes on. Control
// characters and bytes that are not UTF-8 are shown escaped ("\n", "\t", "\r",
// "\0", "\x1b"); every other character as it is.
std::string excerpt(const std::string& text, std::size_t limit = kExcerptCharacters);
