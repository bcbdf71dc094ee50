#include "imaging/reencode.h"

#include <QBuffer>
#include <QImage>
#include <QImageWriter>
#include <QPainter>
#include <fstream>

#include "imaging/gif_writer.h"
#include "platform/qt/image_decoder.h"
#include "text/codepage.h"
#include "text/text_ops.h"

namespace vt {
namespace {

// Name of the Qt image writer for the formats it encodes; GIF has its own writer.
const char* WriterFormat(int format) {
    switch (format) {
        case kBmp:
            return "bmp";
        case kJpeg:
            return "jpeg";
        case kTiff:
            return "tiff";
        case kPng:
            return "png";
        default:
            return nullptr;
    }
}

QImage FlattenOntoWhite(const QImage& image) {
    QImage flat(image.size(), QImage::Format_RGB32);
    flat.fill(Qt::white);
    QPainter painter(&flat);
    painter.drawImage(0, 0, image);
    return flat;
}

Bytes Encode(const QImage& image, int format) {
    if (format == kGif) return EncodeGif(image);
    const char* writerFormat = WriterFormat(format);
    if (!writerFormat) return {};
    QByteArray encoded;
    QBuffer buffer(&encoded);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, writerFormat);
    if (!writer.write(image)) return {};
    return Bytes(encoded.begin(), encoded.end());
}

void WriteFile(const Text& fileName, const Bytes& bytes) {
    std::ofstream file(Cp936ToUtf8(fileName), std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
}

}  // namespace

bool ReencodeImage(const Bytes& source, int format, const Text& fileName, Bytes* output,
                   bool flatten) {
    if (source.size() < 3 || format < kBmp || format > kPng) return false;
    const QImage decoded = DecodeImage(QByteArray::fromRawData(
        reinterpret_cast<const char*>(source.data()), static_cast<qsizetype>(source.size())));
    if (decoded.isNull()) return false;

    Bytes result = Encode(flatten ? FlattenOntoWhite(decoded) : decoded, format);
    if (result.empty()) return false;
    if (!Trim(fileName).empty()) WriteFile(fileName, result);
    if (output) *output = std::move(result);
    return true;
}

}  // namespace vt
