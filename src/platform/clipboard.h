#pragma once
// The system clipboard: the result text as plain text, a confirmed capture as a picture, read
// back as a device-independent bitmap. GUI thread only.

#include <cstdint>
#include <vector>

#include "text/text.h"

namespace vt {

// Pixels for the clipboard: 0xAARRGGBB (alpha ignored), rows top-down.
struct ClipboardPicture {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;
};

class Clipboard {
  public:
    virtual ~Clipboard() = default;

    // Plain text, converted between code page 936 and the clipboard's Unicode.
    virtual void SetText(const Text& text) = 0;
    // The clipboard's text; empty when it holds none.
    virtual Text GetText() = 0;

    virtual void SetPicture(const ClipboardPicture& picture) = 0;
    // Empties the clipboard.
    virtual void Clear() = 0;

    // The clipboard's picture as a 32-bit BI_BITFIELDS DIB: a 40-byte BITMAPINFOHEADER (height
    // positive: rows bottom-up), the red, green and blue masks, then the rows of 4-byte pixels
    // B, G, R, 0. Empty when the clipboard holds no picture.
    virtual Bytes GetDib() = 0;
};

}  // namespace vt
