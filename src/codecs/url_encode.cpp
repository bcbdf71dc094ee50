#include "codecs/url_encode.h"

#include <array>

#include "text/codepage.h"

namespace vt {
namespace {

struct KeepTable {
    std::array<bool, 256> keep{};
    constexpr KeepTable() {
        for (int c = 0; c < 256; ++c) {
            keep[c] = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
                      c == '-' || c == '.';
        }
    }
};
constexpr KeepTable kKeep;
constexpr char kHex[] = "0123456789ABCDEF";

Text Encode(std::string_view bytes, bool keepUnreserved) {
    size_t kept = 0;
    if (keepUnreserved) {
        for (unsigned char c : bytes) kept += kKeep.keep[c];
    }
    Text out(bytes.size() * 3 - kept * 2, '\0');
    char* dst = out.data();
    for (unsigned char c : bytes) {
        if (keepUnreserved && kKeep.keep[c]) {
            *dst++ = static_cast<char>(c);
        } else {
            dst[0] = '%';
            dst[1] = kHex[c >> 4];
            dst[2] = kHex[c & 15];
            dst += 3;
        }
    }
    return out;
}

}  // namespace

Text UrlEncode(const Text& text, bool keepUnreserved, bool toUtf8) {
    if (text.empty()) return Text();
    if (toUtf8) return Encode(Cp936ToUtf8(text), keepUnreserved);
    return Encode(text, keepUnreserved);
}

}  // namespace vt
