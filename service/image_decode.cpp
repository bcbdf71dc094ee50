#include "service/image_decode.h"

#include <leptonica/allheaders.h>

#include <algorithm>
#include <cstring>
#include <optional>

#include "service/bmp_bitfields.h"

namespace vt::ocrd {
namespace {

constexpr std::uint64_t kMaxFramePixels = kMaxImageSide * kMaxImageSide;

bool WithinLimits(std::int64_t width, std::int64_t height) {
    return std::min(width, height) >= kMinImageSide && std::max(width, height) <= kMaxImageSide;
}

std::optional<ImageSize> LeptonicaHeaderSize(ByteSpan data) {
    l_int32 format = 0, width = 0, height = 0, bps = 0, spp = 0, colormapped = 0;
    if (pixReadHeaderMem(data.data(), data.size(), &format, &width, &height, &bps, &spp,
                         &colormapped) != 0) {
        return std::nullopt;
    }
    return ImageSize{width, height};
}

PixPtr ToPix(const RgbImage& image) {
    PixPtr pix(pixCreate(image.width, image.height, 32));
    if (!pix) return nullptr;
    l_uint32* data = pixGetData(pix.get());
    l_int32 wordsPerLine = pixGetWpl(pix.get());
    for (int y = 0; y < image.height; ++y) {
        std::memcpy(data + static_cast<std::size_t>(y) * wordsPerLine,
                    image.pixels.data() + static_cast<std::size_t>(y) * image.width,
                    static_cast<std::size_t>(image.width) * sizeof(std::uint32_t));
    }
    return pix;
}

PixPtr ReadPixels(ImageFormat format, ByteSpan data) {
    switch (format) {
        case ImageFormat::Bmp:
            if (IsBitfieldsBmp(data)) {
                auto image = DecodeBitfieldsBmp(data);
                return image ? ToPix(*image) : nullptr;
            }
            return PixPtr(pixReadMemBmp(data.data(), data.size()));
        case ImageFormat::Jpeg: {
            // libjpeg pads a truncated or damaged file with grey and only warns; refuse those.
            l_int32 warnings = 0;
            PixPtr pix(pixReadMemJpeg(data.data(), data.size(), 0, 1, &warnings, 0));
            return warnings == 0 ? std::move(pix) : nullptr;
        }
        case ImageFormat::Png:
            return PixPtr(pixReadMemPng(data.data(), data.size()));
        case ImageFormat::Gif:
            return PixPtr(pixReadMemGif(data.data(), data.size()));
        case ImageFormat::Tiff:
            return PixPtr(pixReadMemTiff(data.data(), data.size(), 0));
        case ImageFormat::Unknown:
            break;
    }
    return nullptr;
}

DecodedImage Problem(ImageProblem problem) {
    return DecodedImage{nullptr, problem};
}

}  // namespace

void PixDeleter::operator()(Pix* pix) const {
    pixDestroy(&pix);
}

DecodedImage DecodeImage(ByteSpan data) {
    ImageFormat format = DetectImageFormat(data);
    std::optional<ImageSize> size;
    switch (format) {
        case ImageFormat::Unknown:
            return Problem(ImageProblem::Format);
        case ImageFormat::Bmp:
            size = ReadBmpSize(data);
            break;
        case ImageFormat::Gif: {
            auto layout = ReadGifLayout(data);
            if (!layout) return Problem(ImageProblem::Format);
            if (layout->framePixels > kMaxFramePixels) return Problem(ImageProblem::Size);
            size = layout->screen;
            break;
        }
        default:
            size = LeptonicaHeaderSize(data);
    }
    if (!size) return Problem(ImageProblem::Format);
    if (!WithinLimits(size->width, size->height)) return Problem(ImageProblem::Size);

    PixPtr pix = ReadPixels(format, data);
    if (!pix) return Problem(ImageProblem::Format);
    if (!WithinLimits(pixGetWidth(pix.get()), pixGetHeight(pix.get()))) {
        return Problem(ImageProblem::Size);
    }
    return DecodedImage{std::move(pix), ImageProblem::None};
}

void SilenceImageLibrary() {
    setMsgSeverity(L_SEVERITY_NONE);
}

}  // namespace vt::ocrd
