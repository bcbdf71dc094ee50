#pragma once
// SelectionOverlay: the borderless, top-most, full-screen window on which the user selects the
// capture rectangle over a frozen copy of the screen. It feeds its mouse and key events to the
// SelectionMachine and shows what the machine asks for.

#include <QCursor>
#include <QImage>
#include <QWidget>

#include "capture/capture_state.h"
#include "capture/overlay_canvas.h"
#include "capture/overlay_host.h"
#include "capture/selection_machine.h"
#include "platform/clipboard.h"

class QEventLoop;

namespace vt {

class TipsPanel;

class SelectionOverlay final : public QWidget, private OverlayHost {
  public:
    // `screen` is the frozen screen; the overlay covers the primary screen from its top-left
    // corner with exactly that many pixels.
    SelectionOverlay(CaptureState& state, const QImage& screen, Clipboard& clipboard);
    ~SelectionOverlay() override;

    // Resets the selection state, shows the overlay with its own pointer, grabs the keyboard
    // and the mouse, and slides the tips panel in from the top.
    void Open();
    // Open, then returns when the overlay has ended.
    void RunModal();
    bool Ended() const { return ended_; }

    const QImage& Picture() const { return canvas_.Picture(); }
    const TipsPanel& Panel() const { return *panel_; }

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    // OverlayHost
    Size ScreenSize() const override;
    Point PointerPosition() const override;
    bool PointerOverPanel() const override;
    int PanelWidth() const override;
    void SetPanelLeft(int left) override;
    void ShowPointer(Pointer pointer) override;
    void RedrawOverlay() override;
    void ShowPlainScreen() override;
    void RedrawPanel() override;
    void PutOnClipboard(const Rect& area) override;
    void DestroyOverlay() override;

    // Follows the pointer from every mouse event the overlay and the panel receive.
    QPoint Track(QMouseEvent* event);
    Colour PixelUnderPointer() const;
    void TryGrabInput();
    void SlidePanelIn();

    CaptureState& state_;
    Clipboard& clipboard_;
    OverlayCanvas canvas_;
    SelectionMachine machine_;
    TipsPanel* panel_;
    QCursor overlayArrow_;
    QPoint pointer_;
    bool grabTried_ = false;
    bool keyboardGrabbed_ = false;
    bool mouseGrabbed_ = false;
    bool ended_ = false;
    QEventLoop* loop_ = nullptr;
};

}  // namespace vt
