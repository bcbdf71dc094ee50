#include "platform/qt/picture_box.h"

#include <QMouseEvent>
#include <QPainter>

#include "platform/qt/image_decoder.h"

namespace vt {

PictureBox::PictureBox(QWidget* parent) : QFrame(parent) {
    setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
}

void PictureBox::SetPicture(Bytes bytes) {
    bytes_ = std::move(bytes);
    image_ = DecodeImage(QByteArray::fromRawData(reinterpret_cast<const char*>(bytes_.data()),
                                                 static_cast<qsizetype>(bytes_.size())));
    // The decoder may share the raw bytes; keep a picture of its own.
    image_.detach();
    update();
}

void PictureBox::paintEvent(QPaintEvent* event) {
    QFrame::paintEvent(event);
    if (image_.isNull()) return;
    // Larger pictures are shrunk to fit, keeping their proportions; all are centred.
    const QRect area = contentsRect();
    QSize shown = image_.size();
    if (shown.width() > area.width() || shown.height() > area.height()) {
        shown.scale(area.size(), Qt::KeepAspectRatio);
    }
    const QRect target(area.topLeft() + QPoint((area.width() - shown.width()) / 2,
                                               (area.height() - shown.height()) / 2),
                       shown);
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(target, image_);
}

void PictureBox::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) emit doubleClicked();
    QFrame::mouseDoubleClickEvent(event);
}

}  // namespace vt
