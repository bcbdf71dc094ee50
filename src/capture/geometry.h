#pragma once
// Points and inclusive rectangles of the capture selection.

#include <array>

namespace vt {

struct Point {
    int x = 0;
    int y = 0;
    bool operator==(const Point&) const = default;
};

struct Size {
    int width = 0;
    int height = 0;
    bool operator==(const Size&) const = default;
};

// Inclusive pixel bounds: covers columns left..right and rows top..bottom. May be inverted
// (left > right or top > bottom) while a drag is under way.
struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    bool operator==(const Rect&) const = default;
};

// Swaps left/right when right < left and top/bottom when bottom < top.
void NormaliseRect(Rect& rect);
Rect Normalised(Rect rect);

// Normalises `rect` in place, then tests left <= x <= right and top <= y <= bottom.
bool PointInRect(Rect& rect, int x, int y);

// Moves `rect` so that its top-left corner is at (x, y), keeping its size.
void MoveSelectionTo(Rect& rect, int x, int y);

// The eight 5x5 handle squares of a normalised rectangle, in handle order: top-left, top-middle,
// top-right, left-middle, right-middle, bottom-left, bottom-middle, bottom-right.
using Handles = std::array<Rect, 8>;
Handles ComputeHandles(const Rect& normalised);

// Clips a normalised rectangle to the screen (0, 0)..(width - 1, height - 1). The result is
// empty (right < left or bottom < top) when nothing of it lies on the screen.
Rect ClipToScreen(Rect rect, Size screen);

}  // namespace vt
