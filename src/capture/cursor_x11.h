#pragma once
// The current pointer shape and position from the X server (XFixes).

#include <QPoint>
#include <optional>

#include "capture/capture_state.h"

namespace vt {

// Nothing when the platform is not X11 or the server lacks XFixes. The position is relative to
// `screenOrigin`, the top-left corner of the primary screen.
std::optional<CursorSnapshot> X11CursorSnapshot(QPoint screenOrigin);

}  // namespace vt
