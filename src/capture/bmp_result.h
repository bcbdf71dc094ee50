#pragma once
// The result of a confirmed capture: the clipboard's picture as the bytes of a BMP file.

#include <cstdint>

#include "platform/clipboard.h"
#include "text/text.h"

namespace vt {

// The four bytes of `value`, least significant first (two's complement when negative).
Bytes Int32ToBytes(std::int32_t value);

// A BMP file from a 32-bit BI_BITFIELDS DIB (40-byte header, three masks, rows): the masks are
// dropped and the compression becomes BI_RGB; width, height (with its sign), planes and bit
// count are kept. Empty when the DIB is shorter than its header and masks.
Bytes DibToBmp(const Bytes& dib);

// DibToBmp of the clipboard's DIB; empty when the clipboard holds no picture.
Bytes ClipboardDibToBmp(Clipboard& clipboard);

}  // namespace vt
