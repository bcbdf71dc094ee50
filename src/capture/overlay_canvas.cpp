#include "capture/overlay_canvas.h"

#include <QPainter>
#include <algorithm>
#include <cstring>

#include "capture/overlay_text.h"

namespace vt {

namespace {

QColor ToQColor(Colour colour) {
    return QColor(RedOf(colour), GreenOf(colour), BlueOf(colour));
}

QRect Inclusive(const Rect& r) {
    return QRect(QPoint(r.left, r.top), QPoint(r.right, r.bottom));
}

// A one-pixel outline on the outermost columns and rows of `r`.
QRegion Outline(const QRect& r) {
    QRegion region;
    region += QRect(r.left(), r.top(), r.width(), 1);
    region += QRect(r.left(), r.bottom(), r.width(), 1);
    region += QRect(r.left(), r.top(), 1, r.height());
    region += QRect(r.right(), r.top(), 1, r.height());
    return region;
}

// Plain row copies and fills: far cheaper than QPainter for the thin strips of a frame.
void CopyPixels(QImage& to, const QImage& from, const QRegion& region) {
    for (const QRect& r : region& to.rect()) {
        for (int y = r.top(); y <= r.bottom(); ++y) {
            std::memcpy(to.scanLine(y) + 4 * r.left(), from.constScanLine(y) + 4 * r.left(),
                        4 * std::size_t(r.width()));
        }
    }
}

void Fill(QImage& image, const QRegion& region, Colour colour) {
    const QRgb pixel = qRgb(RedOf(colour), GreenOf(colour), BlueOf(colour));
    for (const QRect& r : region& image.rect()) {
        for (int y = r.top(); y <= r.bottom(); ++y) {
            std::fill_n(reinterpret_cast<QRgb*>(image.scanLine(y)) + r.left(), r.width(), pixel);
        }
    }
}

QRegion PaintFrame(QImage& image, const OverlayPicture& overlay) {
    QRegion region = Outline(Inclusive(overlay.frame));
    for (const Rect& handle : overlay.handles) region += Inclusive(handle);
    Fill(image, region, overlay.frameColour);
    return region;
}

QRegion PaintInfoBox(QImage& image, const OverlayPicture& overlay) {
    const InfoBox& box = *overlay.infoBox;
    QPainter painter(&image);
    painter.setPen(ToQColor(overlay.infoTextColour));
    painter.setFont(OverlayFont());
    QRect touched;
    for (int i = 0; i < int(box.lines.size()); ++i) {
        touched |= DrawTextLine(painter, box.origin.x, box.origin.y + kTextLineHeight * i,
                                QString::fromStdString(box.lines[i]));
    }
    const QRect outline(QPoint(box.outline.left, box.outline.top),
                        QPoint(box.outline.right - 1, box.outline.bottom - 1));
    painter.end();
    const QRegion outlineRegion = Outline(outline);
    Fill(image, outlineRegion, overlay.infoFrameColour);
    return outlineRegion + touched;
}

}  // namespace

OverlayCanvas::OverlayCanvas(const QImage& screen)
    : screen_(screen.convertToFormat(QImage::Format_RGB32)), picture_(screen_) {}

QRegion OverlayCanvas::Compose(const OverlayPicture& overlay) {
    const QRegion changed = ShowPlainScreen();
    drawn_ = PaintFrame(picture_, overlay);
    if (overlay.infoBox) drawn_ += PaintInfoBox(picture_, overlay);
    drawn_ &= picture_.rect();
    return changed + drawn_;
}

QRegion OverlayCanvas::ShowPlainScreen() {
    const QRegion restored = drawn_;
    CopyPixels(picture_, screen_, restored);
    drawn_ = QRegion();
    return restored;
}

}  // namespace vt
