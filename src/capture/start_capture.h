#pragma once
// The entry of a capture, called by the main window's capture command on the GUI thread.

#include <optional>

#include "capture/capture_state.h"

namespace vt {

// Sets the capture settings of TheCaptureState(), freezes the primary screen (with the pointer
// when `captureCursor` is set), runs the SelectionOverlay until it ends and returns
// captureResult: 1 when the user confirmed a selection, which is then on the clipboard (read it
// with ClipboardDibToBmp), 0 when the capture was cancelled. Without `frameColour` the frame is
// RGB(10, 100, 130); an explicit 0 is black. While a capture runs, another call returns 0 at once.
int StartCapture(bool captureCursor, std::optional<Colour> frameColour, Colour infoFrameColour,
                 Colour infoTextColour);

}  // namespace vt
