#pragma once
// Mouse pointers of the overlay: its own arrow from the bytes of a cursor file, and the system
// pointers shown over the zones of a selection.

#include <QCursor>
#include <QImage>
#include <cstdint>
#include <optional>
#include <span>

#include "capture/capture_state.h"

namespace vt {

struct CursorImage {
    QImage image;  // ARGB32, transparent where the AND mask is set
    QPoint hotSpot;
};

// The first image of a cursor file (.cur) with an 8-bit palette and an AND mask; nothing when
// the bytes are not such a file.
std::optional<CursorImage> ParseCursorFile(std::span<const std::uint8_t> bytes);

// The pointer to show for `pointer`; `overlayArrow` stands for Pointer::kOverlayArrow.
QCursor CursorFor(Pointer pointer, const QCursor& overlayArrow);

}  // namespace vt
