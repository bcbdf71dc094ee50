#include "service/bmp_bitfields.h"

#include <bit>

namespace vt::ocrd {
namespace {

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::uint32_t kBitfields = 3;
constexpr std::uint32_t kAlphaBitfields = 6;

// One colour channel: where its bits are and how to widen them to 8 bits.
struct Channel {
    std::uint32_t mask = 0;
    int shift = 0;
    std::uint32_t maximum = 0;  // the largest value of the channel's bits

    static std::optional<Channel> FromMask(std::uint32_t mask) {
        if (mask == 0) return Channel{};
        Channel channel{mask, std::countr_zero(mask), 0};
        std::uint32_t bits = mask >> channel.shift;
        if ((bits & (bits + 1)) != 0) return std::nullopt;  // not one run of bits
        channel.maximum = bits;
        return channel;
    }

    std::uint32_t Value(std::uint32_t pixel) const {
        if (maximum == 0) return 0;
        return static_cast<std::uint32_t>(
            (std::uint64_t{(pixel & mask) >> shift} * 255 + maximum / 2) / maximum);
    }
};

struct BmpLayout {
    std::int64_t width = 0;
    std::int64_t height = 0;
    bool bottomUp = true;
    int bitCount = 0;
    std::size_t pixelOffset = 0;
    std::size_t masksOffset = 0;
};

std::optional<BmpLayout> ReadLayout(ByteSpan data) {
    auto size = ReadBmpSize(data);
    if (!size || data.size() < kFileHeaderSize + 40 || ReadLe32(data, 14) < 40) return std::nullopt;
    std::uint32_t compression = ReadLe32(data, 30);
    BmpLayout layout;
    layout.bitCount = ReadLe16(data, 28);
    if (ReadLe16(data, 26) != 1 || (compression != kBitfields && compression != kAlphaBitfields) ||
        (layout.bitCount != 16 && layout.bitCount != 32)) {
        return std::nullopt;
    }
    layout.width = size->width;
    layout.height = size->height;
    layout.bottomUp = static_cast<std::int32_t>(ReadLe32(data, 22)) > 0;
    layout.pixelOffset = ReadLe32(data, 10);
    // Masks follow a 40-byte header; longer headers hold them at the same place inside.
    layout.masksOffset = kFileHeaderSize + 40;
    if (layout.width <= 0 || layout.height <= 0 || layout.masksOffset + 12 > data.size()) {
        return std::nullopt;
    }
    return layout;
}

}  // namespace

bool IsBitfieldsBmp(ByteSpan data) {
    return ReadLayout(data).has_value();
}

std::optional<RgbImage> DecodeBitfieldsBmp(ByteSpan data) {
    auto layout = ReadLayout(data);
    if (!layout) return std::nullopt;
    auto red = Channel::FromMask(ReadLe32(data, layout->masksOffset));
    auto green = Channel::FromMask(ReadLe32(data, layout->masksOffset + 4));
    auto blue = Channel::FromMask(ReadLe32(data, layout->masksOffset + 8));
    if (!red || !green || !blue) return std::nullopt;

    std::uint64_t bytesPerPixel = static_cast<std::uint64_t>(layout->bitCount) / 8;
    std::uint64_t stride = (static_cast<std::uint64_t>(layout->width) * bytesPerPixel + 3) / 4 * 4;
    std::uint64_t rows = static_cast<std::uint64_t>(layout->height);
    if (layout->pixelOffset > data.size() || stride > (data.size() - layout->pixelOffset) / rows) {
        return std::nullopt;
    }

    RgbImage image;
    image.width = static_cast<int>(layout->width);
    image.height = static_cast<int>(layout->height);
    image.pixels.resize(static_cast<std::size_t>(layout->width * layout->height));
    std::uint32_t* out = image.pixels.data();
    for (std::int64_t y = 0; y < layout->height; ++y) {
        std::int64_t fileRow = layout->bottomUp ? layout->height - 1 - y : y;
        std::size_t at = layout->pixelOffset + static_cast<std::size_t>(fileRow * stride);
        for (std::int64_t x = 0; x < layout->width; ++x, at += bytesPerPixel) {
            std::uint32_t pixel = bytesPerPixel == 4 ? ReadLe32(data, at) : ReadLe16(data, at);
            *out++ =
                (red->Value(pixel) << 24) | (green->Value(pixel) << 16) | (blue->Value(pixel) << 8);
        }
    }
    return image;
}

}  // namespace vt::ocrd
