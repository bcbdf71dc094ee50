#pragma once
// Image files built byte by byte, for the cases a drawing library will not produce.

#include <cstdint>
#include <vector>

#include "text/text.h"

namespace vt::ocrd::test {

// A BMP as the program sends its captures: 40-byte info header, BI_BITFIELDS with the three
// masks after it, 32-bit pixels. `rgb` holds 0xRRGGBB per pixel, rows from the top.
// `topDown` stores the rows top-down (negative height) instead of bottom-up.
Bytes BitfieldsBmp32(int width, int height, const std::vector<std::uint32_t>& rgb,
                     bool topDown = false);

// The same with 16-bit pixels and 5-6-5 masks.
Bytes BitfieldsBmp16(int width, int height, const std::vector<std::uint32_t>& rgb);

// A PNG with an IHDR chunk claiming `width` x `height`, no pixel data, and its IEND chunk.
Bytes PngHeaderOnly(std::uint32_t width, std::uint32_t height);

}  // namespace vt::ocrd::test
