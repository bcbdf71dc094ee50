#include "capture/overlay_text.h"

#include <QFontMetrics>
#include <QPainter>
#include <QTextLayout>

namespace vt {

namespace {

// Baseline below the top of a 12-pixel cell: the ideographs' ink fills the cell.
constexpr int kBaseline = 10;

}  // namespace

const QFont& OverlayFont() {
    static const QFont font = [] {
        QFont f(QStringLiteral("Noto Sans CJK SC"));
        f.setPixelSize(kTextLineHeight);
        f.setStyleHint(QFont::SansSerif);
        return f;
    }();
    return font;
}

QRect DrawTextLine(QPainter& painter, int left, int top, const QString& text) {
    painter.drawText(QPoint(left, top + kBaseline), text);
    const QRect bounds = QFontMetrics(OverlayFont()).boundingRect(text);
    return bounds.translated(left, top + kBaseline).adjusted(-1, -1, 1, 1);
}

void DrawWrappedText(QPainter& painter, const PixelBox& box, const QString& text) {
    const int width = box.right - box.left;
    const int lines = (box.bottom - box.top) / kTextLineHeight;
    if (width <= 0 || lines <= 0) return;

    QTextLayout layout(text, OverlayFont());
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    layout.beginLayout();
    for (int i = 0; i < lines; ++i) {
        QTextLine line = layout.createLine();
        if (!line.isValid()) break;
        line.setLineWidth(width);
        line.setPosition(QPointF(0, i * kTextLineHeight + kBaseline - line.ascent()));
    }
    layout.endLayout();

    painter.save();
    painter.setClipRect(QRect(box.left, box.top, width, box.bottom - box.top));
    layout.draw(&painter, QPointF(box.left, box.top));
    painter.restore();
}

}  // namespace vt
