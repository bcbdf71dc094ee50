#pragma once
// What the selection handlers need from the overlay window: its drawing, pointer, tips panel,
// the clipboard and its own destruction. The Qt window implements it.

#include "capture/capture_state.h"
#include "capture/geometry.h"

namespace vt {

class OverlayHost {
  public:
    virtual ~OverlayHost() = default;

    virtual Size ScreenSize() const = 0;
    // Where the pointer is, in overlay (= screen) pixels.
    virtual Point PointerPosition() const = 0;
    virtual bool PointerOverPanel() const = 0;
    virtual int PanelWidth() const = 0;
    virtual void SetPanelLeft(int left) = 0;
    virtual void ShowPointer(Pointer pointer) = 0;

    // Composes and shows the overlay for the current selection state (handles already computed).
    virtual void RedrawOverlay() = 0;
    // Shows the plain frozen screen, without frame, handles or info box.
    virtual void ShowPlainScreen() = 0;
    virtual void RedrawPanel() = 0;

    // Puts the pixels of `area` (already clipped to the screen) of the frozen screen on the
    // clipboard as a picture; an empty area empties the clipboard.
    virtual void PutOnClipboard(const Rect& area) = 0;
    // Ends the overlay. The handler that calls it runs to its end; nothing is shown afterwards.
    virtual void DestroyOverlay() = 0;
};

}  // namespace vt
