#pragma once
// The text model: all text inside the program is code-page-936 bytes.

#include <cstdint>
#include <string>
#include <vector>

namespace vt {

// Code-page-936 text: a byte of 0x80 or above starts a two-byte character.
// Positions in a text count bytes from 1; a failed search gives -1.
using Text = std::string;

// A length-counted byte string (image data, HTTP bodies).
using Bytes = std::vector<std::uint8_t>;

inline bool IsLeadByte(unsigned char byte) {
    return byte >= 0x80;
}

inline Bytes ToBytes(const std::string& text) {
    return Bytes(text.begin(), text.end());
}
inline std::string ToString(const Bytes& bytes) {
    return std::string(bytes.begin(), bytes.end());
}

}  // namespace vt
