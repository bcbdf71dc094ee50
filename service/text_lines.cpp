#include "service/text_lines.h"

#include <cstddef>

namespace vt::ocrd {
namespace {

// The code point that starts at `text[i]` and its length in bytes; a byte that does not start
// a well-formed sequence stands for itself with length 1 (it is then never a CJK character).
char32_t CodePointAt(std::string_view text, std::size_t i, std::size_t& length) {
    auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[i + k]); };
    unsigned char lead = byte(0);
    length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
    if (length == 1 || i + length > text.size()) {
        length = 1;
        return lead;
    }
    char32_t value = lead & (0x7F >> length);
    for (std::size_t k = 1; k < length; ++k) {
        if ((byte(k) & 0xC0) != 0x80) {
            length = 1;
            return lead;
        }
        value = (value << 6) | (byte(k) & 0x3F);
    }
    return value;
}

// Scripts written without spaces between words: Han, kana and their punctuation and full-width
// forms. Hangul (and its jamo at 3130-318F) is left out: Korean puts spaces between words.
bool IsCjk(char32_t c) {
    return (c >= 0x2E80 && c <= 0x2FDF) || (c >= 0x3000 && c <= 0x312F) ||
           (c >= 0x3190 && c <= 0x9FFF) || (c >= 0xF900 && c <= 0xFAFF) ||
           (c >= 0xFE30 && c <= 0xFE4F) || (c >= 0xFF00 && c <= 0xFFEF) ||
           (c >= 0x20000 && c <= 0x3134F);
}

bool IsTrimmed(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v';
}

}  // namespace

std::string CleanLine(std::string_view line) {
    while (!line.empty() && IsTrimmed(line.front())) line.remove_prefix(1);
    while (!line.empty() && IsTrimmed(line.back())) line.remove_suffix(1);

    std::string out;
    out.reserve(line.size());
    bool previousIsCjk = false;
    for (std::size_t i = 0; i < line.size();) {
        if (line[i] == ' ') {
            std::size_t next = line.find_first_not_of(' ', i);  // never npos: the line is trimmed
            std::size_t length = 0;
            if (!(previousIsCjk && IsCjk(CodePointAt(line, next, length)))) {
                out.append(line.substr(i, next - i));
            }
            i = next;
            continue;
        }
        std::size_t length = 0;
        previousIsCjk = IsCjk(CodePointAt(line, i, length));
        out.append(line.substr(i, length));
        i += length;
    }
    return out;
}

}  // namespace vt::ocrd
