#pragma once
// What the overlay and the tips panel show, as texts and positions: the info box beside the
// pointer while the left button is held, the pixel colour line and the tips of each state.
// Texts are UTF-8.

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "capture/capture_state.h"
#include "capture/geometry.h"

namespace vt {

// A box in window pixels whose right and bottom are exclusive (width = right - left).
struct PixelBox {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    bool operator==(const PixelBox&) const = default;
};

inline constexpr int kTextLineHeight = 12;

// Six lines 12 pixels apart from `origin`: corner, size and pointer position, with an outline.
struct InfoBox {
    Point origin;
    std::array<std::string, 6> lines;
    PixelBox outline;  // one-pixel outline, not filled
};

InfoBox InfoBoxFor(const Rect& selection, Point pointer, int screenWidth);

// The frame and handles of the normalised selection, and the info box while dragging with the
// pointer over the overlay (not over the tips panel).
struct OverlayPicture {
    Rect frame;
    Handles handles;
    Colour frameColour = 0;
    std::optional<InfoBox> infoBox;
    Colour infoTextColour = 0;
    Colour infoFrameColour = 0;
};

OverlayPicture OverlayPictureFor(const CaptureState& state, Point pointer, int screenWidth,
                                 bool pointerOverPanel);

// A text drawn word-wrapped into its box, 12 pixels per line; lines that do not fit are left out.
struct PanelText {
    std::string text;
    PixelBox box;
    bool operator==(const PanelText&) const = default;
};

// "·当前像素RGB(" R "," G "," B ")", each component right-aligned to three characters.
std::string ColourLine(Colour pixel);

// The colour line and the tips of the current state, in drawing order.
std::vector<PanelText> PanelTexts(const CaptureState& state, Colour pixel, int panelWidth);

}  // namespace vt
