#pragma once
// The frozen screen of a capture: the primary screen's pixels and, when asked, the pointer.

#include <QImage>

#include "capture/capture_state.h"

namespace vt {

// The pointer image and position now: the current pointer shape from the X server when the
// platform is X11 with XFixes, otherwise a standard arrow at the pointer position.
CursorSnapshot TakeCursorSnapshot();

// Draws the snapshot's image with its hot spot at the snapshot's position.
void DrawCursorSnapshot(QImage& screen, const CursorSnapshot& snapshot);

// The primary screen as it is now (black when the platform cannot read it), with the pointer
// of `state.cursorSnapshot` drawn in when `state.drawCursor` is set.
QImage GrabScreen(const CaptureState& state);

}  // namespace vt
