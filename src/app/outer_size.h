#pragma once
// Window sizes are given as outer sizes, frame included.

#include <QSize>

class QWidget;

namespace vt {

// Gives the top-level `window` the outer size `outer`: the client area is `outer` less the
// frame that the window manager draws, measured once the frame is known after showing. Without
// a window manager (no frame) the client area is `outer` itself. Call before showing.
void SetOuterSize(QWidget* window, QSize outer);

}  // namespace vt
