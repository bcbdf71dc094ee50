#include "capture/selection_machine.h"

#include <array>

namespace vt {

namespace {

enum class Edge { kNone, kTop, kLeft, kRight, kBottom };

// The sides of the selection that follow the pointer while a zone is dragged.
struct Sides {
    bool left, top, right, bottom;
};

// A zone of a fixed selection: a handle square, optionally the frame edge it sits on.
struct Zone {
    int handle;
    Edge edge;
    int operation;
    Pointer pointer;
    Sides moves;
};

// In hit-test order; the first zone that contains the point wins, the interior comes last.
constexpr std::array<Zone, 8> kZones{{
    {7, Edge::kNone, 8, Pointer::kSizeNwse, {false, false, true, true}},
    {0, Edge::kNone, 1, Pointer::kSizeNwse, {true, true, false, false}},
    {1, Edge::kTop, 2, Pointer::kSizeNs, {false, true, false, false}},
    {2, Edge::kNone, 3, Pointer::kSizeNesw, {false, true, true, false}},
    {3, Edge::kLeft, 4, Pointer::kSizeWe, {true, false, false, false}},
    {4, Edge::kRight, 5, Pointer::kSizeWe, {false, false, true, false}},
    {5, Edge::kNone, 6, Pointer::kSizeNesw, {true, false, false, true}},
    {6, Edge::kBottom, 7, Pointer::kSizeNs, {false, false, false, true}},
}};
constexpr int kMoveOperation = 9;

// The one-pixel frame line of a side, from 1 pixel before its start to 3 pixels before its end.
bool OnEdge(Edge edge, const Rect& s, int x, int y) {
    switch (edge) {
        case Edge::kTop:
            return y == s.top && s.left - 2 < x && x < s.right - 2;
        case Edge::kBottom:
            return y == s.bottom && s.left - 2 < x && x < s.right - 2;
        case Edge::kLeft:
            return x == s.left && s.top - 2 < y && y < s.bottom - 2;
        case Edge::kRight:
            return x == s.right && s.top - 2 < y && y < s.bottom - 2;
        case Edge::kNone:
            break;
    }
    return false;
}

bool InSquare(const Rect& square, int x, int y) {
    return square.left <= x && x <= square.right && square.top <= y && y <= square.bottom;
}

struct ZoneHit {
    int operation;  // 0: no zone
    Pointer pointer;
};

// The zone under (x, y): handles as computed at the last redraw, edges of the current
// selection, then the interior, whose test normalises the selection.
ZoneHit ZoneAt(CaptureState& state, int x, int y) {
    for (const Zone& zone : kZones) {
        if (InSquare(state.handles[zone.handle], x, y) ||
            OnEdge(zone.edge, state.selection, x, y)) {
            return {zone.operation, zone.pointer};
        }
    }
    if (PointInRect(state.selection, x, y)) return {kMoveOperation, Pointer::kSizeAll};
    return {0, Pointer::kOverlayArrow};
}

}  // namespace

void SelectionMachine::LeftButtonDown(int x, int y) {
    if (!state_.selectionFixed && !state_.dragging) {
        // Idle: a new rectangle starts at the point. The press's implicit mouse grab keeps the
        // moves coming to the overlay until the release.
        state_.selection.left = x;
        state_.selection.top = y;
    } else if (state_.pointer == Pointer::kOverlayArrow) {
        state_.dragging = false;  // a press outside every zone of the selection does nothing
        return;
    }
    state_.dragging = true;
    state_.dragOrigin = {state_.selection.left, state_.selection.top};
    state_.pressPoint = {x, y};
    MouseMove(x, y);
}

void SelectionMachine::MouseMove(int x, int y) {
    if (state_.selectionFixed) {
        HitTest(x, y);
        if (state_.operationLatched && state_.dragging) {
            ApplyOperation(x, y);
            Redraw();
        }
    } else if (state_.dragging) {
        state_.selection.right = x;
        state_.selection.bottom = y;
        Redraw();
    }
    host_.RedrawPanel();
    if (host_.PointerOverPanel()) MovePanelAway();
}

void SelectionMachine::ApplyOperation(int x, int y) {
    Rect& s = state_.selection;
    if (state_.operation == kMoveOperation) {
        MoveSelectionTo(s, state_.dragOrigin.x + x - state_.pressPoint.x,
                        state_.dragOrigin.y + y - state_.pressPoint.y);
        return;
    }
    for (const Zone& zone : kZones) {
        if (zone.operation != state_.operation) continue;
        if (zone.moves.left) s.left = x;
        if (zone.moves.top) s.top = y;
        if (zone.moves.right) s.right = x;
        if (zone.moves.bottom) s.bottom = y;
    }
}

void SelectionMachine::LeftButtonUp(int x, int y) {
    // A release whose press did not reach the overlay fixes nothing.
    if (!state_.selectionFixed && !state_.dragging && !state_.resetPending) return;
    state_.dragging = false;
    state_.operationLatched = false;
    if (state_.resetPending) {
        // The selection was dropped while the button was held: back to Idle, nothing drawn.
        state_.selectionFixed = false;
        state_.resetPending = false;
        state_.captureResult = 0;
    } else {
        state_.selectionFixed = true;
        Redraw();
    }
    NormaliseRect(state_.selection);
    MouseMove(x, y);
}

void SelectionMachine::KeyDown(int keyCode, int modifiers) {
    Rect& s = state_.selection;
    if (keyCode == key::kEscape && modifiers == 0) {
        ClearSelection();  // drops the selection, or closes the overlay when there is none
    } else if (keyCode >= key::kLeft && keyCode <= key::kDown && state_.selectionFixed) {
        const int dx = keyCode == key::kLeft ? -1 : keyCode == key::kRight ? 1 : 0;
        const int dy = keyCode == key::kUp ? -1 : keyCode == key::kDown ? 1 : 0;
        s = {s.left + dx, s.top + dy, s.right + dx, s.bottom + dy};
        Redraw();
        const Point pointer = host_.PointerPosition();
        HitTest(pointer.x, pointer.y);
    }
    if (keyCode == key::kDelete && state_.selectionFixed) {
        ClearSelection();
    } else if (keyCode == key::kEnter && state_.selectionFixed) {
        CaptureSelection(s.left, s.top);
    }
}

bool SelectionMachine::CloseRequest() {
    if (!state_.selectionFixed) return true;
    ClearSelection();
    return false;
}

void SelectionMachine::HitTest(int x, int y) {
    if (state_.operationLatched) return;
    const ZoneHit hit = ZoneAt(state_, x, y);
    if (state_.dragging) {
        state_.operation = hit.operation;
        state_.operationLatched = hit.operation != 0;
    } else {
        ShowPointer(hit.pointer);
    }
}

void SelectionMachine::ClearSelection() {
    if (state_.selectionFixed || state_.dragging) {
        if (state_.dragging) state_.resetPending = true;
        state_.selectionFixed = true;  // from here on: something was dropped, the overlay stays
    }
    state_.dragging = false;
    state_.operationLatched = false;
    state_.operation = 0;
    state_.selection = {-1, -1, -1, -1};
    host_.ShowPlainScreen();
    ShowPointer(Pointer::kOverlayArrow);
    if (!state_.selectionFixed) host_.DestroyOverlay();
    state_.selectionFixed = false;
}

void SelectionMachine::CaptureSelection(int x, int y) {
    if (!state_.selectionFixed || !PointInRect(state_.selection, x, y)) return;
    state_.selection = ClipToScreen(state_.selection, host_.ScreenSize());
    state_.captureResult = 1;
    host_.PutOnClipboard(state_.selection);
    ClearSelection();
    host_.DestroyOverlay();
}

void SelectionMachine::MovePanelAway() {
    const Size screen = host_.ScreenSize();
    // Left of the middle (a real division) sends the panel to the right edge, else to the left.
    const bool leftHalf = 2LL * host_.PointerPosition().x < screen.width;
    host_.SetPanelLeft(leftHalf ? screen.width - host_.PanelWidth() - 8 : 8);
}

void SelectionMachine::ShowPointer(Pointer pointer) {
    if (state_.pointer == pointer) return;
    state_.pointer = pointer;
    host_.ShowPointer(pointer);
}

void SelectionMachine::Redraw() {
    state_.handles = ComputeHandles(Normalised(state_.selection));
    host_.RedrawOverlay();
}

}  // namespace vt
