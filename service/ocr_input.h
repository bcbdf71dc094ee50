#pragma once
// The picture handed to the OCR engine.

#include "service/image_decode.h"

namespace vt::ocrd {

// Pictures up to this many pixels are recognised at twice their size: screen text of 12 to 16
// pixels is small for the engine, and doubling it costs little on a small capture.
inline constexpr long kUpscaleMaxPixels = 1'000'000;

// How much `width` x `height` is enlarged before recognition (1 or 2).
int UpscaleFactor(long width, long height);

// 8-bit grey, with transparent parts laid on white, enlarged by UpscaleFactor.
// Null when the image library runs out of memory.
PixPtr PrepareForOcr(Pix* image);

}  // namespace vt::ocrd
