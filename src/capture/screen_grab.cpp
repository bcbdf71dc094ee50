#include "capture/screen_grab.h"

#include <QCursor>
#include <QGuiApplication>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QScreen>

#include "capture/cursor_x11.h"

namespace vt {

namespace {

QPoint PrimaryScreenOrigin() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->geometry().topLeft() : QPoint();
}

// A plain black-outlined white arrow with its hot spot at its tip, (0, 0).
CursorSnapshot StandardArrowAt(QPoint position) {
    QImage image(12, 19, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath arrow;
    arrow.addPolygon(QPolygonF({{0.5, 0.5},
                                {0.5, 16},
                                {4.5, 12.5},
                                {7.5, 18},
                                {9.5, 17},
                                {7, 11.5},
                                {11.5, 11.5},
                                {0.5, 0.5}}));
    painter.fillPath(arrow, Qt::white);
    painter.strokePath(arrow, QPen(Qt::black, 1));
    painter.end();

    CursorSnapshot snapshot;
    snapshot.position = {position.x(), position.y()};
    snapshot.size = {image.width(), image.height()};
    for (int y = 0; y < image.height(); ++y) {
        const auto* row = reinterpret_cast<const std::uint32_t*>(image.constScanLine(y));
        snapshot.pixels.insert(snapshot.pixels.end(), row, row + image.width());
    }
    return snapshot;
}

}  // namespace

CursorSnapshot TakeCursorSnapshot() {
    const QPoint origin = PrimaryScreenOrigin();
    if (auto snapshot = X11CursorSnapshot(origin)) return *snapshot;
    return StandardArrowAt(QCursor::pos() - origin);
}

void DrawCursorSnapshot(QImage& screen, const CursorSnapshot& snapshot) {
    const int width = snapshot.size.width, height = snapshot.size.height;
    if (width <= 0 || height <= 0 || snapshot.pixels.size() != std::size_t(width) * height) {
        return;
    }
    const QImage pointer(reinterpret_cast<const uchar*>(snapshot.pixels.data()), width, height,
                         width * 4, QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&screen);
    painter.drawImage(snapshot.position.x - snapshot.hotSpot.x,
                      snapshot.position.y - snapshot.hotSpot.y, pointer);
}

QImage GrabScreen(const CaptureState& state) {
    QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen) return QImage();
    QImage image = screen->grabWindow(0).toImage().convertToFormat(QImage::Format_RGB32);
    if (image.isNull()) {
        image = QImage(screen->geometry().size(), QImage::Format_RGB32);
        image.fill(Qt::black);
    }
    if (state.drawCursor) DrawCursorSnapshot(image, state.cursorSnapshot);
    return image;
}

}  // namespace vt
