#pragma once
// Decoding of encoded image bytes with a bound on the memory a decode may take, so that a
// hostile header cannot make the program allocate gigabytes.

#include <QByteArray>
#include <QImage>

namespace vt {

// Largest image decoded: 64 Mi pixels (256 MiB at 32 bits per pixel), at most 32767 per side.
inline constexpr qint64 kMaxDecodedPixels = qint64{64} * 1024 * 1024;
inline constexpr int kMaxDecodedSide = 32767;

// The first image in `encoded` (format taken from the content), or a null image when the bytes
// are no readable image or the header announces an image beyond the bounds above.
QImage DecodeImage(const QByteArray& encoded);

}  // namespace vt
