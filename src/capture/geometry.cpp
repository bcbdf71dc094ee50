#include "capture/geometry.h"

#include <utility>

namespace vt {

void NormaliseRect(Rect& rect) {
    if (rect.right < rect.left) std::swap(rect.left, rect.right);
    if (rect.bottom < rect.top) std::swap(rect.top, rect.bottom);
}

Rect Normalised(Rect rect) {
    NormaliseRect(rect);
    return rect;
}

bool PointInRect(Rect& rect, int x, int y) {
    NormaliseRect(rect);
    return rect.left <= x && x <= rect.right && rect.top <= y && y <= rect.bottom;
}

void MoveSelectionTo(Rect& rect, int x, int y) {
    rect.right += x - rect.left;
    rect.bottom += y - rect.top;
    rect.left = x;
    rect.top = y;
}

namespace {

// The square of 5x5 pixels around a centre given in half pixels (2 * centre), each bound
// truncated toward zero after adding or subtracting 2.
Rect HandleAround(long long doubledX, long long doubledY) {
    auto bound = [](long long doubled, int offset) {
        return static_cast<int>((doubled + 2 * offset) / 2);  // division truncates toward zero
    };
    return {bound(doubledX, -2), bound(doubledY, -2), bound(doubledX, 2), bound(doubledY, 2)};
}

}  // namespace

Handles ComputeHandles(const Rect& r) {
    const long long l = 2LL * r.left, t = 2LL * r.top, rt = 2LL * r.right, b = 2LL * r.bottom;
    const long long cx = 0LL + r.left + r.right, cy = 0LL + r.top + r.bottom;
    return {HandleAround(l, t),   HandleAround(cx, t), HandleAround(rt, t), HandleAround(l, cy),
            HandleAround(rt, cy), HandleAround(l, b),  HandleAround(cx, b), HandleAround(rt, b)};
}

Rect ClipToScreen(Rect rect, Size screen) {
    if (rect.left < 0) rect.left = 0;
    if (rect.top < 0) rect.top = 0;
    if (rect.right > screen.width - 1) rect.right = screen.width - 1;
    if (rect.bottom > screen.height - 1) rect.bottom = screen.height - 1;
    return rect;
}

}  // namespace vt
