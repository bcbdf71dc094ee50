#include "service/base64_decode.h"

#include <array>
#include <cstdint>

namespace vt::ocrd {
namespace {

constexpr std::uint8_t kInvalid = 0xFF;

struct DecodeTable {
    std::array<std::uint8_t, 256> values{};
    constexpr DecodeTable() {
        constexpr std::string_view alphabet =
            "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
        values.fill(kInvalid);
        for (std::size_t i = 0; i < alphabet.size(); ++i) {
            values[static_cast<unsigned char>(alphabet[i])] = static_cast<std::uint8_t>(i);
        }
    }
};
constexpr DecodeTable kTable;

std::uint8_t ValueOf(char c) {
    return kTable.values[static_cast<unsigned char>(c)];
}

}  // namespace

std::optional<Bytes> DecodeBase64(std::string_view text) {
    if (text.size() % 4 != 0) return std::nullopt;
    std::size_t padding = 0;
    if (!text.empty() && text.back() == '=') padding = text[text.size() - 2] == '=' ? 2 : 1;

    Bytes out(text.size() / 4 * 3 - padding);
    std::size_t fullGroups = padding == 0 ? text.size() / 4 : text.size() / 4 - 1;
    std::uint8_t* dst = out.data();
    for (std::size_t g = 0; g < fullGroups; ++g) {
        const char* src = text.data() + g * 4;
        std::uint8_t a = ValueOf(src[0]), b = ValueOf(src[1]), c = ValueOf(src[2]),
                     d = ValueOf(src[3]);
        if (((a | b | c | d) & 0xC0) != 0) return std::nullopt;  // kInvalid has these bits
        std::uint32_t v =
            (std::uint32_t{a} << 18) | (std::uint32_t{b} << 12) | (std::uint32_t{c} << 6) | d;
        *dst++ = static_cast<std::uint8_t>(v >> 16);
        *dst++ = static_cast<std::uint8_t>(v >> 8);
        *dst++ = static_cast<std::uint8_t>(v);
    }
    if (padding == 0) return out;

    // The last group: two characters for one byte, three for two; the leftover bits must be 0.
    const char* src = text.data() + fullGroups * 4;
    std::uint8_t a = ValueOf(src[0]), b = ValueOf(src[1]);
    std::uint8_t c = padding == 1 ? ValueOf(src[2]) : 0;
    if (((a | b | c) & 0xC0) != 0) return std::nullopt;
    std::uint32_t v = (std::uint32_t{a} << 18) | (std::uint32_t{b} << 12) | (std::uint32_t{c} << 6);
    *dst++ = static_cast<std::uint8_t>(v >> 16);
    if (padding == 1) *dst = static_cast<std::uint8_t>(v >> 8);
    std::uint32_t leftover = padding == 1 ? (v & 0xFF) : (v & 0xFFFF);
    if (leftover != 0) return std::nullopt;
    return out;
}

}  // namespace vt::ocrd
