#pragma once
// Bytes written as lower-case hexadecimal digits.

#include <span>
#include <string>

namespace vt::ocrd {

// Two digits per byte, high nibble first.
std::string HexText(std::span<const unsigned char> bytes);

}  // namespace vt::ocrd
