#include "capture/cursor_file.h"

namespace vt {

namespace {

std::uint32_t Read16(std::span<const std::uint8_t> b, std::size_t at) {
    return b[at] | b[at + 1] << 8;
}

std::uint32_t Read32(std::span<const std::uint8_t> b, std::size_t at) {
    return Read16(b, at) | Read16(b, at + 2) << 16;
}

}  // namespace

std::optional<CursorImage> ParseCursorFile(std::span<const std::uint8_t> bytes) {
    // ICONDIR (6 bytes): reserved 0, type 2 (cursor), image count; then 16-byte entries.
    if (bytes.size() < 22 || Read16(bytes, 0) != 0 || Read16(bytes, 2) != 2 ||
        Read16(bytes, 4) == 0) {
        return std::nullopt;
    }
    const QPoint hotSpot(int(Read16(bytes, 10)), int(Read16(bytes, 12)));
    const std::size_t header = Read32(bytes, 18);
    if (header > bytes.size() || bytes.size() - header < 40) return std::nullopt;

    // BITMAPINFOHEADER; the height counts the colour rows and the mask rows.
    const auto info = bytes.subspan(header);
    const int width = int(Read32(info, 4));
    const int height = int(Read32(info, 8)) / 2;
    const std::uint32_t bitCount = Read16(info, 14);
    const std::uint32_t coloursUsed = Read32(info, 32);
    if (Read32(info, 0) != 40 || bitCount != 8 || Read32(info, 16) != 0 || width <= 0 ||
        width > 256 || height <= 0 || height > 256 || coloursUsed > 256) {
        return std::nullopt;
    }
    const std::size_t paletteSize = coloursUsed == 0 ? 256 : coloursUsed;
    const std::size_t colourStride = (std::size_t(width) + 3) / 4 * 4;
    const std::size_t maskStride = (std::size_t(width) + 31) / 32 * 4;
    const std::size_t paletteAt = 40, colourAt = paletteAt + 4 * paletteSize;
    const std::size_t maskAt = colourAt + colourStride * height;
    if (info.size() < maskAt + maskStride * height) return std::nullopt;

    // Rows are stored bottom-up; a set mask bit leaves the screen as it is (transparent here).
    QImage image(width, height, QImage::Format_ARGB32);
    for (int y = 0; y < height; ++y) {
        const std::size_t row = height - 1 - y;
        for (int x = 0; x < width; ++x) {
            const std::uint8_t index = info[colourAt + row * colourStride + x];
            const bool masked = info[maskAt + row * maskStride + x / 8] & (0x80 >> (x % 8));
            const std::uint32_t rgb = index < paletteSize ? Read32(info, paletteAt + 4 * index) : 0;
            image.setPixel(x, y, masked ? 0u : 0xFF000000u | (rgb & 0xFFFFFF));
        }
    }
    return CursorImage{image, hotSpot};
}

QCursor CursorFor(Pointer pointer, const QCursor& overlayArrow) {
    switch (pointer) {
        case Pointer::kSizeNwse:
            return QCursor(Qt::SizeFDiagCursor);
        case Pointer::kSizeNesw:
            return QCursor(Qt::SizeBDiagCursor);
        case Pointer::kSizeNs:
            return QCursor(Qt::SizeVerCursor);
        case Pointer::kSizeWe:
            return QCursor(Qt::SizeHorCursor);
        case Pointer::kSizeAll:
            return QCursor(Qt::SizeAllCursor);
        case Pointer::kOverlayArrow:
            break;
    }
    return overlayArrow;
}

}  // namespace vt
