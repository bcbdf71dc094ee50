#pragma once
// ReencodeImage: decode an encoded image and encode it again in another format.

#include "text/text.h"

namespace vt {

// Target formats of ReencodeImage.
enum ImageFormat { kBmp = 1, kJpeg = 2, kGif = 3, kTiff = 4, kPng = 5 };

// Decodes `source` (any format the image plugins read: jpg, bmp, ico, cur, png, gif, tiff, ...)
// and encodes it as `format` (1 BMP, 2 JPEG, 3 GIF, 4 TIFF, 5 PNG) with the encoder's default
// settings. With `flatten`, transparency is composited onto white first. When the result is
// produced, it is also written to `fileName` (code-page-936 text) unless that is blank, and
// stored in `*output` when given; a failed file write is not reported. Returns true when an
// encoded image was produced. On false (fewer than 3 bytes, undecodable or oversized image,
// format outside 1..5), neither the file nor `*output` is touched, so `output` may point to
// `source`.
bool ReencodeImage(const Bytes& source, int format, const Text& fileName = {},
                   Bytes* output = nullptr, bool flatten = false);

}  // namespace vt
