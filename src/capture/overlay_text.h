#pragma once
// Text output of the overlay and the tips panel: one 12-pixel font for every text, lines placed
// by the top-left corner of their 12-pixel cell, word-wrapped texts clipped to their box.

#include <QFont>
#include <QRect>
#include <QString>

#include "capture/overlay_content.h"

class QPainter;

namespace vt {

// Noto Sans CJK SC at 12 pixels, which shows Chinese and Latin text.
const QFont& OverlayFont();

// Draws one line whose 12-pixel cell starts at (left, top); returns the pixels it may touch.
QRect DrawTextLine(QPainter& painter, int left, int top, const QString& text);

// Draws `text` word-wrapped inside `box`, 12 pixels per line, leaving out lines that do not fit
// whole, and nothing outside the box.
void DrawWrappedText(QPainter& painter, const PixelBox& box, const QString& text);

}  // namespace vt
