#pragma once
// GIF encoding, which Qt's image I/O does not offer.

#include "text/text.h"

class QImage;

namespace vt {

// The image as a single-frame GIF (at most 256 colours, dithered when it has more); empty bytes
// when it cannot be encoded.
Bytes EncodeGif(const QImage& image);

}  // namespace vt
