#pragma once
// A SelectionOverlay over a synthetic frozen screen, driven by Qt mouse and key events.

#include <gtest/gtest.h>

#include <QImage>
#include <QPoint>
#include <memory>

#include "capture/capture_state.h"
#include "capture/selection_overlay.h"
#include "platform/qt/clipboard_qt.h"

namespace vt::test {

inline constexpr QSize kScreenSize{1920, 1080};
// Blocks of plain black and plain white on the synthetic screen.
inline constexpr QRect kBlackBlock{400, 400, 50, 50};
inline constexpr QRect kWhiteBlock{500, 400, 50, 50};

// Every pixel tells its position (red x, green y, blue the 256-pixel block), except the two
// plain blocks.
QImage SyntheticScreen(QSize size = kScreenSize);

inline Colour ColourAt(const QImage& image, QPoint p) {
    const QRgb pixel = image.pixel(p);
    return Rgb(qRed(pixel), qGreen(pixel), qBlue(pixel));
}

class OverlayTest : public testing::Test {
  protected:
    static constexpr Colour kFrame = Rgb(255, 0, 255);
    static constexpr Colour kInfoFrame = Rgb(0, 255, 0);
    static constexpr Colour kInfoText = Rgb(0, 0, 255);

    void SetUp() override;
    void TearDown() override;

    void Press(int x, int y);
    // A drag move while the left button is held, otherwise a plain pointer move.
    void MoveTo(int x, int y);
    void Release(int x, int y);
    void Drag(QPoint from, QPoint to);
    void RightClick(int x, int y);
    // What Qt delivers for a double click: press, release, double click, release.
    void DoubleClick(int x, int y);
    void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);

    SelectionPhase Phase() const { return PhaseOf(state); }
    QWidget& Panel() const;

    CaptureState state;
    QtClipboard clipboard;
    QImage screen = SyntheticScreen();
    std::unique_ptr<SelectionOverlay> overlay;
};

}  // namespace vt::test
