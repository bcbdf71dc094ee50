#include "platform/qt/image_decoder.h"

#include <QBuffer>
#include <QImageReader>

namespace vt {
namespace {

// Allocation limit handed to the image reader, in MiB: the largest image plus room for a
// decoder's conversion buffer.
constexpr int kAllocationLimitMiB = 300;

bool WithinBounds(QSize size) {
    return size.width() <= kMaxDecodedSide && size.height() <= kMaxDecodedSide &&
           qint64{size.width()} * size.height() <= kMaxDecodedPixels;
}

}  // namespace

QImage DecodeImage(const QByteArray& encoded) {
    QByteArray data = encoded;  // shares, never copies: the buffer only reads
    QBuffer buffer(&data);
    if (!buffer.open(QIODevice::ReadOnly)) return {};
    QImageReader reader(&buffer);
    reader.setDecideFormatFromContent(true);
    reader.setAllocationLimit(kAllocationLimitMiB);
    // The size from the header, where the format gives one, is checked before any pixel is read.
    const QSize announced = reader.size();
    if (announced.isValid() && !WithinBounds(announced)) return {};
    QImage image = reader.read();
    if (image.isNull() || !WithinBounds(image.size())) return {};
    return image;
}

}  // namespace vt
