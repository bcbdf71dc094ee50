#include "codecs/base64.h"

#include <array>
#include <cstring>

namespace vt {
namespace {

constexpr char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

// Two output characters for every 12-bit value, so one group of three bytes takes two lookups.
struct PairTable {
    std::array<char, 4096 * 2> chars{};
    constexpr PairTable() {
        for (int v = 0; v < 4096; ++v) {
            chars[v * 2] = kAlphabet[v >> 6];
            chars[v * 2 + 1] = kAlphabet[v & 63];
        }
    }
};
constexpr PairTable kPairs;

inline void EncodeGroup(const std::uint8_t* in, char* out) {
    std::uint32_t v = (std::uint32_t{in[0]} << 16) | (std::uint32_t{in[1]} << 8) | in[2];
    std::memcpy(out, &kPairs.chars[(v >> 12) * 2], 2);
    std::memcpy(out + 2, &kPairs.chars[(v & 0xFFF) * 2], 2);
}

}  // namespace

Text Base64Encode(const Bytes& data) {
    const size_t n = data.size();
    if (n == 0) return Text();
    const size_t groups = (n + 2) / 3;
    Text out(groups * 4, '\0');
    const std::uint8_t* in = data.data();
    char* dst = out.data();
    const size_t wholeGroups = n / 3;
    for (size_t g = 0; g < wholeGroups; ++g) {
        EncodeGroup(in + g * 3, dst + g * 4);
    }
    const size_t rest = n % 3;
    if (rest != 0) {
        std::uint8_t last[3] = {0, 0, 0};
        std::memcpy(last, in + wholeGroups * 3, rest);
        char* tail = dst + wholeGroups * 4;
        EncodeGroup(last, tail);
        tail[3] = '=';
        if (rest == 1) tail[2] = '=';
    }
    return out;
}

}  // namespace vt
