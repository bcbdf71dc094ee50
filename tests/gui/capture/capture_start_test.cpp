// StartCapture end to end on the offscreen platform: settings, cancel, confirm, the pointer in
// the frozen screen, one capture at a time.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCursor>
#include <QTest>
#include <QTimer>
#include <functional>

#include "capture/bmp_result.h"
#include "capture/selection_overlay.h"
#include "capture/start_capture.h"
#include "platform/qt/clipboard_qt.h"

namespace vt {
namespace {

SelectionOverlay* ShownOverlay() {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget->objectName() == QLatin1String("SelectionOverlay") && widget->isVisible()) {
            return static_cast<SelectionOverlay*>(widget);
        }
    }
    return nullptr;
}

// Runs StartCapture and, as soon as the overlay shows, `during` on it.
int Capture(const std::function<void(SelectionOverlay&)>& during, bool captureCursor = false,
            std::optional<Colour> frameColour = std::nullopt) {
    bool ran = false;
    QTimer::singleShot(0, [&] {
        SelectionOverlay* overlay = ShownOverlay();
        ASSERT_NE(overlay, nullptr);
        ran = true;
        during(*overlay);
    });
    const int result = StartCapture(captureCursor, frameColour, Rgb(1, 2, 3), Rgb(4, 5, 6));
    EXPECT_TRUE(ran);
    return result;
}

void Escape(SelectionOverlay& overlay) {
    QTest::keyClick(&overlay, Qt::Key_Escape);
}

TEST(StartCapture, CancelReturnsZeroAndSetsTheColours) {
    EXPECT_EQ(Capture(Escape), 0);
    const CaptureState& state = TheCaptureState();
    EXPECT_EQ(state.frameColour, 0x0082640Au);
    EXPECT_EQ(state.infoFrameColour, Rgb(1, 2, 3));
    EXPECT_EQ(state.infoTextColour, Rgb(4, 5, 6));
    EXPECT_FALSE(state.drawCursor);

    EXPECT_EQ(Capture(Escape, false, Colour{0}), 0);
    EXPECT_EQ(TheCaptureState().frameColour, 0u);
}

TEST(StartCapture, ConfirmReturnsOneWithTheSelectionOnTheClipboard) {
    const int result = Capture([](SelectionOverlay& overlay) {
        EXPECT_EQ(overlay.geometry(), QRect(0, 0, 1920, 1080));
        QTest::mousePress(&overlay, Qt::LeftButton, Qt::NoModifier, QPoint(100, 50));
        QTest::mouseMove(&overlay, QPoint(300, 200));
        QTest::mouseRelease(&overlay, Qt::LeftButton, Qt::NoModifier, QPoint(300, 200));
        QTest::mouseDClick(&overlay, Qt::LeftButton, Qt::NoModifier, QPoint(150, 100));
    });
    EXPECT_EQ(result, 1);
    QtClipboard clipboard;
    const Bytes bmp = ClipboardDibToBmp(clipboard);
    EXPECT_EQ(bmp.size(), 54u + 4u * 201 * 151);
    EXPECT_EQ(QImage::fromData(bmp.data(), int(bmp.size()), "BMP").size(), QSize(201, 151));
}

TEST(StartCapture, PointerIsInTheFrozenScreenOnlyWhenAsked) {
    QCursor::setPos(600, 400);
    const QRect around(590, 390, 40, 40);
    QImage with, without;
    Capture([&](SelectionOverlay& overlay) {
        without = overlay.Picture().copy(around);
        Escape(overlay);
    });
    Capture(
        [&](SelectionOverlay& overlay) {
            with = overlay.Picture().copy(around);
            Escape(overlay);
        },
        true);
    EXPECT_TRUE(TheCaptureState().drawCursor);
    ASSERT_FALSE(with.isNull());
    EXPECT_NE(with, without);
    // The arrow's tip (its hot spot) sits on the pointer position; nothing above or left of it.
    EXPECT_NE(with.pixel(11, 12), without.pixel(11, 12));
    EXPECT_EQ(with.copy(0, 0, 40, 9), without.copy(0, 0, 40, 9));
    EXPECT_EQ(with.copy(0, 0, 9, 40), without.copy(0, 0, 9, 40));
}

TEST(StartCapture, OneCaptureAtATime) {
    int nested = -1;
    Capture([&](SelectionOverlay& overlay) {
        nested = StartCapture(false, std::nullopt, 0, 0);
        Escape(overlay);
    });
    EXPECT_EQ(nested, 0);
}

}  // namespace
}  // namespace vt
