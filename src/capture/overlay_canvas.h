#pragma once
// The overlay's picture: the frozen screen with the selection frame, its handles and the info
// box drawn on it, composed off-screen. Only what changed is recomposed, so a redraw during a
// drag touches a few thin strips instead of the whole screen.

#include <QImage>
#include <QRegion>

#include "capture/overlay_content.h"

namespace vt {

class OverlayCanvas {
  public:
    explicit OverlayCanvas(const QImage& screen);

    // The frozen screen and the composed picture, both screen-sized.
    const QImage& Screen() const { return screen_; }
    const QImage& Picture() const { return picture_; }

    // Recomposes the picture for `overlay`; returns the region that has to be shown again.
    QRegion Compose(const OverlayPicture& overlay);
    // Back to the plain frozen screen; returns the region that has to be shown again.
    QRegion ShowPlainScreen();

  private:
    QImage screen_;
    QImage picture_;
    QRegion drawn_;  // where the picture differs from the frozen screen
};

}  // namespace vt
