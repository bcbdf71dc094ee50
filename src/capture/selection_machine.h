#pragma once
// The selection overlay's input handling over the capture state: drawing a rectangle, resizing
// it by its handles and edges, moving it by its interior or the arrow keys, dropping it (right
// button, ESC, Delete, close request) and confirming it (double click inside, Enter).

#include "capture/capture_state.h"
#include "capture/overlay_host.h"

namespace vt {

// Virtual-key codes the overlay reacts to.
namespace key {
inline constexpr int kEnter = 13;
inline constexpr int kEscape = 27;
inline constexpr int kLeft = 37;
inline constexpr int kUp = 38;
inline constexpr int kRight = 39;
inline constexpr int kDown = 40;
inline constexpr int kDelete = 46;
}  // namespace key

// Modifier state: any combination of these, 0 when none is held.
namespace modifier {
inline constexpr int kCtrl = 1;
inline constexpr int kShift = 2;
inline constexpr int kAlt = 4;
}  // namespace modifier

class SelectionMachine {
  public:
    SelectionMachine(CaptureState& state, OverlayHost& host) : state_(state), host_(host) {}

    // Overlay events; positions in overlay pixels.
    void LeftButtonDown(int x, int y);
    void MouseMove(int x, int y);
    void LeftButtonUp(int x, int y);
    void RightButtonUp() { ClearSelection(); }
    void DoubleClick(int x, int y) { CaptureSelection(x, y); }
    void KeyDown(int keyCode, int modifiers);
    // Returns whether the overlay may close.
    bool CloseRequest();
    // The tips panel's mouse move.
    void PanelMouseMove() { MovePanelAway(); }

    void HitTest(int x, int y);
    void ClearSelection();
    void CaptureSelection(int x, int y);
    void MovePanelAway();

  private:
    void Redraw();
    void ShowPointer(Pointer pointer);
    void ApplyOperation(int x, int y);

    CaptureState& state_;
    OverlayHost& host_;
};

}  // namespace vt
