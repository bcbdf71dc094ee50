#pragma once
// Decoding of the images a recognition request carries: BMP, JPEG, PNG, GIF and TIFF, with
// their size checked from the headers before any pixel is decoded.

#include <cstdint>
#include <memory>

#include "service/image_headers.h"

struct Pix;  // Leptonica's image

namespace vt::ocrd {

struct PixDeleter {
    void operator()(Pix* pix) const;
};
using PixPtr = std::unique_ptr<Pix, PixDeleter>;

// Sides outside these bounds are a size error, as with the cloud service.
inline constexpr std::int64_t kMinImageSide = 15;
inline constexpr std::int64_t kMaxImageSide = 8192;

enum class ImageProblem { None, Format, Size };

struct DecodedImage {
    PixPtr pix;  // set when problem is None
    ImageProblem problem = ImageProblem::None;
};

// Format: not one of the formats above, or broken (a truncated JPEG included). Size: a side
// outside the bounds, or a GIF whose frames hold more pixels than one largest image.
DecodedImage DecodeImage(ByteSpan data);

// Keeps the image library from printing its own diagnostics for every bad request.
void SilenceImageLibrary();

}  // namespace vt::ocrd
