#include "platform/qt/clipboard_qt.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QMimeData>

#include "text/codepage.h"

namespace vt {

namespace {

constexpr int kInfoHeaderSize = 40;
constexpr std::uint32_t kBiBitfields = 3;

QClipboard* SystemClipboard() {
    return qGuiApp ? QGuiApplication::clipboard() : nullptr;
}

void Append32(Bytes& out, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

void Append16(Bytes& out, std::uint16_t value) {
    out.push_back(static_cast<std::uint8_t>(value));
    out.push_back(static_cast<std::uint8_t>(value >> 8));
}

// The 32-bit BI_BITFIELDS DIB of `image`: header, masks, rows bottom-up.
Bytes DibOf(const QImage& source) {
    const QImage image = source.convertToFormat(QImage::Format_RGB32);
    const std::uint32_t rowBytes = 4u * image.width();
    const std::uint32_t imageSize = rowBytes * image.height();
    Bytes dib;
    dib.reserve(kInfoHeaderSize + 12 + imageSize);
    Append32(dib, kInfoHeaderSize);
    Append32(dib, image.width());
    Append32(dib, image.height());
    Append16(dib, 1);   // planes
    Append16(dib, 32);  // bits per pixel
    Append32(dib, kBiBitfields);
    Append32(dib, imageSize);
    for (int i = 0; i < 4; ++i) Append32(dib, 0);  // resolution, colours used and important
    Append32(dib, 0x00FF0000);
    Append32(dib, 0x0000FF00);
    Append32(dib, 0x000000FF);
    dib.resize(dib.size() + imageSize);
    std::uint8_t* out = dib.data() + kInfoHeaderSize + 12;
    for (int y = image.height() - 1; y >= 0; --y) {
        const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x, out += 4) {
            out[0] = static_cast<std::uint8_t>(qBlue(row[x]));
            out[1] = static_cast<std::uint8_t>(qGreen(row[x]));
            out[2] = static_cast<std::uint8_t>(qRed(row[x]));
            out[3] = 0;
        }
    }
    return dib;
}

}  // namespace

void QtClipboard::SetText(const Text& text) {
    if (QClipboard* clipboard = SystemClipboard()) {
        clipboard->setText(QString::fromStdU16String(Cp936ToUtf16(text)));
    }
}

Text QtClipboard::GetText() {
    QClipboard* clipboard = SystemClipboard();
    return clipboard ? Utf16ToCp936(clipboard->text().toStdU16String()) : Text();
}

void QtClipboard::SetPicture(const ClipboardPicture& picture) {
    QClipboard* clipboard = SystemClipboard();
    if (!clipboard) return;
    if (picture.width <= 0 || picture.height <= 0 ||
        picture.pixels.size() != std::size_t(picture.width) * picture.height) {
        clipboard->clear();
        return;
    }
    const QImage view(reinterpret_cast<const uchar*>(picture.pixels.data()), picture.width,
                      picture.height, picture.width * 4, QImage::Format_RGB32);
    clipboard->setImage(view.copy());
}

void QtClipboard::Clear() {
    if (QClipboard* clipboard = SystemClipboard()) clipboard->clear();
}

Bytes QtClipboard::GetDib() {
    QClipboard* clipboard = SystemClipboard();
    if (!clipboard) return {};
    const QMimeData* data = clipboard->mimeData();
    if (!data || !data->hasImage()) return {};
    const QImage image = clipboard->image();
    return image.isNull() ? Bytes() : DibOf(image);
}

}  // namespace vt
