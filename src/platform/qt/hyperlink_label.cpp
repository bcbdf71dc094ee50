#include "platform/qt/hyperlink_label.h"

#include <QMouseEvent>

namespace vt {

HyperlinkLabel::HyperlinkLabel(const QString& caption, QWidget* parent) : QLabel(caption, parent) {
    setTextFormat(Qt::PlainText);
    setCursor(Qt::PointingHandCursor);
    QFont linkFont = font();
    linkFont.setUnderline(true);
    setFont(linkFont);
    QPalette linkPalette = palette();
    linkPalette.setColor(QPalette::WindowText, linkPalette.color(QPalette::Link));
    setPalette(linkPalette);
}

void HyperlinkLabel::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) emit leftButtonPressed();
    QLabel::mousePressEvent(event);
}

}  // namespace vt
