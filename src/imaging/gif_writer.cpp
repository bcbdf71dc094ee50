#include "imaging/gif_writer.h"

#include <gif_lib.h>

#include <QImage>
#include <memory>

namespace vt {
namespace {

int AppendToBytes(GifFileType* gif, const GifByteType* data, int length) {
    auto* out = static_cast<Bytes*>(gif->UserData);
    out->insert(out->end(), data, data + length);
    return length;
}

// The colour table of an indexed image, padded to the power of two GIF requires.
std::unique_ptr<ColorMapObject, void (*)(ColorMapObject*)> ColourMap(const QImage& indexed) {
    const QList<QRgb> table = indexed.colorTable();
    int size = 2;
    while (size < table.size()) size *= 2;
    std::unique_ptr<ColorMapObject, void (*)(ColorMapObject*)> map(GifMakeMapObject(size, nullptr),
                                                                   GifFreeMapObject);
    if (!map) return map;
    for (int i = 0; i < size; ++i) {
        const QRgb rgb = i < table.size() ? table[i] : qRgb(0, 0, 0);
        map->Colors[i] = {static_cast<GifByteType>(qRed(rgb)),
                          static_cast<GifByteType>(qGreen(rgb)),
                          static_cast<GifByteType>(qBlue(rgb))};
    }
    return map;
}

bool WriteFrame(GifFileType* gif, const QImage& indexed, const ColorMapObject* map) {
    if (EGifPutScreenDesc(gif, indexed.width(), indexed.height(), 8, 0, map) != GIF_OK ||
        EGifPutImageDesc(gif, 0, 0, indexed.width(), indexed.height(), false, nullptr) != GIF_OK) {
        return false;
    }
    for (int y = 0; y < indexed.height(); ++y) {
        // giflib takes a non-const line but only reads it.
        auto* line = const_cast<GifPixelType*>(indexed.constScanLine(y));
        if (EGifPutLine(gif, line, indexed.width()) != GIF_OK) return false;
    }
    return true;
}

}  // namespace

Bytes EncodeGif(const QImage& image) {
    if (image.isNull() || image.width() > 0xFFFF || image.height() > 0xFFFF) return {};
    const QImage indexed = image.convertToFormat(QImage::Format_RGB32)
                               .convertToFormat(QImage::Format_Indexed8, Qt::DiffuseDither);
    auto map = ColourMap(indexed);
    if (indexed.isNull() || !map) return {};

    Bytes out;
    int error = 0;
    GifFileType* gif = EGifOpen(&out, AppendToBytes, &error);
    if (!gif) return {};
    const bool written = WriteFrame(gif, indexed, map.get());
    const bool closed = EGifCloseFile(gif, &error) == GIF_OK;
    if (!written || !closed) return {};
    return out;
}

}  // namespace vt
