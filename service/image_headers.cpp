#include "service/image_headers.h"

#include <algorithm>

namespace vt::ocrd {
namespace {

bool StartsWith(ByteSpan data, std::initializer_list<std::uint8_t> prefix) {
    return data.size() >= prefix.size() && std::equal(prefix.begin(), prefix.end(), data.begin());
}

// Size in bytes of a colour table announced by a GIF flags byte (bit 7 set: present).
std::size_t GifColourTableSize(std::uint8_t flags) {
    return (flags & 0x80) ? std::size_t{3} << ((flags & 7) + 1) : 0;
}

// Skips a chain of data sub-blocks (length byte, data, ... , zero byte) starting at `at`.
std::optional<std::size_t> SkipGifSubBlocks(ByteSpan data, std::size_t at) {
    while (at < data.size()) {
        std::size_t length = data[at];
        at += 1 + length;
        if (length == 0) return at;
    }
    return std::nullopt;
}

}  // namespace

std::uint16_t ReadLe16(ByteSpan data, std::size_t at) {
    return static_cast<std::uint16_t>(data[at] | (data[at + 1] << 8));
}

std::uint32_t ReadLe32(ByteSpan data, std::size_t at) {
    return std::uint32_t{data[at]} | (std::uint32_t{data[at + 1]} << 8) |
           (std::uint32_t{data[at + 2]} << 16) | (std::uint32_t{data[at + 3]} << 24);
}

ImageFormat DetectImageFormat(ByteSpan data) {
    if (StartsWith(data, {'B', 'M'})) return ImageFormat::Bmp;
    if (StartsWith(data, {0xFF, 0xD8, 0xFF})) return ImageFormat::Jpeg;
    if (StartsWith(data, {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'})) return ImageFormat::Png;
    if (StartsWith(data, {'G', 'I', 'F', '8', '7', 'a'}) ||
        StartsWith(data, {'G', 'I', 'F', '8', '9', 'a'})) {
        return ImageFormat::Gif;
    }
    if (StartsWith(data, {'I', 'I', 42, 0}) || StartsWith(data, {'M', 'M', 0, 42})) {
        return ImageFormat::Tiff;
    }
    return ImageFormat::Unknown;
}

std::optional<ImageSize> ReadBmpSize(ByteSpan data) {
    // File header (14 bytes), then the info header: its size, then width and height.
    if (data.size() < 26 || DetectImageFormat(data) != ImageFormat::Bmp) return std::nullopt;
    std::uint32_t headerSize = ReadLe32(data, 14);
    if (headerSize == 12) return ImageSize{ReadLe16(data, 18), ReadLe16(data, 20)};  // OS/2 core
    if (headerSize < 40) return std::nullopt;
    std::int64_t width = static_cast<std::int32_t>(ReadLe32(data, 18));
    std::int64_t height = static_cast<std::int32_t>(ReadLe32(data, 22));
    return ImageSize{width, height < 0 ? -height : height};
}

std::optional<GifLayout> ReadGifLayout(ByteSpan data) {
    if (data.size() < 13 || DetectImageFormat(data) != ImageFormat::Gif) return std::nullopt;
    GifLayout layout;
    layout.screen = {ReadLe16(data, 6), ReadLe16(data, 8)};
    std::size_t at = 13 + GifColourTableSize(data[10]);
    while (at < data.size()) {
        std::uint8_t block = data[at];
        if (block == 0x3B) return layout;  // trailer
        if (block == 0x21) {               // extension: label, then sub-blocks
            if (at + 2 > data.size()) return std::nullopt;
            auto next = SkipGifSubBlocks(data, at + 2);
            if (!next) return std::nullopt;
            at = *next;
        } else if (block == 0x2C) {  // image: descriptor, colour table, code size, sub-blocks
            if (at + 11 > data.size()) return std::nullopt;
            std::int64_t left = ReadLe16(data, at + 1), top = ReadLe16(data, at + 3);
            std::int64_t width = ReadLe16(data, at + 5), height = ReadLe16(data, at + 7);
            if (left + width > layout.screen.width || top + height > layout.screen.height) {
                return std::nullopt;
            }
            layout.framePixels += static_cast<std::uint64_t>(width * height);
            at += 10 + GifColourTableSize(data[at + 9]) + 1;
            auto next = SkipGifSubBlocks(data, at);
            if (!next) return std::nullopt;
            at = *next;
        } else {
            return std::nullopt;
        }
    }
    return std::nullopt;  // no trailer
}

}  // namespace vt::ocrd
