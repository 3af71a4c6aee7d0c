#pragma once
// The frame squares are typed and named in. Side 1's player sits at the near
// edge and names the squares as the game does; side 2's player in Two players
// sits opposite and names them turned by 180 degrees (their c3 is the game's
// f6), as the board's coordinates show it to them.

#include <cctype>
#include <string>

#include "engine/rules/board.h"

// `text` with every square name in it (a letter a-h and a digit 1-8, standing
// alone or between the signs of a move: "c3-d4", "b6:d4:f2") as `side`'s player
// names it. The words around them stay as they are.
inline std::string namedFrom(Side side, std::string text) {
    if (side != 2) return text;
    const auto letter = [&text](std::size_t i) {
        return i < text.size() && std::isalpha(static_cast<unsigned char>(text[i]));
    };
    for (std::size_t i = 0; i + 1 < text.size(); ++i) {
        const char file = text[i], rank = text[i + 1];
        const bool square = file >= 'a' && file <= 'h' && rank >= '1' && rank <= '8';
        const bool alone = (i == 0 || !letter(i - 1)) && !letter(i + 2) &&
                           !(i + 2 < text.size() && std::isdigit(static_cast<unsigned char>(text[i + 2])));
        if (!square || !alone) continue;
        text[i] = static_cast<char>('a' + 'h' - file);
        text[i + 1] = static_cast<char>('1' + '8' - rank);
        ++i;
    }
    return text;
}
