// Compares Find and TextBetween with a naive reference that walks character starts one by one.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "codecs/text_between.h"
#include "text/text_ops.h"

namespace {

using vt::Text;

bool IsLead(char c) {
    return static_cast<unsigned char>(c) >= 0x80;
}
char Fold(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c;
}

bool NaiveMatch(const Text& text, size_t at, const Text& needle, bool ignoreCase) {
    if (text.size() - at < needle.size()) return false;
    for (size_t i = 0; i < needle.size(); ++i) {
        if (IsLead(needle[i])) {
            if (text[at + i] != needle[i]) return false;
            if (i + 1 < needle.size() && text[at + i + 1] != needle[i + 1]) return false;
            ++i;
        } else if ((ignoreCase ? Fold(text[at + i]) != Fold(needle[i])
                               : text[at + i] != needle[i])) {
            return false;
        }
    }
    return true;
}

int NaiveFind(const Text& text, const Text& needle, int start, bool ignoreCase) {
    size_t from = start < 1 ? 0 : static_cast<size_t>(start) - 1;
    if (from >= text.size()) return -1;
    if (needle.empty()) return 1;
    for (size_t at = 0; at < text.size(); at += IsLead(text[at]) ? 2 : 1) {
        if (at >= from && NaiveMatch(text, at, needle, ignoreCase)) return static_cast<int>(at) + 1;
    }
    return -1;
}

Text NaiveBetween(const Text& text, Text start, Text end, int startPosition, bool ignoreCase) {
    const Text placeholder = "#\xD2\xFD\xBA\xC5";
    for (Text* marker : {&start, &end}) {
        Text replaced;
        size_t i = 0;
        while (i < marker->size()) {
            if (marker->compare(i, placeholder.size(), placeholder) == 0) {
                replaced += '"';
                i += placeholder.size();
            } else {
                size_t len = (IsLead((*marker)[i]) && i + 1 < marker->size()) ? 2 : 1;
                replaced += marker->substr(i, len);
                i += len;
            }
        }
        *marker = replaced;
    }
    int p = NaiveFind(text, start, startPosition, ignoreCase);
    if (p == -1) return Text();
    p += static_cast<int>(start.size());
    int q = NaiveFind(text, end, p, ignoreCase);
    if (q == -1 || q <= p) return Text();
    return text.substr(p - 1, q - p);
}

}  // namespace

// Input: flags byte, start byte, then text, needle and end marker separated by 0x00 bytes.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
    if (size < 2) return 0;
    const bool ignoreCase = data[0] & 1;
    const int start = static_cast<int>(data[1] % 40) - 5;
    std::string rest(reinterpret_cast<const char*>(data + 2), size - 2);
    size_t a = rest.find('\0');
    size_t b = a == std::string::npos ? std::string::npos : rest.find('\0', a + 1);
    Text text = rest.substr(0, a);
    Text needle = a == std::string::npos ? Text() : rest.substr(a + 1, b - a - 1);
    Text end = b == std::string::npos ? Text() : rest.substr(b + 1);

    if (vt::Find(text, needle, start, ignoreCase) != NaiveFind(text, needle, start, ignoreCase)) {
        std::abort();
    }
    if (vt::TextBetween(text, needle, end, start, ignoreCase) !=
        NaiveBetween(text, needle, end, start, ignoreCase)) {
        std::abort();
    }
    return 0;
}
