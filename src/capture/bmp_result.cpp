#include "capture/bmp_result.h"

namespace vt {

namespace {

constexpr std::size_t kHeaderAndMasks = 52;  // BITMAPINFOHEADER (40) + three masks (12)
constexpr std::int32_t kPixelDataOffset = 54;

void Append(Bytes& out, const Bytes& bytes) {
    out.insert(out.end(), bytes.begin(), bytes.end());
}

void AppendZeros(Bytes& out, std::size_t count) {
    out.insert(out.end(), count, 0);
}

}  // namespace

Bytes Int32ToBytes(std::int32_t value) {
    const auto bits = static_cast<std::uint32_t>(value);
    return {static_cast<std::uint8_t>(bits), static_cast<std::uint8_t>(bits >> 8),
            static_cast<std::uint8_t>(bits >> 16), static_cast<std::uint8_t>(bits >> 24)};
}

Bytes DibToBmp(const Bytes& dib) {
    if (dib.size() < kHeaderAndMasks) return {};
    const auto n = static_cast<std::int32_t>(dib.size());
    Bytes bmp{'B', 'M'};
    bmp.reserve(dib.size() + 2);
    Append(bmp, Int32ToBytes(n + 2));
    AppendZeros(bmp, 4);
    Append(bmp, Int32ToBytes(kPixelDataOffset));
    bmp.insert(bmp.end(), dib.begin(), dib.begin() + 16);  // size, width, height, planes, bits
    AppendZeros(bmp, 4);                                   // BI_RGB
    Append(bmp, Int32ToBytes(n - static_cast<std::int32_t>(kHeaderAndMasks)));
    AppendZeros(bmp, 16);  // resolution, colours used, important colours
    bmp.insert(bmp.end(), dib.begin() + kHeaderAndMasks, dib.end());
    return bmp;
}

Bytes ClipboardDibToBmp(Clipboard& clipboard) {
    return DibToBmp(clipboard.GetDib());
}

}  // namespace vt
