#include "capture/panel_painter.h"

#include <QPainter>

#include "capture/overlay_text.h"

namespace vt {

QImage ComposePanel(const QImage& background, QSize size, const std::vector<PanelText>& texts) {
    QImage picture(size, QImage::Format_RGB32);
    picture.fill(Qt::black);
    QPainter painter(&picture);
    painter.drawImage(0, 0, background);
    painter.setPen(Qt::white);
    painter.setFont(OverlayFont());
    for (const PanelText& text : texts) {
        DrawWrappedText(painter, text.box, QString::fromStdString(text.text));
    }
    return picture;
}

}  // namespace vt
