#include "codecs/url_encode.h"

#include <array>
#include <cstdint>

#if defined(__x86_64__)
#include <emmintrin.h>
#endif

#include "text/codepage.h"
#include "text/text_ops.h"

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
// The encoded form of every byte, padded to four bytes, and its length (1 or 3), so that a byte is
// written with one four-byte store and no branch.
struct EncodedTable {
    std::array<std::array<char, 4>, 256> chars{};
    std::array<std::uint8_t, 256> length{};
    constexpr explicit EncodedTable(bool keepUnreserved) {
        constexpr char hex[] = "0123456789ABCDEF";
        for (int c = 0; c < 256; ++c) {
            if (keepUnreserved && kKeep.keep[c]) {
                chars[c] = {static_cast<char>(c), 0, 0, 0};
                length[c] = 1;
            } else {
                chars[c] = {'%', hex[c >> 4], hex[c & 15], 0};
                length[c] = 3;
            }
        }
    }
};
constexpr EncodedTable kEncodeAll(false);
constexpr EncodedTable kEncodeReserved(true);

// Writes the encoded bytes; `dst` must have three bytes of room past the last one written.
inline char* EncodeBytes(std::string_view bytes, const EncodedTable& table, char* dst) {
    for (unsigned char c : bytes) {
        __builtin_memcpy(dst, table.chars[c].data(), 4);
        dst += table.length[c];
    }
    return dst;
}

#if defined(__x86_64__)
// Bit i set when byte i of the 16 at `at` is kept as it is (SSE2 range checks).
inline unsigned KeptMask(const char* at) {
    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(at));
    auto inRange = [v](char low, char high) {
        const __m128i shifted = _mm_sub_epi8(v, _mm_set1_epi8(low));
        const __m128i limit = _mm_set1_epi8(static_cast<char>(high - low));
        return _mm_cmpeq_epi8(_mm_min_epu8(shifted, limit), shifted);
    };
    const __m128i keep = _mm_or_si128(_mm_or_si128(inRange('A', 'Z'), inRange('a', 'z')),
                                      _mm_or_si128(inRange('0', '9'), inRange('-', '.')));
    return static_cast<unsigned>(_mm_movemask_epi8(keep));
}
constexpr size_t kBlock = 16;
#else
inline unsigned KeptMask(const char* at) {
    unsigned mask = 0;
    for (size_t i = 0; i < 16; ++i)
        mask |= unsigned{kKeep.keep[static_cast<unsigned char>(at[i])]} << i;
    return mask;
}
constexpr size_t kBlock = 16;
#endif

// Number of bits set in each byte value (the portable build has no popcount instruction).
constexpr std::array<std::uint8_t, 256> kBitsSet = [] {
    std::array<std::uint8_t, 256> bits{};
    for (int v = 0; v < 256; ++v) bits[v] = static_cast<std::uint8_t>((v & 1) + bits[v >> 1]);
    return bits;
}();

size_t CountKept(std::string_view bytes) {
    size_t kept = 0;
    size_t i = 0;
    for (; i + kBlock <= bytes.size(); i += kBlock) {
        const unsigned mask = KeptMask(&bytes[i]);
        kept += kBitsSet[mask & 0xFF] + kBitsSet[mask >> 8];
    }
    for (; i < bytes.size(); ++i) kept += kKeep.keep[static_cast<unsigned char>(bytes[i])];
    return kept;
}

// Copies the kept runs of one 16-byte block with whole-block stores and encodes the bytes between
// them. Reads up to 31 bytes from `block` and writes up to 16 bytes past the encoded end.
inline char* EncodeBlock(const char* block, unsigned keptMask, const EncodedTable& table,
                         char* dst) {
    constexpr unsigned kAll = (1u << kBlock) - 1;
    unsigned position = 0;
    while (position < kBlock) {
        const unsigned toEncode = ~keptMask & kAll & (kAll << position);
        const unsigned next = toEncode ? static_cast<unsigned>(__builtin_ctz(toEncode)) : kBlock;
        __builtin_memcpy(dst, block + position, kBlock);
        dst += next - position;
        if (next < kBlock) dst = EncodeBytes(std::string_view(block + next, 1), table, dst);
        position = next + 1;
    }
    return dst;
}

// Text of letters and digits (such as Base64) is mostly kept, so kept runs are copied in blocks
// and only the bytes to encode go through the table.
Text Encode(std::string_view bytes, bool keepUnreserved) {
    const size_t kept = keepUnreserved ? CountKept(bytes) : 0;
    const size_t length = bytes.size() * 3 - kept * 2;
    // Spare room for the whole-block and four-byte stores past the encoded end.
    Text out(length + kBlock, '\0');
    char* dst = out.data();
    const EncodedTable& table = keepUnreserved ? kEncodeReserved : kEncodeAll;
    size_t i = 0;
    if (keepUnreserved) {
        for (; i + 2 * kBlock <= bytes.size(); i += kBlock) {
            dst = EncodeBlock(&bytes[i], KeptMask(&bytes[i]), table, dst);
        }
    }
    EncodeBytes(bytes.substr(i), table, dst);
    out.resize(length);
    return out;
}

}  // namespace

Text UrlEncode(const Text& text, bool keepUnreserved, bool toUtf8) {
    if (text.empty()) return Text();
    // ASCII text is its own UTF-8 form; converting it would only copy it.
    if (toUtf8 && !IsAscii(text)) return Encode(Cp936ToUtf8(text), keepUnreserved);
    return Encode(text, keepUnreserved);
}

}  // namespace vt
