#include "service/test_images.h"

namespace vt::ocrd::test {
namespace {

void PutLe(Bytes& out, std::uint32_t value, int size) {
    for (int i = 0; i < size; ++i) out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

void PutBe32(Bytes& out, std::uint32_t value) {
    for (int i = 3; i >= 0; --i) out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

std::uint32_t Crc32(const std::uint8_t* data, std::size_t size) {
    std::uint32_t crc = 0xFFFFFFFF;
    for (std::size_t i = 0; i < size; ++i) {
        crc ^= data[i];
        for (int bit = 0; bit < 8; ++bit) crc = (crc >> 1) ^ (0xEDB88320 & (0 - (crc & 1)));
    }
    return ~crc;
}

Bytes BitfieldsBmp(int width, int height, int bitCount, const std::uint32_t (&masks)[3],
                   bool topDown, const std::vector<std::uint32_t>& pixels) {
    int bytesPerPixel = bitCount / 8;
    std::uint32_t stride = (static_cast<std::uint32_t>(width * bytesPerPixel) + 3) / 4 * 4;
    std::uint32_t dataOffset = 14 + 40 + 12;
    Bytes out = {'B', 'M'};
    PutLe(out, dataOffset + stride * height, 4);
    PutLe(out, 0, 4);
    PutLe(out, dataOffset, 4);
    PutLe(out, 40, 4);
    PutLe(out, static_cast<std::uint32_t>(width), 4);
    PutLe(out, static_cast<std::uint32_t>(topDown ? -height : height), 4);
    PutLe(out, 1, 2);
    PutLe(out, static_cast<std::uint32_t>(bitCount), 2);
    PutLe(out, 3, 4);  // BI_BITFIELDS
    PutLe(out, stride * height, 4);
    PutLe(out, 3780, 4);
    PutLe(out, 3780, 4);
    PutLe(out, 0, 4);
    PutLe(out, 0, 4);
    for (std::uint32_t mask : masks) PutLe(out, mask, 4);
    for (int row = 0; row < height; ++row) {
        int y = topDown ? row : height - 1 - row;
        for (int x = 0; x < width; ++x) PutLe(out, pixels[y * width + x], bytesPerPixel);
        for (std::uint32_t pad = width * bytesPerPixel; pad < stride; ++pad) out.push_back(0);
    }
    return out;
}

}  // namespace

Bytes BitfieldsBmp32(int width, int height, const std::vector<std::uint32_t>& rgb, bool topDown) {
    return BitfieldsBmp(width, height, 32, {0xFF0000, 0x00FF00, 0x0000FF}, topDown, rgb);
}

Bytes BitfieldsBmp16(int width, int height, const std::vector<std::uint32_t>& rgb) {
    std::vector<std::uint32_t> packed;
    for (std::uint32_t pixel : rgb) {
        packed.push_back(((pixel >> 19) & 0x1F) << 11 | ((pixel >> 10) & 0x3F) << 5 |
                         ((pixel >> 3) & 0x1F));
    }
    return BitfieldsBmp(width, height, 16, {0xF800, 0x07E0, 0x001F}, false, packed);
}

Bytes PngHeaderOnly(std::uint32_t width, std::uint32_t height) {
    Bytes out = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    PutBe32(out, 13);
    std::size_t chunkStart = out.size();
    for (char c : {'I', 'H', 'D', 'R'}) out.push_back(static_cast<std::uint8_t>(c));
    PutBe32(out, width);
    PutBe32(out, height);
    out.insert(out.end(), {8, 6, 0, 0, 0});  // 8-bit RGBA, no interlace
    PutBe32(out, Crc32(out.data() + chunkStart, out.size() - chunkStart));
    PutBe32(out, 0);
    for (char c : {'I', 'E', 'N', 'D'}) out.push_back(static_cast<std::uint8_t>(c));
    PutBe32(out, Crc32(out.data() + out.size() - 4, 4));
    return out;
}

}  // namespace vt::ocrd::test
