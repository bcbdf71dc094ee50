#include "capture/overlay_canvas.h"

#include <QPainter>

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

void Fill(QPainter& painter, const QRegion& region, const QColor& colour) {
    for (const QRect& r : region) painter.fillRect(r, colour);
}

QRegion PaintFrame(QPainter& painter, const OverlayPicture& overlay) {
    QRegion region = Outline(Inclusive(overlay.frame));
    for (const Rect& handle : overlay.handles) region += Inclusive(handle);
    Fill(painter, region, ToQColor(overlay.frameColour));
    return region;
}

QRegion PaintInfoBox(QPainter& painter, const OverlayPicture& overlay) {
    const InfoBox& box = *overlay.infoBox;
    painter.setPen(ToQColor(overlay.infoTextColour));
    painter.setFont(OverlayFont());
    QRect touched;
    for (int i = 0; i < int(box.lines.size()); ++i) {
        touched |= DrawTextLine(painter, box.origin.x, box.origin.y + kTextLineHeight * i,
                                QString::fromStdString(box.lines[i]));
    }
    const QRect outline(QPoint(box.outline.left, box.outline.top),
                        QPoint(box.outline.right - 1, box.outline.bottom - 1));
    const QRegion outlineRegion = Outline(outline);
    Fill(painter, outlineRegion, ToQColor(overlay.infoFrameColour));
    return outlineRegion + touched;
}

}  // namespace

OverlayCanvas::OverlayCanvas(const QImage& screen)
    : screen_(screen.convertToFormat(QImage::Format_RGB32)), picture_(screen_) {}

QRegion OverlayCanvas::Compose(const OverlayPicture& overlay) {
    QRegion changed = ShowPlainScreen();
    QPainter painter(&picture_);
    drawn_ = PaintFrame(painter, overlay);
    if (overlay.infoBox) drawn_ += PaintInfoBox(painter, overlay);
    drawn_ &= picture_.rect();
    return changed + drawn_;
}

QRegion OverlayCanvas::ShowPlainScreen() {
    const QRegion restored = drawn_;
    if (!restored.isEmpty()) {
        QPainter painter(&picture_);
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        for (const QRect& r : restored) painter.drawImage(r.topLeft(), screen_, r);
    }
    drawn_ = QRegion();
    return restored;
}

}  // namespace vt
