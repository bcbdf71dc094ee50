#include "overlay_fixture.h"

#include <QTest>

namespace vt::test {

namespace {

void FillBlock(QImage& image, const QRect& block, QRgb colour) {
    for (int y = block.top(); y <= block.bottom(); ++y) {
        for (int x = block.left(); x <= block.right(); ++x) image.setPixel(x, y, colour);
    }
}

}  // namespace

QImage SyntheticScreen(QSize size) {
    QImage image(size, QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < size.width(); ++x) {
            row[x] = qRgb(x & 0xFF, y & 0xFF, ((x >> 8) * 16 + (y >> 8) * 64 + 8) & 0xFF);
        }
    }
    FillBlock(image, kBlackBlock, qRgb(0, 0, 0));
    FillBlock(image, kWhiteBlock, qRgb(255, 255, 255));
    return image;
}

void OverlayTest::SetUp() {
    state.frameColour = kFrame;
    state.infoFrameColour = kInfoFrame;
    state.infoTextColour = kInfoText;
    overlay = std::make_unique<SelectionOverlay>(state, screen, clipboard);
    overlay->Open();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(overlay.get()));
    MoveTo(960, 600);
}

void OverlayTest::TearDown() {
    overlay.reset();
}

void OverlayTest::Press(int x, int y) {
    QTest::mousePress(overlay.get(), Qt::LeftButton, Qt::NoModifier, QPoint(x, y));
}

void OverlayTest::MoveTo(int x, int y) {
    QTest::mouseMove(overlay.get(), QPoint(x, y));
}

void OverlayTest::Release(int x, int y) {
    QTest::mouseRelease(overlay.get(), Qt::LeftButton, Qt::NoModifier, QPoint(x, y));
}

void OverlayTest::Drag(QPoint from, QPoint to) {
    MoveTo(from.x(), from.y());
    Press(from.x(), from.y());
    MoveTo(to.x(), to.y());
    Release(to.x(), to.y());
}

void OverlayTest::RightClick(int x, int y) {
    QTest::mousePress(overlay.get(), Qt::RightButton, Qt::NoModifier, QPoint(x, y));
    QTest::mouseRelease(overlay.get(), Qt::RightButton, Qt::NoModifier, QPoint(x, y));
}

void OverlayTest::DoubleClick(int x, int y) {
    MoveTo(x, y);
    Press(x, y);
    Release(x, y);
    QTest::mouseDClick(overlay.get(), Qt::LeftButton, Qt::NoModifier, QPoint(x, y));
    Release(x, y);
}

void OverlayTest::Key(Qt::Key key, Qt::KeyboardModifiers modifiers) {
    QTest::keyClick(overlay.get(), key, modifiers);
}

QWidget& OverlayTest::Panel() const {
    return *overlay->findChild<QWidget*>(QStringLiteral("图片框1"));
}

}  // namespace vt::test
