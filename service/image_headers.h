#pragma once
// What an image file says about itself before it is decoded: its format and its size. The size
// is checked before any pixel is decoded, so a small file that claims a huge picture costs
// nothing.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace vt::ocrd {

using ByteSpan = std::span<const std::uint8_t>;

// Little-endian numbers at `at`; the caller makes sure that the bytes are there.
std::uint16_t ReadLe16(ByteSpan data, std::size_t at);
std::uint32_t ReadLe32(ByteSpan data, std::size_t at);

enum class ImageFormat { Unknown, Bmp, Jpeg, Png, Gif, Tiff };

// The format named by the file's signature; Unknown for anything the service does not read.
ImageFormat DetectImageFormat(ByteSpan data);

struct ImageSize {
    std::int64_t width = 0;
    std::int64_t height = 0;
};

// Width and height from a BMP's headers (the height without its top-down sign).
std::optional<ImageSize> ReadBmpSize(ByteSpan data);

struct GifLayout {
    ImageSize screen;               // the logical screen, the size of the decoded picture
    std::uint64_t framePixels = 0;  // the pixels of all frames together
};

// Walks every block of a GIF without decoding it. Gives nothing when the structure is broken
// or a frame reaches outside the logical screen.
std::optional<GifLayout> ReadGifLayout(ByteSpan data);

}  // namespace vt::ocrd
