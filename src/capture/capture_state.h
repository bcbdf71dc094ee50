#pragma once
// The state that the selection overlay's handlers, its drawing and StartCapture share. One
// capture runs at a time, on the GUI thread; the state lives for the whole process.

#include <cstdint>
#include <vector>

#include "capture/geometry.h"

namespace vt {

// A Windows colour value 0x00BBGGRR: red in the low byte.
using Colour = std::uint32_t;

constexpr Colour Rgb(int red, int green, int blue) {
    return static_cast<Colour>(red & 0xFF) | static_cast<Colour>(green & 0xFF) << 8 |
           static_cast<Colour>(blue & 0xFF) << 16;
}
constexpr int RedOf(Colour colour) {
    return colour & 0xFF;
}
constexpr int GreenOf(Colour colour) {
    return (colour >> 8) & 0xFF;
}
constexpr int BlueOf(Colour colour) {
    return (colour >> 16) & 0xFF;
}

inline constexpr Colour kDefaultFrameColour = Rgb(10, 100, 130);

// The pointer image and position when a capture starts, to be drawn into the frozen screen.
struct CursorSnapshot {
    Point position;  // screen pixels
    Point hotSpot;
    Size size;
    std::vector<std::uint32_t> pixels;  // premultiplied 0xAARRGGBB, rows top-down; empty: none
};

// The pointers the overlay shows: its own arrow over no zone, a system pointer over a zone.
enum class Pointer { kOverlayArrow, kSizeNwse, kSizeNesw, kSizeNs, kSizeWe, kSizeAll };

enum class SelectionPhase { kIdle, kDrawing, kFixed, kAdjusting };

struct CaptureState {
    // Capture settings, set by StartCapture.
    bool drawCursor = false;
    CursorSnapshot cursorSnapshot;
    Colour frameColour = kDefaultFrameColour;
    Colour infoFrameColour = 0;
    Colour infoTextColour = 0;
    // 1 when the selection was put on the clipboard.
    int captureResult = 0;

    // Selection state, reset when an overlay is created.
    Rect selection{-5, -5, -5, -5};
    bool selectionFixed = false;
    bool dragging = false;
    bool operationLatched = false;
    int operation = 0;  // 0 none, 1 to 8 a handle or edge, 9 move
    bool resetPending = false;
    Point dragOrigin;
    Point pressPoint;
    Handles handles{};
    Pointer pointer = Pointer::kOverlayArrow;
};

SelectionPhase PhaseOf(const CaptureState& state);

// Back to Idle with no selection: the flags cleared, captureResult 0, selection (-5, -5, -5, -5).
void ResetSelectionState(CaptureState& state);

// The process-wide capture state. CreateCaptureState makes a fresh zero state (the start
// routine calls it), ReleaseCaptureState frees it at exit; TheCaptureState creates it on first
// use when the start routine has not.
void CreateCaptureState();
void ReleaseCaptureState();
CaptureState& TheCaptureState();

}  // namespace vt
