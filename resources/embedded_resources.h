#pragma once
// The pictures built into the program (drawn by resources/generate_resources.cpp).

#include <cstdint>
#include <span>

namespace vt::resources {

// The tips panel's background: a 174x147 24-bit BMP file.
std::span<const std::uint8_t> PanelImage();
// The overlay's own pointer: a cursor file with one 32x32 8-bit image, hot spot (0, 0).
std::span<const std::uint8_t> OverlayArrow();

}  // namespace vt::resources
