#pragma once
// Decoder for BMP files whose pixels are described by bit masks (BI_BITFIELDS), the form in
// which the program sends its screen captures: a 40-byte info header followed by three masks,
// 32-bit pixels, rows from the bottom up. The image library the service uses refuses these.

#include <cstdint>
#include <optional>
#include <vector>

#include "service/image_headers.h"

namespace vt::ocrd {

struct RgbImage {
    int width = 0;
    int height = 0;
    // Row-major from the top row; each pixel 0xRRGGBB00, red in the most significant byte.
    std::vector<std::uint32_t> pixels;
};

// True for a BMP with 16- or 32-bit pixels under BI_BITFIELDS or BI_ALPHABITFIELDS masks.
bool IsBitfieldsBmp(ByteSpan data);

// Decodes such a BMP (rows bottom-up or top-down, masks after a 40-byte header or inside a
// longer one). Gives nothing for another kind of BMP, bad masks, or pixel rows that the file
// does not hold in full.
std::optional<RgbImage> DecodeBitfieldsBmp(ByteSpan data);

}  // namespace vt::ocrd
