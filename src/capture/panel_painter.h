#pragma once
// The tips panel's picture: its background image with the colour line and the tips in white.

#include <QImage>
#include <QSize>
#include <vector>

#include "capture/overlay_content.h"

namespace vt {

QImage ComposePanel(const QImage& background, QSize size, const std::vector<PanelText>& texts);

}  // namespace vt
