#include "codecs/base64.h"

#include <array>
#include <cstring>

#if defined(__x86_64__)
#include <immintrin.h>
#endif

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

// Encodes whole groups of three bytes from `in` and returns how many groups were done.
using GroupEncoder = size_t (*)(const std::uint8_t* in, size_t groups, char* out);

size_t EncodeGroupsScalar(const std::uint8_t* in, size_t groups, char* out) {
    for (size_t g = 0; g < groups; ++g) EncodeGroup(in + g * 3, out + g * 4);
    return groups;
}

#if defined(__x86_64__)
// SSSE3: twelve input bytes become sixteen characters per step. The bytes of each group are
// spread over a 32-bit lane, the four 6-bit indices are cut out with two multiplies, and the
// indices are turned into characters by adding a per-range offset picked with a shuffle.
__attribute__((target("ssse3"))) size_t EncodeGroupsSsse3(const std::uint8_t* in, size_t groups,
                                                          char* out) {
    const __m128i spread = _mm_set_epi8(10, 11, 9, 10, 7, 8, 6, 7, 4, 5, 3, 4, 1, 2, 0, 1);
    const __m128i offsets =
        _mm_setr_epi8('a' - 26, '0' - 52, '0' - 52, '0' - 52, '0' - 52, '0' - 52, '0' - 52,
                      '0' - 52, '0' - 52, '0' - 52, '0' - 52, '+' - 62, '/' - 63, 'A', 0, 0);
    size_t g = 0;
    // Each step reads 16 bytes but consumes 12, so stop while 16 bytes are still in range.
    for (; (g + 4) * 3 + 4 <= groups * 3; g += 4) {
        __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + g * 3));
        v = _mm_shuffle_epi8(v, spread);
        const __m128i hi = _mm_mulhi_epu16(_mm_and_si128(v, _mm_set1_epi32(0x0FC0FC00)),
                                           _mm_set1_epi32(0x04000040));
        const __m128i lo = _mm_mullo_epi16(_mm_and_si128(v, _mm_set1_epi32(0x003F03F0)),
                                           _mm_set1_epi32(0x01000010));
        const __m128i indices = _mm_or_si128(hi, lo);
        __m128i range = _mm_subs_epu8(indices, _mm_set1_epi8(51));
        const __m128i upper = _mm_cmpgt_epi8(_mm_set1_epi8(26), indices);
        range = _mm_or_si128(range, _mm_and_si128(upper, _mm_set1_epi8(13)));
        const __m128i chars = _mm_add_epi8(indices, _mm_shuffle_epi8(offsets, range));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + g * 4), chars);
    }
    return g + EncodeGroupsScalar(in + g * 3, groups - g, out + g * 4);
}

// AVX2: the same steps on 24 input bytes at a time. Each 128-bit lane must hold its 12 bytes at
// the positions the shuffle expects, so the load starts 4 bytes before the group; the first four
// groups are therefore done by the SSSE3 step.
__attribute__((target("avx2"))) size_t EncodeGroupsAvx2(const std::uint8_t* in, size_t groups,
                                                        char* out) {
    if (groups < 4) return EncodeGroupsSsse3(in, groups, out);
    EncodeGroupsSsse3(in, 4, out);
    const __m256i spread = _mm256_setr_epi8(5, 4, 6, 5, 8, 7, 9, 8, 11, 10, 12, 11, 14, 13, 15, 14,
                                            1, 0, 2, 1, 4, 3, 5, 4, 7, 6, 8, 7, 10, 9, 11, 10);
    const __m256i offsets =
        _mm256_setr_epi8('a' - 26, '0' - 52, '0' - 52, '0' - 52, '0' - 52, '0' - 52, '0' - 52,
                         '0' - 52, '0' - 52, '0' - 52, '0' - 52, '+' - 62, '/' - 63, 'A', 0, 0,
                         'a' - 26, '0' - 52, '0' - 52, '0' - 52, '0' - 52, '0' - 52, '0' - 52,
                         '0' - 52, '0' - 52, '0' - 52, '0' - 52, '+' - 62, '/' - 63, 'A', 0, 0);
    size_t g = 4;
    // Reads 32 bytes from 4 before the group; stop while they are all in range.
    for (; g * 3 - 4 + 32 <= groups * 3; g += 8) {
        __m256i v = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(in + g * 3 - 4));
        v = _mm256_shuffle_epi8(v, spread);
        const __m256i hi = _mm256_mulhi_epu16(_mm256_and_si256(v, _mm256_set1_epi32(0x0FC0FC00)),
                                              _mm256_set1_epi32(0x04000040));
        const __m256i lo = _mm256_mullo_epi16(_mm256_and_si256(v, _mm256_set1_epi32(0x003F03F0)),
                                              _mm256_set1_epi32(0x01000010));
        const __m256i indices = _mm256_or_si256(hi, lo);
        __m256i range = _mm256_subs_epu8(indices, _mm256_set1_epi8(51));
        const __m256i upper = _mm256_cmpgt_epi8(_mm256_set1_epi8(26), indices);
        range = _mm256_or_si256(range, _mm256_and_si256(upper, _mm256_set1_epi8(13)));
        const __m256i chars = _mm256_add_epi8(indices, _mm256_shuffle_epi8(offsets, range));
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(out + g * 4), chars);
    }
    return g + EncodeGroupsSsse3(in + g * 3, groups - g, out + g * 4);
}

GroupEncoder ChooseEncoder() {
    if (__builtin_cpu_supports("avx2")) return EncodeGroupsAvx2;
    return __builtin_cpu_supports("ssse3") ? EncodeGroupsSsse3 : EncodeGroupsScalar;
}
#else
GroupEncoder ChooseEncoder() {
    return EncodeGroupsScalar;
}
#endif

}  // namespace

Text Base64Encode(const Bytes& data) {
    static const GroupEncoder encodeGroups = ChooseEncoder();
    const size_t n = data.size();
    if (n == 0) return Text();
    Text out((n + 2) / 3 * 4, '\0');
    const size_t wholeGroups = n / 3;
    encodeGroups(data.data(), wholeGroups, out.data());
    const size_t rest = n % 3;
    if (rest != 0) {
        std::uint8_t last[3] = {0, 0, 0};
        std::memcpy(last, data.data() + wholeGroups * 3, rest);
        char* tail = out.data() + wholeGroups * 4;
        EncodeGroup(last, tail);
        tail[3] = '=';
        if (rest == 1) tail[2] = '=';
    }
    return out;
}

}  // namespace vt
