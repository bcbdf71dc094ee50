#include "service/hex_text.h"

namespace vt::ocrd {

std::string HexText(std::span<const unsigned char> bytes) {
    static constexpr char kHex[] = "0123456789abcdef";
    std::string text;
    text.reserve(bytes.size() * 2);
    for (unsigned char byte : bytes) {
        text.push_back(kHex[byte >> 4]);
        text.push_back(kHex[byte & 15]);
    }
    return text;
}

}  // namespace vt::ocrd
