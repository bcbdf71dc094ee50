#include "capture/tips_panel.h"

#include <QMouseEvent>
#include <QPainter>

#include "resources/embedded_resources.h"

namespace vt {

namespace {

constexpr int kPanelWidth = 172;
constexpr int kPanelHeight = 146;

QImage LoadPanelImage() {
    const auto bytes = resources::PanelImage();
    return QImage::fromData(bytes.data(), int(bytes.size()), "BMP")
        .convertToFormat(QImage::Format_RGB32);
}

}  // namespace

TipsPanel::TipsPanel(QWidget* parent, std::function<void(QPoint)> onMouseMove)
    : QWidget(parent), background_(LoadPanelImage()), onMouseMove_(std::move(onMouseMove)) {
    resize(kPanelWidth, kPanelHeight);
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::NoFocus);
}

void TipsPanel::ShowPicture(QImage picture) {
    picture_ = std::move(picture);
    update();
}

void TipsPanel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawImage(0, 0, picture_);
}

void TipsPanel::mouseMoveEvent(QMouseEvent* event) {
    onMouseMove_(mapToParent(event->position().toPoint()));
}

}  // namespace vt
