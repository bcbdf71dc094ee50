#include "text/text_ops.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace vt {
namespace {

char FoldAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c;
}

// Compares the needle with the text at `at`; two-byte characters of the needle compare exactly.
bool MatchesAt(std::string_view text, size_t at, std::string_view needle, bool ignoreCase) {
    if (text.size() - at < needle.size()) return false;
    if (!ignoreCase) return std::memcmp(text.data() + at, needle.data(), needle.size()) == 0;
    for (size_t i = 0; i < needle.size(); ++i) {
        if (IsLeadByte(static_cast<unsigned char>(needle[i]))) {
            if (text[at + i] != needle[i]) return false;
            if (i + 1 < needle.size() && text[at + i + 1] != needle[i + 1]) return false;
            ++i;
        } else if (FoldAscii(text[at + i]) != FoldAscii(needle[i])) {
            return false;
        }
    }
    return true;
}

// Finds successive matches in one text in linear time: the character-start walk is kept between
// calls instead of being repeated from the first byte.
class Searcher {
  public:
    Searcher(std::string_view text, std::string_view needle, bool ignoreCase)
        : text_(text), needle_(needle), ignoreCase_(ignoreCase) {}

    // Byte offset of the first match at a character start at or after `from`, or npos.
    size_t Next(size_t from) {
        if (needle_.empty() || from >= text_.size()) return std::string_view::npos;
        return ignoreCase_ ? NextByWalking(from) : NextByMemmem(from);
    }

  private:
    void AdvanceBoundaryTo(size_t offset) {
        while (boundary_ < offset) {
            boundary_ += IsLeadByte(static_cast<unsigned char>(text_[boundary_])) ? 2 : 1;
        }
    }

    size_t NextByMemmem(size_t from) {
        while (from < text_.size()) {
            const void* hit =
                memmem(text_.data() + from, text_.size() - from, needle_.data(), needle_.size());
            if (hit == nullptr) return std::string_view::npos;
            size_t candidate = static_cast<const char*>(hit) - text_.data();
            AdvanceBoundaryTo(candidate);
            if (boundary_ == candidate) return candidate;
            from = boundary_;
        }
        return std::string_view::npos;
    }

    size_t NextByWalking(size_t from) {
        AdvanceBoundaryTo(from);
        while (boundary_ < text_.size()) {
            if (MatchesAt(text_, boundary_, needle_, true)) return boundary_;
            AdvanceBoundaryTo(boundary_ + 1);
        }
        return std::string_view::npos;
    }

    std::string_view text_;
    std::string_view needle_;
    bool ignoreCase_;
    size_t boundary_ = 0;
};

bool IsFullWidthSpaceAt(std::string_view text, size_t i) {
    return i + 1 < text.size() && static_cast<unsigned char>(text[i]) == 0xA1 &&
           static_cast<unsigned char>(text[i + 1]) == 0xA1;
}

// Byte length of the character at `i` (a lead byte at the very end counts as one byte).
size_t CharLength(std::string_view text, size_t i) {
    return (IsLeadByte(static_cast<unsigned char>(text[i])) && i + 1 < text.size()) ? 2 : 1;
}

bool IsSpaceCharAt(std::string_view text, size_t i) {
    return text[i] == ' ' || IsFullWidthSpaceAt(text, i);
}

}  // namespace

bool IsAscii(std::string_view text) {
    // Eight bytes at a time: whole screen captures in Base64 pass through here.
    constexpr std::uint64_t kHighBits = 0x8080808080808080ull;
    size_t i = 0;
    for (; i + 32 <= text.size(); i += 32) {
        std::uint64_t words[4];
        std::memcpy(words, text.data() + i, sizeof words);
        if ((words[0] | words[1] | words[2] | words[3]) & kHighBits) return false;
    }
    for (; i < text.size(); ++i) {
        if (static_cast<unsigned char>(text[i]) >= 0x80) return false;
    }
    return true;
}

int Find(std::string_view text, std::string_view needle, int startPosition, bool ignoreCase) {
    size_t from = startPosition < 1 ? 0 : static_cast<size_t>(startPosition) - 1;
    if (from >= text.size()) return -1;
    if (needle.empty()) return 1;
    size_t hit = Searcher(text, needle, ignoreCase).Next(from);
    return hit == std::string_view::npos ? -1 : static_cast<int>(hit) + 1;
}

Text ReplaceAll(std::string_view text, std::string_view from, std::string_view to,
                bool ignoreCase) {
    Searcher searcher(text, from, ignoreCase);
    Text result;
    result.reserve(text.size());
    size_t copied = 0;
    for (size_t hit = searcher.Next(0); hit != std::string_view::npos;
         hit = searcher.Next(copied)) {
        result.append(text.substr(copied, hit - copied));
        result.append(to);
        copied = hit + from.size();
    }
    result.append(text.substr(copied));
    return result;
}

Text Trim(std::string_view text) {
    size_t first = text.size();
    size_t end = 0;
    for (size_t i = 0; i < text.size(); i += CharLength(text, i)) {
        if (IsSpaceCharAt(text, i)) continue;
        if (first == text.size()) first = i;
        end = i + CharLength(text, i);
    }
    return first < end ? Text(text.substr(first, end - first)) : Text();
}

Text RemoveAllSpaces(std::string_view text) {
    Text result;
    result.reserve(text.size());
    for (size_t i = 0; i < text.size(); i += CharLength(text, i)) {
        if (!IsSpaceCharAt(text, i)) result.append(text.substr(i, CharLength(text, i)));
    }
    return result;
}

std::vector<Text> Split(std::string_view text, std::string_view separator) {
    std::vector<Text> pieces;
    if (text.empty()) return pieces;
    if (separator.empty()) return {Text(text)};
    Searcher searcher(text, separator, false);
    size_t begin = 0;
    for (size_t hit = searcher.Next(0); hit != std::string_view::npos; hit = searcher.Next(begin)) {
        pieces.emplace_back(text.substr(begin, hit - begin));
        begin = hit + separator.size();
    }
    if (begin < text.size()) pieces.emplace_back(text.substr(begin));
    return pieces;
}

Text Left(std::string_view text, long long n) {
    if (n <= 0) return Text();
    return Text(text.substr(0, static_cast<size_t>(n)));
}

Text Right(std::string_view text, long long n) {
    if (n <= 0) return Text();
    size_t count = std::min(static_cast<size_t>(n), text.size());
    return Text(text.substr(text.size() - count));
}

}  // namespace vt
