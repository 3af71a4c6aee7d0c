#include "engine/records/quoted_text.h"

namespace {

// The length of the well-formed UTF-8 character at text[at] (2 to 4 bytes; no
// overlong form, no surrogate, nothing past U+10FFFF), or 0; its code in `code`.
std::size_t utf8Length(const std::string& text, std::size_t at, unsigned& code) {
    const unsigned char lead = static_cast<unsigned char>(text[at]);
    std::size_t length;
    unsigned least;
    if ((lead & 0xE0) == 0xC0) {
        length = 2, code = lead & 0x1F, least = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3, code = lead & 0x0F, least = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4, code = lead & 0x07, least = 0x10000;
    } else {
        return 0;
    }
    if (text.size() - at < length) return 0;
    for (std::size_t k = 1; k < length; ++k) {
        const unsigned char next = static_cast<unsigned char>(text[at + k]);
        if ((next & 0xC0) != 0x80) return 0;
        code = code << 6 | (next & 0x3F);
    }
    if (code < least || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return 0;
    return length;
}

void appendEscaped(std::string& out, unsigned char byte) {
    static const char kDigits[] = "0123456789abcdef";
    switch (byte) {
        case '\n': out += "\\n"; return;
        case '\t': out += "\\t"; return;
        case '\r': out += "\\r"; return;
        case '\0': out += "\\0"; return;
        default: break;
    }
    out += "\\x";
    out += kDigits[byte >> 4];
    out += kDigits[byte & 0xF];
}

}  // namespace

std::string excerpt(const std::string& text, std::size_t limit) {
    std::string shown;
    std::size_t at = 0;
    for (std::size_t characters = 0; at < text.size() && characters < limit; ++characters) {
        const unsigned char byte = static_cast<unsigned char>(text[at]);
        if (byte >= 0x20 && byte < 0x7F) {
            shown += text[at++];
            continue;
        }
        unsigned code = 0;
        const std::size_t length = byte < 0x80 ? 0 : utf8Length(text, at, code);
        // A control character, a byte that is not UTF-8, and the C1 controls
        // (U+0080..U+009F, which some terminals obey) are escaped byte by byte.
        if (length == 0 || code < 0xA0) {
            for (std::size_t k = 0; k < (length ? length : 1); ++k)
                appendEscaped(shown, static_cast<unsigned char>(text[at + k]));
        } else {
            shown.append(text, at, length);
        }
        at += length ? length : 1;
    }
    if (at < text.size()) shown += "...";
    return shown;
}
