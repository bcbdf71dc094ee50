#pragma once
// Text operations shared by the codecs, the HTTP helpers and URL splitting.

#include <string_view>
#include <vector>

#include "text/text.h"

namespace vt {

// True when every byte is below 0x80 (the text reads the same in every code page used here).
bool IsAscii(std::string_view text);

// Position (from 1) of the first occurrence of `needle` in `text` at or after `startPosition`,
// or -1. Matches are only tried at character starts, never at the second byte of a two-byte
// character. A start position below 1 searches from the first byte. An empty needle is found at
// position 1 when at least one byte lies at or after the start position. With `ignoreCase`, ASCII
// letters of single-byte characters compare without regard to case.
int Find(std::string_view text, std::string_view needle, int startPosition = 1,
         bool ignoreCase = false);

inline bool Contains(std::string_view text, std::string_view needle, bool ignoreCase = false) {
    return Find(text, needle, 1, ignoreCase) != -1;
}

// Every occurrence of `from` (found as Find finds it, left to right, not overlapping) replaced by
// `to`. An empty `from` leaves the text unchanged.
Text ReplaceAll(std::string_view text, std::string_view from, std::string_view to,
                bool ignoreCase = false);

// Removes half-width spaces (0x20) and full-width spaces (A1 A1) at both ends.
Text Trim(std::string_view text);

// Removes every half-width and full-width space.
Text RemoveAllSpaces(std::string_view text);

// Pieces between separators: empty pieces before the first and between two adjacent separators
// are kept, none is produced after a final separator; an empty text gives no pieces. An empty
// separator gives the whole text as one piece.
std::vector<Text> Split(std::string_view text, std::string_view separator);

// The first / last n bytes; n <= 0 gives empty text, n beyond the length the whole text.
Text Left(std::string_view text, long long n);
Text Right(std::string_view text, long long n);

}  // namespace vt
